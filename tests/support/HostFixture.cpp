#include "tests/support/HostFixture.h"

#include <cmath>

#include "platform/common/Bus.h"
#include "platform/common/GraphCurve.h"
#include "platform/common/GuiItem.h"
#include "platform/win/MessageBox.h"
#include "platform/win/MessageLoop.h"

namespace orlo::test {

HostFixture::HostFixture(HostOptions options) {
  win::UseVirtualClock(true);
  win::ClearMessageBoxes();
  mainDialog_.CreateDialogWindow();
  graph_ = std::make_unique<host::CGraphPlugin>(&mainDialog_);
  if (!options.curves) ORLORegisterCurveFactory(nullptr);
  report_ = std::make_unique<host::CReportPlugin>(&mainDialog_);
  root_ = ORLOSpawnGuiItem(nullptr, nullptr, ORLO_GUI_CONTAINER);
}

HostFixture::~HostFixture() {
  StopAnalyzer();
  if (root_ != nullptr) {
    root_->DestroyWindows();
    root_->DestroyItem();
  }
  report_.reset();
  graph_.reset();
  mainDialog_.DestroyWindow();
  win::ClearMessageBoxes();
  win::UseVirtualClock(false);
}

void HostFixture::StartAnalyzer(IBaseAnalyzer* analyzer) {
  StopAnalyzer();
  analyzer_ = analyzer;
  analyzer_->Initialize();
  analyzer_->CreatePanel(root_);
  root_->Layout(RECT{0, 0, 800, 600});
  analyzer_->OnLayout();
  analyzer_->Activate(true);
}

void HostFixture::StopAnalyzer() {
  if (analyzer_ == nullptr) return;
  analyzer_->DestroyPanel();
  analyzer_->Uninitialize();
  analyzer_->Destroy();
  analyzer_ = nullptr;
}

const host::CGraphWindow* HostFixture::GraphWindowOf(const CORLOGuiItem* item) const {
  const CWnd* window = item != nullptr ? item->GetWnd() : nullptr;
  return window != nullptr ? graph_->GraphWindowOf(window->m_hWnd) : nullptr;
}

void HostFixture::AddThreePhases() {
  AddSweep(MakeSweep("A", [](double f) { return WindingResponse(f); }));
  AddSweep(MakeSweep("B", [](double f) { return WindingResponse(f, 0.01, 1); }));
  AddSweep(MakeSweep("C", [](double f) { return WindingResponse(f, -0.02, 2); }));
}

const host::CHostCurve* HostFixture::CurveNamed(const std::wstring& name) {
  for (const host::CHostCurve* curve : graph_->Curves()) {
    if (curve->Name() == name) return curve;
  }
  return nullptr;
}

host::Sweep MakeSweep(const std::string& name, const std::function<double(double)>& magnitude,
                      int count, double first, double last) {
  host::Sweep sweep;
  sweep.name = name;
  sweep.file = name + ".csv";
  const double step = std::log(last / first) / (count - 1);
  std::vector<host::Sweep::Point> points;
  for (int i = 0; i < count; ++i) {
    const double f = first * std::exp(step * i);
    points.push_back({static_cast<float>(f), static_cast<float>(magnitude(f))});
  }
  sweep.points = points;
  return sweep;
}

double WindingResponse(double f, double shift, int seed) {
  const double x = std::log10(f);
  double response = 0.5 / (1.0 + f / 2.0e4);
  const double resonances[] = {3.7, 4.4, 5.0, 5.6, 5.95};
  for (const double r : resonances) {
    const double d = x - (r + shift);
    response += 0.08 / (1.0 + 400.0 * d * d);
  }
  response *= 1.0 + 0.03 * seed * std::sin(7.0 * x * (seed + 1));
  return response;
}

}  // namespace orlo::test
