// HostFixture: the `orlo` host stood up in-process around one analyzer, for scenario tests.
//
// It brings up the virtual clock, the host's main dialog (answering "ORLO_GetMainDialog"),
// the graph plug-in (curves, graph windows, sweeps, models) and the report plug-in, and a
// root GUI item for analyzer panels. StartAnalyzer drives an analyzer the way the host does
// (Initialize, CreatePanel under the root, OnLayout, Activate(true)); the fixture owns
// the analyzer from then on and ends it in the host's order (DestroyPanel, Uninitialize,
// Destroy).
//
// Sweeps are built in code: MakeSweep samples a magnitude function (a linear ratio) at
// logarithmically spaced frequencies.
#pragma once

#include <bit>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/graph/GraphPlugin.h"
#include "host/session/MainDialog.h"
#include "host/report/ReportPlugin.h"
#include "host/sweeps/Sweep.h"
#include "module/core/AnalyzerInterfaces.h"
#include "platform/win/WinTypes.h"
#include "tests/support/BusRecorder.h"

class CORLOGuiItem;

namespace orlo::test {

struct HostOptions {
  // False: no curve factory, as when the graph plug-in is not loaded.
  bool curves = true;
};

class HostFixture {
 public:
  explicit HostFixture(HostOptions options = {});
  HostFixture(const HostFixture&) = delete;
  HostFixture& operator=(const HostFixture&) = delete;
  ~HostFixture();

  host::CGraphPlugin& Graph() { return *graph_; }
  // A window that sees every broadcast (the report plug-in's), for recorded sequences.
  HWND Listener() const { return report_->Window(); }

  // Drives `analyzer` as the host does and takes it over.
  void StartAnalyzer(IBaseAnalyzer* analyzer);
  // StartAnalyzer with a new analyzer of type A; answers it (the fixture owns it).
  template <typename A>
  A* Start() {
    auto* analyzer = new A();
    StartAnalyzer(analyzer);
    return analyzer;
  }
  // Starts a report as the application does; answers the summaries of the parameters the
  // report plug-in received (BusRecorder.h), in arrival order. (Inline: the concurrency
  // test program links no BusRecorder.)
  std::vector<std::wstring> StartReport() {
    BusRecorder bus;
    report_->StartReport();
    std::vector<std::wstring> parameters;
    for (const BusRecord& record : bus.Records()) {
      if (record.target == Listener() && record.name.starts_with(L"REPORT_AddParameter")) {
        parameters.push_back(record.summary);
      }
    }
    return parameters;
  }

  // Adds a sweep to the graph plug-in (visible, so the analyzers hear of it).
  void AddSweep(host::Sweep sweep) { graph_->AddSweep(std::move(sweep)); }
  // The graph window behind a graph item of a panel, or null.
  const host::CGraphWindow* GraphWindowOf(const CORLOGuiItem* item) const;
  // Three different sweeps "A", "B", "C" that look like windings of one transformer:
  // WindingResponse with (shift, seed) (0, 0), (0.01, 1) and (-0.02, 2), 600 points each.
  void AddThreePhases();
  // The graph plug-in's curve that shows `name`, or null.
  const host::CHostCurve* CurveNamed(const std::wstring& name);

 private:
  // Ends the analyzer taken over, in the host's order.
  void StopAnalyzer();

  host::CMainDialog mainDialog_;
  std::unique_ptr<host::CGraphPlugin> graph_;
  std::unique_ptr<host::CReportPlugin> report_;
  CORLOGuiItem* root_ = nullptr;
  IBaseAnalyzer* analyzer_ = nullptr;
};

// A sweep of `count` points from 100 Hz to 2 MHz (log spaced) with magnitude ratio
// `magnitude(f)` at each frequency f.
host::Sweep MakeSweep(const std::string& name, const std::function<double(double)>& magnitude,
                      int count = 600, double first = 100.0, double last = 2.0e6);

// A smooth, resonant winding-like response; `shift` moves the resonances slightly and
// `seed` adds a small deterministic ripple, so different arguments give different curves.
double WindingResponse(double f, double shift = 0.0, int seed = 0);

// The bits of a double, for exact comparisons that tell -0.0 and NaNs apart.
inline std::uint64_t Bits(double value) { return std::bit_cast<std::uint64_t>(value); }

}  // namespace orlo::test
