// Payload records of the report plug-in's messages "REPORT_AddParameter" and
// "REPORT_AddParameterColor" (sent with ORLOSendMessage, read during the send).
#pragma once

#include "platform/win/WinTypes.h"

#include <string>

struct tagREPORTPARAM {
  std::wstring name;
  std::wstring value;
};

struct tagREPORTPARAMCOLOR {
  std::wstring name;
  std::wstring value;
  COLORREF colour = 0;
};
