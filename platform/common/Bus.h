// The host message bus.
//
// Subscribers are windows. A send creates one data item per receiver and delivers it
// synchronously as SendMessage(receiver, WM_DATAITEM, item, number): broadcasts go to
// every subscriber in subscription order, single sends to the one target (subscribed or
// not). A receiver destroyed before its turn is skipped; a window destroyed while
// subscribed leaves the subscriber list by itself. `number` is the serial number of the
// send (1, 2, ... per process); every receiver of one broadcast sees the same number.
//
// The result of a send is the result its (last) receiver set on the item: 1 "handled",
// 0 "nobody handled it", or the address of a reply string (string handlers).
//
// Observation: observers registered with ORLOAddBusObserver see every delivery before it
// happens (tests record message sequences with it). With tracing on (ORLOSetTrace, or
// ORLO_TRACE=bus in the environment) every delivery is printed to stderr after it
// returns: name, target and result.
#pragma once

#include "platform/win/WinTypes.h"

#include <functional>
#include <string>

void ORLOSubscribe(HWND hwnd);
void ORLOUnsubscribe(HWND hwnd);
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
