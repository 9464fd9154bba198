// CGraphWindow: one graph of the graph plug-in, the window behind a GUI item of kind 2.
//
// It is a bus client that is not subscribed: it executes the commands addressed to it
// ("GRAPH_SetGraphType", axis and cursor labels, axis data, ranges, XY curves, the display
// switches) and answers "GRAPH_AllocCurve" queries with the id of a new, empty XY curve.
// It keeps everything it was told so the host can print the graph: its own labels, axis
// settings, ranges and XY curves. Commands that name an unknown curve or range, and null
// payloads, change nothing.
//
// XY curves: "GRAPH_AddXYCurve" appends one point. The send's mode says when the point is
// drawn: 0 at once, -1 (any other) with the next repaint ("GRAPH_Repaint", which the
// plug-in passes on as Repaint), so that a long computed curve is drawn once, complete.
// "GRAPH_ClearCurve" empties a curve, "GRAPH_DeleteCurve" removes it. A new curve takes the
// colour SweepPalette(k - 1) of its allocation number k and width 1.
//
// Axis data: "GRAPH_GetAxisData" hands out the eleven blocks of tagAXISDATA (new[] arrays
// the requester frees); "GRAPH_SetAxisData" takes the settings back from them.
//
// Ids: the window's number n (given by its maker) prefixes every id it hands out:
// curves "Gn.C1", "Gn.C2", ..., ranges "Gn.R1", "Gn.R2", ...
#pragma once

#include "host/session/BusClient.h"
#include "host/graph/GraphCurves.h"
#include "module/core/GraphMessages.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
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
  COLORREF colour = 0;
  int width = 1;
  std::vector<CurvePoint> points;
  size_t drawn = 0;  // the first `drawn` points are on the screen
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
  // The value axis range the sender fixed, or none while the axis scales itself.
  std::optional<std::pair<float, float>> FixedValueRange() const;
  // Draws what waits for the repaint.
  void Repaint();
  bool DialogsShown() const { return showDialogs_; }
  bool ErrorCurveShown() const { return showErrorCurve_; }

 private:
  void OnCommand(const std::string& name, std::function<void(void* payload)> handler);
  void GetAxisData(tagAXISDATA& data) const;
  void SetAxisData(const tagAXISDATA& data);
  void AddRange(tagRANGE& range);
  void DeleteRange(const tagRANGE& range);
  void AddPoint(const tagXYPOINT& point, int mode);
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
