#include "host/serve/http/RequestGuard.h"

#include "host/serve/AccessToken.h"

#include <string_view>

namespace orlo::host {

namespace {

constexpr char kTokenHeader[] = "X-Orlo-Token";

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

}  // namespace

CRequestGuard::CRequestGuard(std::string token, int port)
    : token_(std::move(token)), port_(std::to_string(port)), cookieName_("orlo-" + port_) {}

bool CRequestGuard::HostIsLoopback(const std::string& host) const {
  const size_t colon = host.rfind(':');
  if (colon == std::string::npos || host.substr(colon + 1) != port_) return false;
  const std::string name = host.substr(0, colon);
  std::string lower;
  for (const char c : name) lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return lower == "127.0.0.1" || lower == "localhost";
}

bool CRequestGuard::TokenInQuery(const httplib::Request& request) const {
  return request.method == "GET" && request.get_param_value_count("token") == 1 &&
         SameToken(request.get_param_value("token"), token_);
}

bool CRequestGuard::TokenInCookie(const httplib::Request& request) const {
  const size_t count = request.get_header_value_count("Cookie");
  for (size_t i = 0; i < count; ++i) {
    const std::string header = request.get_header_value("Cookie", i);
    std::string_view cookies = header;
    while (!cookies.empty()) {
      const size_t end = cookies.find(';');
      const std::string_view cookie = Trimmed(cookies.substr(0, end));
      const size_t equals = cookie.find('=');
      if (equals != std::string_view::npos && cookie.substr(0, equals) == cookieName_ &&
          SameToken(cookie.substr(equals + 1), token_)) {
        return true;
      }
      cookies = end == std::string_view::npos ? std::string_view() : cookies.substr(end + 1);
    }
  }
  return false;
}

std::optional<Refusal> CRequestGuard::Check(const httplib::Request& request) const {
  const std::string host = request.get_header_value("Host");
  if (request.get_header_value_count("Host") != 1 || !HostIsLoopback(host)) {
    return Refusal{421, "the Host header does not name this server"};
  }
  if (request.method != "GET" && request.method != "POST") {
    return Refusal{405, "only GET and POST"};
  }
  const bool inHeader = request.get_header_value_count(kTokenHeader) == 1 &&
                        SameToken(request.get_header_value(kTokenHeader), token_);
  if (request.method == "POST") {
    if (!inHeader) return Refusal{403, "a change needs the access token in its header"};
    const std::string fetchSite = request.get_header_value("Sec-Fetch-Site");
    if (request.get_header_value("Origin") != "http://" + host ||
        (!fetchSite.empty() && fetchSite != "same-origin")) {
      return Refusal{403, "a change must come from this server's page"};
    }
    return std::nullopt;
  }
  if (!inHeader && !TokenInCookie(request) && !TokenInQuery(request)) {
    return Refusal{403, "the access token is missing or wrong"};
  }
  return std::nullopt;
}

std::string CRequestGuard::TokenCookie() const {
  return cookieName_ + "=" + token_ + "; Path=/; HttpOnly; SameSite=Strict";
}

}  // namespace orlo::host
