// ServeRoutes: what `orlo serve` answers, request by request.
//
// Every request first passes the guard (CRequestGuard; a refusal is answered with its
// status and a line of text, before any body is read). Then:
//   GET  /             the page (ServePage) with its security headers; with the token in
//                      the query, a redirect to / that sets the token cookie instead, so
//                      that the token leaves the address bar and a reload still works
//   GET  /api/state    the state document last published (CStateBoard), never waiting
//                      for the GUI thread
//   POST /api/action   one action (a JSON object, Content-Type application/json; else 415,
//                      400 for text that is not JSON), handed to the GUI thread
//                      (CGuiThreadQueue) and answered with its outcome (CServeHost::Act);
//                      503 once the host is stopping
// Anything else is 404. Every answer says no-store, nosniff and no-referrer.
#pragma once

namespace orlo::host {

class CLoopbackServer;
class CRequestGuard;
class CStateBoard;
class CGuiThreadQueue;
class CServeHost;

// The objects must outlive the server's serving.
void InstallRoutes(CLoopbackServer& server, const CRequestGuard& guard, const CStateBoard& board,
                   CGuiThreadQueue& gui, CServeHost& host);

}  // namespace orlo::host
