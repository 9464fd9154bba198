// `orlo serve` in-process: the web host on the linked module (and the serving library
// beside the test program), a client thread making the requests while the test's thread
// runs the GUI thread's loop.
#include "TestPaths.h"
#include "host/cli/Command.h"
#include "host/output/Json.h"
#include "host/serve/WebHost.h"
#include "module/core/ModuleEntry.h"
#include "module/testanalyzer/TestAnalyzerFactory.h"
#include "tests/host/ScratchDirectory.h"
#include "tests/support/SettingsFolder.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <httplib.h>

#include <functional>
#include <sstream>
#include <thread>

namespace orlo::host {
namespace {

using json::Value;

class ServeTest : public ::testing::Test {
 protected:
  ServeTest() {
    std::filesystem::create_directories(scratch.Path("in"));
    for (const char* phase : {"1", "2", "3"}) {
      std::ostringstream out, err;
      const std::string file = scratch.Path(std::string("in/phase-") + phase + ".csv");
      EXPECT_EQ(RunCommandLine({"simulate", "--phase", phase, "-o", file}, out, err), 0) << err.str();
    }
    scratch.Write("outside.csv", "1,0\n2,0\n");
    std::filesystem::create_symlink(scratch.Path("outside.csv"), scratch.Path("in/link.csv"));
  }

  // The folder "in" on the linked module.
  WebHostOptions Options() {
    WebHostOptions options;
    options.folder = scratch.Path("in");
    options.session.moduleEntry = &module::ORLOModuleEntry;
    options.session.testAnalyzerFactory = &ORLOCreateTestAnalyzer;
    return options;
  }

  // Serves the folder "in" until `client` (run on a thread of its own) returns.
  void Serve(const std::function<void()>& client, ServerLimits limits = {}) {
    WebHostOptions options = Options();
    options.limits = limits;
    CWebHost web;
    const auto failure = web.Start(options);
    ASSERT_FALSE(failure) << failure->reason;
    port = web.Port();
    token = web.Token();
    origin = "http://127.0.0.1:" + std::to_string(port);
    std::thread thread([&] {
      client();
      web.Stop();
    });
    web.Run();
    thread.join();
  }

  httplib::Result Get(const std::string& path, httplib::Headers headers = {}) {
    return httplib::Client("127.0.0.1", port).Get(path.c_str(), headers);
  }
  httplib::Result Post(const std::string& body, httplib::Headers headers) {
    return httplib::Client("127.0.0.1", port).Post("/api/action", headers, body, "application/json");
  }
  // An action from the page: token in the header, the page's origin.
  Value Act(const std::string& body, int status = 200) {
    const auto result = Post(body, {{"X-Orlo-Token", token}, {"Origin", origin}});
    EXPECT_EQ(result ? result->status : 0, status) << body;
    return result ? json::Parse(result->body) : Value();
  }
  Value State() {
    const auto result = Get("/api/state", {{"X-Orlo-Token", token}});
    return result ? json::Parse(result->body) : Value();
  }

  // Connects to `address` and sends `text`; answers the socket.
  int Send(const std::string& text, const char* address = "127.0.0.1") {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(static_cast<uint16_t>(port));
    inet_pton(AF_INET, address, &to.sin_addr);
    if (connect(fd, reinterpret_cast<sockaddr*>(&to), sizeof to) == 0) {
      send(fd, text.data(), text.size(), MSG_NOSIGNAL);
    }
    return fd;
  }
  // What comes back on `fd` until the server closes it ("" for a refused connection).
  static std::string Answer(int fd) {
    std::string answer;
    char buffer[4096];
    for (ssize_t got; (got = recv(fd, buffer, sizeof buffer, 0)) > 0;) answer.append(buffer, got);
    close(fd);
    return answer;
  }
  std::string Raw(const std::string& text, const char* address = "127.0.0.1") {
    return Answer(Send(text, address));
  }

  test::SettingsFolder settings;
  testing::ScratchDirectory scratch;
  int port = 0;
  std::string token, origin;
};

TEST_F(ServeTest, AServingLibraryThatCannotServeIsNamed) {
  const std::string missing = scratch.Path("libORLOServe.so");
  const std::pair<std::string, std::string> libraries[] = {
      {missing, "cannot load the serving library '" + missing + "': no such file"},
      {ORLO_BIN_DIR "/libORLOControls.so",
       "the serving library '" ORLO_BIN_DIR "/libORLOControls.so' has no ORLOCreateHttpServer"},
  };
  for (const auto& [library, reason] : libraries) {
    WebHostOptions options = Options();
    options.serverLibrary = library;
    const auto failure = CWebHost().Start(options);
    ASSERT_TRUE(failure) << library;
    EXPECT_EQ(failure->exitCode, 3);
    EXPECT_EQ(failure->reason, reason);
  }
}

TEST_F(ServeTest, OnlyTheTokenHolderOnTheLoopbackIsServed) {
  Serve([&] {
    const std::string host = "127.0.0.1:" + std::to_string(port);
    const std::string cookie = "orlo-" + std::to_string(port) + "=" + token;
    const struct {
      std::string path;
      httplib::Headers headers;
      int status;
    } requests[] = {
        {"/", {}, 403},
        {"/?token=" + std::string(64, '0'), {}, 403},
        {"/api/state", {{"Cookie", "orlo-1=" + token}}, 403},
        {"/?token=" + token, {}, 303},
        {"/", {{"Cookie", "a=b; " + cookie}}, 200},
        {"/api/state", {{"X-Orlo-Token", token}, {"Host", "LOCALHOST:" + std::to_string(port)}}, 200},
        {"/api/state", {{"X-Orlo-Token", token}, {"Host", "evil.example:" + std::to_string(port)}}, 421},
        {"/api/state", {{"X-Orlo-Token", token}, {"Host", "127.0.0.1:" + std::to_string(port + 1)}}, 421},
        {"/etc/passwd", {{"X-Orlo-Token", token}}, 404},
    };
    for (const auto& request : requests) {
      const auto result = Get(request.path, request.headers);
      EXPECT_EQ(result ? result->status : 0, request.status) << request.path;
    }
    const auto first = Get("/?token=" + token);
    EXPECT_EQ(first->get_header_value("Set-Cookie"), cookie + "; Path=/; HttpOnly; SameSite=Strict");
    EXPECT_EQ(first->get_header_value("Location"), "/");
    const auto page = Get("/", {{"Cookie", cookie}});
    EXPECT_NE(page->get_header_value("Content-Security-Policy").find("default-src 'none'; script-src 'nonce-"),
              std::string::npos);
    EXPECT_EQ(Raw("DELETE /api/state HTTP/1.1\r\nHost: " + host + "\r\nX-Orlo-Token: " + token + "\r\n\r\n")
                  .substr(0, 12), "HTTP/1.1 405");
    EXPECT_EQ(Raw("GET / HTTP/1.1\r\nHost: " + host + "\r\n\r\n", "127.0.0.2"), "");  // not listening there
  });
}

TEST_F(ServeTest, ChangesComeFromThePageAndReadOnlyTheFolder) {
  Serve([&] {
    const Value before = State();
    const std::string pick = R"({"action":"pick","path":"phase-1.csv"})";
    const struct {
      httplib::Headers headers;
      std::string body;
      int status;
    } refused[] = {
        {{{"X-Orlo-Token", token}}, pick, 403},                                      // no origin
        {{{"X-Orlo-Token", token}, {"Origin", "http://evil.example"}}, pick, 403},  // cross-origin
        {{{"X-Orlo-Token", token}, {"Origin", origin}, {"Sec-Fetch-Site", "cross-site"}}, pick, 403},
        {{{"Cookie", "orlo-" + std::to_string(port) + "=" + token}, {"Origin", origin}}, pick, 403},
        {{{"X-Orlo-Token", token}, {"Origin", origin}}, "{\"action\":", 400},
        {{{"X-Orlo-Token", token}, {"Origin", origin}}, R"({"action":"format the disk"})", 400},
    };
    for (const auto& request : refused) {
      const auto result = Post(request.body, request.headers);
      EXPECT_EQ(result ? result->status : 0, request.status) << request.body;
    }
    for (const char* path : {"../outside.csv", "/etc/passwd", "link.csv", "./phase-1.csv", "nothing.csv"}) {
      EXPECT_FALSE(Act(std::string(R"({"action":"pick","path":")") + path + "\"}", 409).Find("ok")->AsBool());
    }
    EXPECT_EQ(State().Find("version")->Text(), before.Find("version")->Text());  // nothing changed
    std::vector<std::string> listed;
    for (const Value& file : before.Find("files")->Items()) listed.push_back(file.Find("path")->Text());
    EXPECT_EQ(listed, (std::vector<std::string>{"phase-1.csv", "phase-2.csv", "phase-3.csv"}));
  });
}

TEST_F(ServeTest, ThePanelsFollowTheUsersActions) {
  Serve([&] {
    for (const char* phase : {"3", "1", "2"}) {
      Act(std::string(R"({"action":"pick","path":"phase-)") + phase + ".csv\"}");
    }
    Act(R"({"action":"row","analyzer":1,"row":2})");
    Value state = State();
    EXPECT_EQ(state.Find("files")->Items()[0].Find("picked")->Text(), "2");
    const std::string dlt = state.Find("panels")->Items()[1].Find("html")->Text();
    EXPECT_NE(dlt.find("<tr class=\"selected\"><td class=\"marker\">\xE2\x96\xB6</td><td>R 2-3</td><td>[phase-1] - [phase-2]"),
              std::string::npos) << dlt;
    const Value refused = Act(
        R"({"action":"settings","kind":"add","label":"B","min":"5000","max":"1000","normal":"1","suspect":"0.5"})");
    ASSERT_EQ(refused.Find("messageBoxes")->Items().size(), 1u);
    EXPECT_EQ(refused.Find("messageBoxes")->Items()[0].Find("text")->Text(), "Max < Min");
    Act(R"({"action":"settings","kind":"add","label":"Added","min":"1000","max":"5000","normal":"1","suspect":"0.5"})");
    Act(R"({"action":"zoom","low":900,"high":90000})");
    Act(R"({"action":"test-analyzer"})");
    EXPECT_TRUE(Act(R"({"action":"click","text":"Test 2"})").Find("ok")->AsBool());
    state = State();
    EXPECT_EQ(json::Write(*state.Find("panels")->Items().at(2).Find("buttons"), 0), R"(["Just DO IT!","Test 2"])");
    EXPECT_NE(state.Find("settings")->Find("gridHtml")->Text().find("<td>Added</td>"), std::string::npos);
    const std::string correlation = state.Find("panels")->Items()[0].Find("html")->Text();
    EXPECT_NE(correlation.find("class=\"range-label\">Added</text>"), std::string::npos);
    EXPECT_NE(correlation.find("data-frequency-low=\"100\" data-frequency-high=\"100000\""), std::string::npos);
  });
}

TEST_F(ServeTest, SlowGreedyOrManyClientsCannotHoldTheServer) {
  ServerLimits limits;
  limits.headBytes = 1024;
  limits.bodyBytes = 2048;
  limits.connectionDeadline = std::chrono::milliseconds(1000);
  limits.workers = 2;
  limits.maxConnections = 2;
  Serve([&] {
    const std::string head = "POST /api/action HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port) +
                             "\r\nX-Orlo-Token: " + token + "\r\nOrigin: " + origin +
                             "\r\nContent-Type: application/json\r\n";
    EXPECT_EQ(Raw(head + "X-Padding: " + std::string(2000, 'x') + "\r\n\r\n").substr(0, 12), "HTTP/1.1 431");
    EXPECT_EQ(Raw(head + "Content-Length: 5000\r\n\r\n" + std::string(5000, ' ')).substr(0, 12), "HTTP/1.1 413");
    // Two clients that never finish their heads fill the server; a third is turned away at
    // once (as soon as the server took the two), and the two are cut off at the deadline.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));  // the connections above end
    const auto start = std::chrono::steady_clock::now();
    const int idle[] = {Send("GET / HTTP/1.1\r\n"), Send("GET / HTTP/1.1\r\n")};
    std::string third;
    while (third.substr(0, 12) != "HTTP/1.1 503" &&
           std::chrono::steady_clock::now() - start < limits.connectionDeadline / 2) {
      third = Raw("GET /api/state HTTP/1.1\r\n\r\n");
    }
    EXPECT_EQ(third.substr(0, 12), "HTTP/1.1 503");
    for (const int fd : idle) EXPECT_EQ(Answer(fd).substr(0, 12), "HTTP/1.1 408");
    EXPECT_LT(std::chrono::steady_clock::now() - start, limits.connectionDeadline * 2);
    EXPECT_EQ(Act(R"({"action":"pick","path":"phase-1.csv"})").Find("ok")->AsBool(), true);
  }, limits);
}

}  // namespace
}  // namespace orlo::host
