// CRequestGuard: the checks every request to `orlo serve` passes before anything else
// reads it (the server answers a refused request with its status and reads no body).
//
//   - Host must name the loopback: "127.0.0.1:PORT" or "localhost:PORT" with the
//     server's port (a page of another site whose name was rebound to 127.0.0.1 sends
//     its own name): else 421.
//   - Only GET and POST: else 405.
//   - The access token, given as the "token" query of a GET (the first address), the
//     HttpOnly SameSite=Strict cookie set in answer to it, or the X-Orlo-Token header:
//     else 403.
//   - A POST (the requests that change something) must carry the token in the header
//     and come from the server's own origin: Origin equal to "http://" + Host, and a
//     Sec-Fetch-Site, when sent, of "same-origin": else 403.
//
// Check answers nullopt for a request that passes, else the refusal.
#pragma once

#include <httplib.h>

#include <optional>
#include <string>

namespace orlo::host {

struct Refusal {
  int status = 403;
  std::string reason;
};

class CRequestGuard {
 public:
  CRequestGuard(std::string token, int port);

  std::optional<Refusal> Check(const httplib::Request& request) const;
  // Whether the request gave the token in its query (the first address).
  bool TokenInQuery(const httplib::Request& request) const;
  // The Set-Cookie value that lets the browser show the page without the query.
  std::string TokenCookie() const;
  const std::string& Token() const { return token_; }

 private:
  bool HostIsLoopback(const std::string& host) const;
  bool TokenInCookie(const httplib::Request& request) const;

  std::string token_;
  std::string port_;
  std::string cookieName_;
};

}  // namespace orlo::host
