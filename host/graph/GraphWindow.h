// CGraphWindow: one graph of the graph plug-in, the window behind a GUI item of kind 2.
//
// It is a bus client that is not subscribed: it executes the commands addressed to it
// ("GRAPH_SetGraphType", axis and cursor labels, axis data, ranges, XY curves, the display
// switches) and answers "GRAPH_AllocCurve" queries with the id of a new, empty XY curve.
// It keeps everything it was told so the host can print the graph. Commands that name an
// unknown curve or range, and null payloads, change nothing.
//
// Ids: the window's number n (given by its maker) prefixes every id it hands out:
// curves "Gn.C1", "Gn.C2", ..., ranges "Gn.R1", "Gn.R2", ...
#pragma once

#include "host/session/BusClient.h"
#include "host/graph/GraphCurves.h"
#include "module/core/GraphMessages.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace orlo::host {

// The axis settings exchanged with "GRAPH_GetAxisData" / "GRAPH_SetAxisData", block by
// block (see tagAXISDATA).
struct AxisSettings {
  std::int32_t field = 0;
  std::uint8_t xFlags = 1;      // block 0: logarithmic frequency axis
  std::uint8_t yAutoScale = 1;  // block 1
  float xMin = 20.0f;           // block 2
  float yMin = -100.0f;         // block 3
  float yMax = 10.0f;           // block 4
  float xMax = 2.0e6f;          // block 5
  std::uint8_t reserved[5] = {};  // blocks 6..10
};

struct XYCurve {
  std::wstring id;
  std::vector<CurvePoint> points;
};

class CGraphWindow : public CHostBusClient {
 public:
  // `onDestroyed` runs from the destructor (the plug-in forgets the window).
  CGraphWindow(int number, std::function<void(CGraphWindow*)> onDestroyed);
  ~CGraphWindow() override;

  void ForgetOwner() { onDestroyed_ = nullptr; }

  int Number() const { return number_; }
  int GraphType() const { return graphType_; }
  const tagAXISLABEL& AxisLabel() const { return axisLabel_; }
  const tagAXISLABEL& CursorLabel() const { return cursorLabel_; }
  const AxisSettings& Axis() const { return axis_; }
  const std::vector<tagRANGE>& Ranges() const { return ranges_; }
  const std::vector<XYCurve>& Curves() const { return curves_; }
  const XYCurve* FindCurve(const std::wstring& id) const;
  bool DialogsShown() const { return showDialogs_; }
  bool ErrorCurveShown() const { return showErrorCurve_; }

 private:
  void OnCommand(const std::string& name, std::function<void(void* payload)> handler);
  void GetAxisData(tagAXISDATA& data) const;
  void SetAxisData(const tagAXISDATA& data);
  void AddRange(tagRANGE& range);
  void DeleteRange(const tagRANGE& range);
  XYCurve* Curve(const std::wstring& id);
  std::wstring NewId(char kind, int& counter) const;

  int number_;
  std::function<void(CGraphWindow*)> onDestroyed_;
  int graphType_ = 0;
  tagAXISLABEL axisLabel_;
  tagAXISLABEL cursorLabel_;
  AxisSettings axis_;
  std::vector<tagRANGE> ranges_;
  std::vector<XYCurve> curves_;
  bool showDialogs_ = false;
  bool showErrorCurve_ = false;
  int curveCounter_ = 0;
  int rangeCounter_ = 0;
};

}  // namespace orlo::host
