// Fuzz target: the payloads the host's graph plug-in reads from the bus. The input is a
// program of bus sends (requests to the plug-in, commands to one of its graph windows),
// each with a payload built from the following bytes; whatever the values, names and ids,
// and with or without a payload, the plug-in must answer or ignore them.
#include "host/graph/GraphPlugin.h"
#include "host/graph/GraphWindow.h"
#include "module/comparison/SweepData.h"
#include "module/core/GraphMessages.h"
#include "platform/common/Bus.h"
#include "platform/common/DataManager.h"
#include "platform/common/GuiItem.h"

#include <cstdint>
#include <cstring>
#include <string>

namespace {

using namespace orlo::host;

// Reads the program's bytes; past the end every read answers zero.
class Program {
 public:
  Program(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool Done() const { return position_ >= size_; }
  std::uint8_t Byte() { return position_ < size_ ? data_[position_++] : 0; }
  template <typename T>
  T Number() {
    unsigned char bytes[sizeof(T)] = {};
    for (unsigned char& byte : bytes) byte = Byte();
    T value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
  }
  // Mostly names and ids the plug-in knows, sometimes arbitrary characters.
  std::wstring Text() {
    static const wchar_t* const kKnown[] = {L"",      L"A",     L"B",      L"G1.C1", L"G1.C2",
                                            L"G1.R1", L"G1.R2", L"G2.C1", L"R-LF"};
    const std::uint8_t choice = Byte();
    if (choice < 0xC0) return kKnown[choice % std::size(kKnown)];
    std::wstring text;
    for (int length = Byte() % 16; length > 0; --length) text.push_back(Number<std::uint16_t>());
    return text;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t position_ = 0;
};

Sweep TwoPointSweep(const char* name) {
  Sweep sweep;
  sweep.name = name;
  sweep.points = std::vector<Sweep::Point>{{1000.0f, 1.0f, 0.0f}, {2000.0f, 0.5f, 0.0f}};
  return sweep;
}

// One send of the program; `payload` null sends without payload.
void Send(HWND graph, bool toGraph, const char* name, void* payload) {
  if (toGraph) {
    ORLOSendSingleMessage(graph, name, payload);
  } else {
    ORLOSendMessage(name, payload);
  }
}

void RunStep(Program& program, HWND graph) {
  const std::uint8_t op = program.Byte();
  const bool withPayload = (op & 0x80) == 0;
  const auto send = [&](bool toGraph, const char* name, void* payload) {
    Send(graph, toGraph, name, withPayload ? payload : nullptr);
  };
  switch (op % 16) {
    case 0: {
      int type = program.Number<int>();
      send(true, "GRAPH_SetGraphType", &type);
      break;
    }
    case 1:
    case 2: {
      tagAXISLABEL labels{program.Number<std::int16_t>(), program.Text(), program.Text()};
      send(true, op % 16 == 1 ? "GRAPH_SetAxisLabel" : "GRAPH_SetCursorLabel", &labels);
      break;
    }
    case 3: {
      tagAXISDATA axis;
      send(true, "GRAPH_GetAxisData", &axis);
      for (void* block : axis.blocks) delete[] static_cast<unsigned char*>(block);
      break;
    }
    case 4: {
      tagAXISDATA axis;
      axis.field = program.Number<std::int32_t>();
      unsigned char blocks[11][4] = {};
      const std::uint16_t present = program.Number<std::uint16_t>();
      for (int i = 0; i < 11; ++i) {
        for (unsigned char& byte : blocks[i]) byte = program.Byte();
        if ((present >> i) & 1) axis.blocks[i] = blocks[i];
      }
      send(true, "GRAPH_SetAxisData", &axis);
      break;
    }
    case 5:
    case 6: {
      tagRANGE range;
      range.id = program.Text();
      range.label = program.Text();
      range.low = program.Number<double>();
      range.high = program.Number<double>();
      range.colour = program.Number<COLORREF>();
      send(true, op % 16 == 5 ? "GRAPH_AddRange" : "GRAPH_DelRange", &range);
      break;
    }
    case 7:
      ORLOGetDataManager()->Query(graph, L"GRAPH_AllocCurve", 0, 0);
      break;
    case 8: {
      tagXYPOINT point{program.Text(), program.Number<double>(), program.Number<double>()};
      send(true, "GRAPH_AddXYCurve", &point);
      break;
    }
    case 9:
    case 10: {
      std::wstring id = program.Text();
      send(true, op % 16 == 9 ? "GRAPH_ClearCurve" : "GRAPH_DeleteCurve", &id);
      break;
    }
    case 11: {
      int show = program.Number<int>();
      send(true, program.Byte() % 2 ? "GRAPH_ShowDialogs" : "GRAPH_ShowErrorCurve", &show);
      break;
    }
    case 12: {
      SweepData data;
      data.name = program.Text();
      send(false, "GRAPH_AcquireRawData", &data);
      FreeSweepData(data);
      break;
    }
    case 13: {
      tagSWEEPCOLOR colour{program.Text()};
      send(false, "GRAPH_GetSweepColor", &colour);
      tagSWEEPWIDTH width{program.Text()};
      send(false, "GRAPH_GetSweepWidth", &width);
      tagSWEEPNAME name{program.Text(), L""};
      send(false, "GRAPH_GetTranslatedSweepName", &name);
      break;
    }
    case 14: {
      SweepNameList names;
      send(false, program.Byte() % 2 ? "GRAPH_GetVisibleSweeps" : "GRAPH_GetSelectedSweeps",
           &names);
      tagAPPLIEDMODELS models;
      send(false, "GRAPH_AppliedModels", &models);
      delete[] models.models;
      break;
    }
    default: {
      std::int32_t value = program.Number<std::int32_t>();
      send(false, program.Byte() % 2 ? "GRAPH_MultiSelect" : "GRAPH_GetDefaultWidth", &value);
      break;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CGraphPlugin plugin;
  plugin.AddSweep(TwoPointSweep("A"));
  plugin.AddSweep(TwoPointSweep("B"));
  CORLOGuiItem* item = ORLOSpawnGuiItem(nullptr, nullptr, ORLO_GUI_GRAPH);
  const HWND graph = item->GetWnd()->GetSafeHwnd();
  Program program(data, size);
  for (int step = 0; step < 256 && !program.Done(); ++step) RunStep(program, graph);
  item->DestroyWindows();
  item->DestroyItem();
  return 0;
}
