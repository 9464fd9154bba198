// Standing the host up around the module: loading (linked entry or the real library),
// enumeration of the analyzers, and an orderly unload.
#include "host/HostSession.h"
#include "module/core/ModuleEntry.h"
#include "tests/host/BusRecording.h"
#include "tests/module/core/CoreTestDoubles.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace orlo::host {
namespace {

using Names = std::vector<std::wstring>;

const std::string kBuiltModule = std::string(ORLO_BIN_DIR) + "/libORLOAnalyzer.so";

// Sets an environment variable for the scope of one test.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    setenv(name, value, 1);
  }
  ~ScopedEnv() {
    if (old_.empty()) {
      unsetenv(name_);
    } else {
      setenv(name_, old_.c_str(), 1);
    }
  }

 private:
  const char* name_;
  std::string old_;
};

HostSessionOptions LinkedModule() {
  HostSessionOptions options;
  options.moduleEntry = &module::ORLOModuleEntry;
  options.manualClock = true;
  return options;
}

// The window of the module's manager: the receiver of a broadcast that is not the
// main dialog.
HWND ManagerWindow(CHostSession& session) {
  testing::BusRecording bus;
  ORLOSendMessage("ANALYZER_ChangeAnalyzer", nullptr);
  for (const testing::Delivery& delivery : bus.Deliveries()) {
    if (delivery.target != session.MainDialog().m_hWnd) return delivery.target;
  }
  return nullptr;
}

TEST(ModuleLoaderTest, FindsTheModuleNextToTheExecutableUnlessConfigured) {
  const std::filesystem::path found = CModuleLoader::DefaultModulePath();
  EXPECT_EQ(found.filename(), "libORLOAnalyzer.so");
  EXPECT_TRUE(std::filesystem::equivalent(found.parent_path(), ORLO_BIN_DIR)) << found;

  ScopedEnv configured("ORLO_MODULE_PATH", "/opt/orlo/plugin.so");
  EXPECT_EQ(CModuleLoader::DefaultModulePath(), "/opt/orlo/plugin.so");
}

TEST(ModuleLoaderTest, MissingOrBrokenLibraryIsReportedWithItsPath) {
  CModuleLoader loader;
  std::string error;
  EXPECT_FALSE(loader.Load("/nonexistent/libORLOAnalyzer.so", error));
  EXPECT_EQ(error, "cannot load the analysis module '/nonexistent/libORLOAnalyzer.so': no such file");
  EXPECT_FALSE(loader.IsLoaded());

  // A file that exists but is no library: the loader's own reason follows the path.
  const std::string notALibrary = std::string(ORLO_BIN_DIR) + "/../CMakeCache.txt";
  EXPECT_FALSE(loader.Load(notALibrary, error));
  EXPECT_TRUE(error.starts_with("cannot load the analysis module '" + notALibrary + "': "))
      << error;
}

TEST(HostSessionTest, StartsInitializesAndEnumeratesUntilAnIndexStaysUnanswered) {
  testing::BusRecording bus;
  CHostSession session;
  std::string error;
  ASSERT_TRUE(session.Start(LinkedModule(), error)) << error;
  const HWND dialog = session.MainDialog().m_hWnd;
  const size_t builtIns = session.Analyzers().size();

  Names expected{L"ORLO_GetMainDialog", L"ORLO_Initialize"};
  expected.insert(expected.end(), builtIns + 1, L"ANALYZER_AquireAnalyzer");
  EXPECT_EQ(bus.NamesTo(dialog), expected);

  // Analyzers registered later are enumerated after the built-in ones.
  std::vector<std::string> destroyed;
  test::LoggingAnalyzer first("first", destroyed);
  test::LoggingAnalyzer second("second", destroyed);
  ORLOSendMessage("ANALYZER_RegisterAnalyzer", &first);
  ORLOSendMessage("ANALYZER_RegisterAnalyzer", &second);
  const std::vector<IBaseAnalyzer*> all = AcquireAnalyzers();
  ASSERT_EQ(all.size(), builtIns + 2);
  EXPECT_EQ(all[builtIns], &first);
  EXPECT_EQ(all[builtIns + 1], &second);

  // Stop: the module goes (destroying every registered analyzer, the manager detaching
  // itself), then the main dialog.
  const HWND manager = ManagerWindow(session);
  ASSERT_NE(manager, nullptr);
  bus.Clear();
  session.Stop();
  EXPECT_EQ(destroyed, (std::vector<std::string>{"first", "second"}));
  EXPECT_EQ(bus.Deliveries(),
            (std::vector<testing::Delivery>{{L"ORLO_UnInitialize", manager, false}}));
  EXPECT_FALSE(IsWindow(manager));
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_TRUE(session.Analyzers().empty());
  session.Stop();  // nothing left to stop
  EXPECT_EQ(destroyed.size(), 2u);
}

TEST(HostSessionTest, MissingModuleFailsTheStartAndLeavesNothingBehind) {
  CHostSession session;
  HostSessionOptions options;
  options.modulePath = "/nonexistent/libORLOAnalyzer.so";
  std::string error;
  EXPECT_FALSE(session.Start(options, error));
  EXPECT_NE(error.find("/nonexistent/libORLOAnalyzer.so"), std::string::npos) << error;
  session.Stop();
  EXPECT_FALSE(IsWindow(session.MainDialog().m_hWnd));
}

TEST(HostSessionTest, BuiltLibraryLoadsAndReallyLeavesTheProcessOnStop) {
  if (!std::filesystem::exists(kBuiltModule)) {
    GTEST_SKIP() << kBuiltModule << " is not built (target ORLOAnalyzer)";
  }
  CHostSession session;
  HostSessionOptions options;
  options.modulePath = kBuiltModule;
  options.manualClock = true;
  std::string error;
  ASSERT_TRUE(session.Start(options, error)) << error;
  const HWND manager = ManagerWindow(session);
  ASSERT_NE(manager, nullptr) << "the library's load hook made no manager";
  EXPECT_EQ(GetParent(manager), session.MainDialog().m_hWnd);

  testing::BusRecording bus;
  session.Stop();
  // The unload hook ran at dlclose, not at process exit.
  EXPECT_EQ(bus.NamesTo(manager), (Names{L"ORLO_UnInitialize"}));
  EXPECT_EQ(dlopen(kBuiltModule.c_str(), RTLD_NOW | RTLD_NOLOAD), nullptr);
}

}  // namespace
}  // namespace orlo::host
