// The host message bus.
//
// Subscribers are windows. A send creates one data item (CORLODataItem) per receiver and
// delivers it synchronously as SendMessage(receiver, WM_DATAITEM, item, number), holding
// one reference on the item until SendMessage returns. Broadcasts go to every subscriber
// in subscription order (subscribing again keeps the first place); single sends go to the
// one target, subscribed or not. A broadcast works on the list as it was when it began: a
// window subscribed during it waits for the next send, and a receiver destroyed or
// unsubscribed before its turn is skipped. A window destroyed while subscribed leaves the
// subscriber list by itself. `number` is the serial number of the send (1, 2, ... per
// process; single sends count too); every receiver of one broadcast sees the same number.
//
// The result of a send is the result its (last) receiver set on the item: 1 "handled",
// 0 "nobody handled it" (also when no receiver was reached or the receiver never set
// one), or the address of a reply string (string handlers). By this convention any result
// other than 0 and 1 is the address of a NUL-terminated wide string that stays valid until
// the receiver handles its next message; IDataManager::Query and SendTo read it so.
//
// Narrow names are UTF-8 (in practice ASCII); a null name sends nothing and answers 0.
// Sends may come from any thread; the receiver's handler then runs on the sending thread
// (see platform/win/Wnd.h). Everything else of the host runs on the UI thread.
//
// Observation: observers registered with ORLOAddBusObserver see every delivery before it
// happens (tests record message sequences with it). With tracing on (ORLOSetTrace, or
// ORLO_TRACE=bus in the environment; a comma-separated list may name more) every delivery
// is printed to stderr after it returns, e.g.
//   bus: GRAPH_GetVisibleSweeps -> 0x5 result 1
// with " flag 1" appended when a matching subscription entry had nFlag 1, and
// " (not completed)" when the receiver never called Done on the item.
#pragma once

#include "platform/win/WinTypes.h"

#include <functional>
#include <string>

void ORLOSubscribe(HWND hwnd);
void ORLOUnsubscribe(HWND hwnd);
bool ORLOIsSubscribed(HWND hwnd);
LRESULT ORLOSendMessage(const char* name, void* payload);
LRESULT ORLOSendSingleMessage(HWND target, const char* name, void* payload);

struct ORLOBusDelivery {
  std::wstring name;
  HWND target = nullptr;
  void* payload = nullptr;
  bool broadcast = false;
};
using ORLOBusObserver = std::function<void(const ORLOBusDelivery&)>;
// Answers an id for ORLORemoveBusObserver.
int ORLOAddBusObserver(ORLOBusObserver observer);
void ORLORemoveBusObserver(int id);
void ORLOSetTrace(bool on);
