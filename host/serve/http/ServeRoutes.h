// ServeRoutes: what `orlo serve` answers, request by request.
//
// Every request first passes the guard (CRequestGuard; a refusal is answered with its
// status and a line of text, before any body is read). Then:
//   GET  /             the host's page (ServePage) with its security headers; with the token in
//                      the query, a redirect to / that sets the token cookie instead, so
//                      that the token leaves the address bar and a reload still works
//   GET  /api/state    the state document the host published last, never waiting for the
//                      GUI thread
//   POST /api/action   one action (a JSON object, Content-Type application/json; else 415,
//                      400 for text that is not JSON), handed to the host, which has the
//                      GUI thread do it, and answered with its outcome; 503 once the host
//                      is stopping
// Anything else is 404. Every answer says no-store, nosniff and no-referrer.
#pragma once

#include "host/serve/HttpServer.h"

namespace orlo::host {

class CLoopbackServer;
class CRequestGuard;

// The objects must outlive the server's serving.
void InstallRoutes(CLoopbackServer& server, const CRequestGuard& guard, IServeContent& content);

}  // namespace orlo::host
