// Stories about the report parameters of the DL/T 911 analyzer.
#include <cstdio>

#include "tests/module/dlt911/DTL911Scenario.h"

namespace orlo::test {
namespace {

using DTL911Report = DTL911Scenario;

std::wstring Hex(COLORREF colour) {
  wchar_t text[16];
  std::swprintf(text, 16, L"%06X", static_cast<unsigned>(colour));
  return text;
}

TEST_F(DTL911Report, ThreeSweepsGiveEighteenParametersInPairOrder) {
  host.AddThreePhases();
  Start();
  BusRecorder bus;
  host.Report().StartReport();

  std::vector<std::wstring> expected;
  const wchar_t* const names[] = {L"A", L"B", L"C"};
  for (int pair = 0; pair < 3; ++pair) {
    const std::wstring stem = std::wstring(L"DTL_911.R ") + dlt911::kPairs[pair].reportTag;
    const std::wstring first = names[dlt911::kPairs[pair].slotA];
    const std::wstring second = names[dlt911::kPairs[pair].slotB];
    expected.push_back(stem + L".Rlf=" + analyzer->FactorText(pair, 0));
    expected.push_back(stem + L".Rmf=" + analyzer->FactorText(pair, 1));
    expected.push_back(stem + L".Rhf=" + analyzer->FactorText(pair, 2));
    expected.push_back(stem + L".Conclusion=" + analyzer->Conclusion(pair));
    expected.push_back(stem + L".Name1=" + first + L"#" + Hex(*host.Graph().SweepColor(first)));
    expected.push_back(stem + L".Name2=" + second + L"#" + Hex(*host.Graph().SweepColor(second)));
  }
  std::vector<std::wstring> sent;
  for (const BusRecord& record : bus.Records()) {
    if (record.target == host.Listener() && record.name.starts_with(L"REPORT_Add")) {
      sent.push_back(record.summary);
    }
  }
  EXPECT_EQ(sent, expected);
  ASSERT_EQ(host.Report().Parameters().size(), 18u);
  EXPECT_EQ(host.Report().Parameters()[17].name, L"DTL_911.R 3_1.Name2");
  EXPECT_EQ(host.Report().Parameters()[17].value, L"A");
  EXPECT_EQ(host.Report().Parameters()[17].colour, host.Graph().SweepColor(L"A"));
  EXPECT_FALSE(host.Report().Parameters()[0].colour.has_value());
}

}  // namespace
}  // namespace orlo::test
