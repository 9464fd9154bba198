#include "host/serve/http/ServeRoutes.h"

#include "host/output/Json.h"
#include "host/serve/http/LoopbackServer.h"
#include "host/serve/http/RequestGuard.h"

namespace orlo::host {

namespace {

void RefuseWith(httplib::Response& response, int status, const std::string& reason) {
  response.status = status;
  response.set_content(reason + "\n", "text/plain; charset=utf-8");
}

}  // namespace

void InstallRoutes(CLoopbackServer& server, const CRequestGuard& guard, IServeContent& content) {
  server.set_default_headers({{"Cache-Control", "no-store"},
                              {"X-Content-Type-Options", "nosniff"},
                              {"Referrer-Policy", "no-referrer"}});
  server.set_pre_routing_handler([&guard](const httplib::Request& request, httplib::Response& response) {
    if (const auto refusal = guard.Check(request)) {
      RefuseWith(response, refusal->status, refusal->reason);
      return httplib::Server::HandlerResponse::Handled;
    }
    return httplib::Server::HandlerResponse::Unhandled;
  });

  server.Get("/", [&guard, &content](const httplib::Request& request, httplib::Response& response) {
    if (guard.TokenInQuery(request)) {
      response.set_header("Set-Cookie", guard.TokenCookie());
      response.set_redirect("/", 303);
      return;
    }
    const ServedPage page = content.Page();
    response.set_header("Content-Security-Policy", page.contentSecurityPolicy);
    response.set_header("X-Frame-Options", "DENY");
    response.set_content(page.html, "text/html; charset=utf-8");
  });

  server.Get("/api/state", [&content](const httplib::Request&, httplib::Response& response) {
    response.set_content(*content.State(), "application/json");
  });

  server.Post("/api/action", [&content](const httplib::Request& request, httplib::Response& response) {
    if (request.get_header_value("Content-Type").rfind("application/json", 0) != 0) {
      return RefuseWith(response, 415, "an action is a JSON object (application/json)");
    }
    json::Value action;
    try {
      action = json::Parse(request.body);
    } catch (const json::ParseError& error) {
      return RefuseWith(response, 400, std::string("the action is not JSON: ") + error.what());
    }
    const std::optional<ActOutcome> outcome = content.Act(action);
    if (!outcome) return RefuseWith(response, 503, "orlo serve is stopping");
    response.status = outcome->status;
    response.set_content(json::Write(outcome->document, 0), "application/json");
  });
}

}  // namespace orlo::host
