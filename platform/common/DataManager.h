// IDataManager: the bus as an object, for clients that hold on to it.
//
// Send broadcasts to every subscriber (like ORLOSendMessage); SendTo delivers to one
// window (like ORLOSendSingleMessage); Query delivers to one window and answers the text
// that the receiver's string handler produced (empty when none did). All synchronous.
// A result other than 0 and 1 is taken for the address of the receiver's reply string
// (see Bus.h). SendTo's mode (0 or -1; what it means is the receiver's) reaches the
// receiver as the item's CORLODataItem::Mode. The reserved arguments, SendTo's flag and the
// timeouts (-1, "wait for ever") are accepted and not used: delivery is always synchronous
// and items carry no qualifier. There is one data manager per process; ORLOGetDataManager
// answers it.
#pragma once

#include "platform/win/WinTypes.h"

#include <string>

class IDataManager {
 public:
  // (name, reserved 0, payload or small value, reserved 0, -1): broadcast; answers the
  // result of the last receiver (0 with no receiver).
  virtual LRESULT Send(const std::wstring& name, int reserved, void* payload, int reserved2,
                       int timeout) = 0;
  // (target, 1, name, mode 0 or -1, payload, 0, -1, reply): one receiver.
  // When `reply` is not null it receives the receiver's string answer (empty when none).
  virtual LRESULT SendTo(HWND target, int flag, const std::wstring& name, int mode,
                         void* payload, int reserved, int timeout, std::wstring* reply) = 0;
  // (target, name, 0, 0): the string answer of the target's handler, empty when none.
  virtual std::wstring Query(HWND target, const std::wstring& name, int reserved,
                             int reserved2) = 0;

 protected:
  virtual ~IDataManager() = default;
};

IDataManager* ORLOGetDataManager();
