// Payload records of the graph plug-in's messages, shared by the module (requester) and
// the host's graph plug-in (receiver). Requests are answered by filling the record before
// the send returns; arrays the graph plug-in allocates for a requester are freed by the
// requester with delete[].
//
// AppliedModel and ModelItem are objects of the graph plug-in: the module reads them and
// never frees them.
#pragma once

#include "platform/win/WinTypes.h"

#include <cstdint>
#include <list>
#include <string>

// One item of an applied model: its name, the sweep numbers it covers and, parallel to
// them, the label of each sweep number.
struct ModelItem {
  std::wstring name;
  std::list<std::uint16_t> sweepNumbers;
  std::list<std::wstring> labels;
};

class AppliedModel {
 public:
  virtual std::wstring GetName() const = 0;
  virtual std::list<ModelItem*>* GetItems() = 0;  // may be null
  virtual std::wstring GetLabel() const = 0;

 protected:
  ~AppliedModel() = default;
};

// "GRAPH_AppliedModels": zeroed by the sender; the receiver fills count and a new[]
// array of count models.
struct tagAPPLIEDMODELS {
  std::int32_t count = 0;
  std::int32_t reserved = 0;
  AppliedModel** models = nullptr;
};

// "GRAPH_ApplyModel", "GRAPH_RemoveModel": the model is the third pointer-sized field.
struct tagMODELNOTIFY {
  void* reserved1 = nullptr;
  void* reserved2 = nullptr;
  AppliedModel* model = nullptr;
};

// "GRAPH_GetTranslatedSweepName".
struct tagSWEEPNAME {
  std::wstring name;
  std::wstring translated;
};

// "GRAPH_GetSweepColor".
struct tagSWEEPCOLOR {
  std::wstring name;
  COLORREF colour = 0;
};

// "GRAPH_GetSweepWidth": -1 means "use the default width".
struct tagSWEEPWIDTH {
  std::wstring name;
  std::int32_t width = 1;
};

// "GRAPH_SetAxisLabel", "GRAPH_SetCursorLabel".
struct tagAXISLABEL {
  std::int16_t graphType = 0;
  std::wstring xLabel;
  std::wstring yLabel;
};

// "GRAPH_AddRange", "GRAPH_DelRange". The graph plug-in fills `id` when it adds a range.
struct tagRANGE {
  std::wstring id;
  std::wstring label;
  double low = 0.0;
  double high = 0.0;
  std::int32_t flag1 = 1;
  std::int32_t flag2 = 0;
  std::int16_t flag3 = 1;
  COLORREF colour = 0;
};

// "GRAPH_AddXYCurve": one point of the curve with the given id.
struct tagXYPOINT {
  std::wstring curveId;
  double x = 0.0;
  double y = 0.0;
};

// "GRAPH_GetAxisData", "GRAPH_SetAxisData": the receiver of the request fills `field` and
// allocates the eleven blocks with new[] (of unsigned char); the requester frees them.
// Blocks: 0 x-axis flags (1 byte), 1 y-axis auto-scale flag (1 byte), 2 x min (float),
// 3 y min (float), 4 y max (float), 5 x max (float), 6..10 reserved (1 byte each).
struct tagAXISDATA {
  std::int32_t field = 0;
  void* blocks[11] = {};
};
