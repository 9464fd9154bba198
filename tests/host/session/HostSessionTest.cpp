// Standing the host up around the module: loading (linked entry or the real library),
// enumeration of the analyzers, and an orderly unload.
#include "host/session/HostSession.h"
#include "module/core/ModuleEntry.h"
#include "platform/common/Bus.h"
#include "tests/support/BusRecorder.h"
#include "tests/module/core/CoreTestDoubles.h"
#include "TestPaths.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace orlo::host {
namespace {

using Names = std::vector<std::wstring>;
const std::string kBuiltModule = std::string(ORLO_BIN_DIR) + "/libORLOAnalyzer.so";

// The module's manager window: the receiver of a broadcast that is not the main dialog.
HWND ManagerWindow(CHostSession& session) {
  test::BusRecorder bus;
  ORLOSendMessage("ANALYZER_ChangeAnalyzer", nullptr);
  for (const test::BusRecord& delivery : bus.Records()) {
    if (delivery.target != session.MainDialog().m_hWnd) return delivery.target;
  }
  return nullptr;
}

TEST(HostSessionTest, EnumeratesUntilAnIndexStaysUnansweredAndUnloadsInOrder) {
  test::BusRecorder bus;
  CHostSession session;
  std::string error;
  HostSessionOptions linked;
  linked.moduleEntry = &module::ORLOModuleEntry;
  linked.virtualClock = true;
  ASSERT_TRUE(session.Start(linked, error));
  const HWND dialog = session.MainDialog().m_hWnd;
  EXPECT_EQ(session.Analyzers().size(), 2u);  // the correlation analysis and DL/T 911
  EXPECT_EQ(bus.NamesTo(dialog), (Names{L"ORLO_GetMainDialog", L"ORLO_Initialize",
                                        L"ANALYZER_AquireAnalyzer", L"ANALYZER_AquireAnalyzer",
                                        L"ANALYZER_AquireAnalyzer"}));

  const HWND manager = ManagerWindow(session);
  bus.Clear();
  session.Stop();
  EXPECT_EQ(bus.NamesTo(nullptr), Names{L"ORLO_UnInitialize"});
  EXPECT_EQ(bus.Records()[0].target, manager);
  EXPECT_FALSE(IsWindow(manager));
  EXPECT_FALSE(IsWindow(dialog));
  bus.Clear();
  session.Stop();
  EXPECT_TRUE(bus.Records().empty());
}

// A failed start leaves nothing behind (the messages: AnalyzersCommandTest).
TEST(HostSessionTest, AStartThatFailsLeavesNoWindow) {
  CHostSession session;
  std::string error;
  HostSessionOptions other;  // a library of the platform: it loads and registers nothing
  other.modulePath = ORLO_BIN_DIR "/libORLOControls.so";
  EXPECT_FALSE(session.Start(other, error));
  session.Stop();
  EXPECT_EQ(session.MainDialog().m_hWnd, nullptr);
}

// The manager makes a test analyzer but does not register it; the library's one exported
// function makes one that joins the registry last and is destroyed with the module (the
// sanitizer build would report a leak or a second destruction). The library's unload hook
// runs at dlclose, not at process exit.
TEST(HostSessionTest, BuiltLibraryRegistersTheTestAnalyzerAndLeavesTheProcessOnStop) {
  const std::wstring testGuid = L"{EB642FB1-04AC-4a8f-BC1B-B9DF9A163BA3}";
  CHostSession session;
  std::string error;
  EXPECT_FALSE(session.RegisterTestAnalyzer(error));
  EXPECT_EQ(error, "the analysis module offers no test analyzer");
  HostSessionOptions library;
  library.modulePath = kBuiltModule;
  library.virtualClock = true;
  ASSERT_TRUE(session.Start(library, error)) << error;
  const HWND manager = ManagerWindow(session);
  ASSERT_NE(manager, nullptr) << "the library's load hook made no manager";
  for (IBaseAnalyzer* analyzer : session.Analyzers()) EXPECT_NE(analyzer->GetGuid(), testGuid);
  const size_t builtIns = session.Analyzers().size();
  ASSERT_TRUE(session.RegisterTestAnalyzer(error)) << error;
  ASSERT_EQ(session.Analyzers().size(), builtIns + 1);
  IBaseAnalyzer* registered = session.Analyzers().back();
  EXPECT_EQ(registered->GetName(), L"Test Analyzer");
  EXPECT_FALSE(registered->HasSettings());
  IBaseAnalyzer* instance = registered->CreateInstance();
  ASSERT_NE(instance, registered);
  EXPECT_EQ(instance->GetGuid(), testGuid);
  instance->Destroy();

  test::BusRecorder bus;
  session.Stop();
  EXPECT_EQ(bus.NamesTo(manager), (Names{L"ORLO_UnInitialize"}));
  EXPECT_EQ(dlopen(kBuiltModule.c_str(), RTLD_NOW | RTLD_NOLOAD), nullptr);
}

// A process that ends with the library still loaded (no dlclose) unloads it after every
// exit handler: the platform and the module's tables must still be there.
TEST(HostSessionDeathTest, ExitWithTheLibraryLoadedTearsTheModuleDownInOrder) {
  EXPECT_EXIT(
      {
        auto* session = new CHostSession;  // never ends: the library stays loaded
        std::string error;
        HostSessionOptions library;
        library.modulePath = kBuiltModule;
        if (!session->Start(library, error)) std::_Exit(2);
        const HWND manager = ManagerWindow(*session);
        static std::vector<std::string> log;
        ORLOSendMessage("ANALYZER_RegisterAnalyzer", new test::WindowWitness(manager, log, [](const char* note) {
                          std::fprintf(stderr, "witness: %s\n", note);
                        }));
        ORLOAddBusObserver([manager](const ORLOBusDelivery& delivery) {
          if (delivery.target == manager) {
            std::fprintf(stderr, "manager: %ls\n", delivery.name.c_str());
          }
        });
        std::exit(0);
      },
      ::testing::ExitedWithCode(0), "witness: window alive\nmanager: ORLO_UnInitialize\n");
}

}  // namespace
}  // namespace orlo::host
