// The report plug-in keeps the parameters the analyzers hand it, in arrival order; the
// report CSV quotes awkward texts.
#include "host/report/ReportPlugin.h"

#include "host/output/ReportCsv.h"
#include "module/core/ReportMessages.h"
#include "platform/common/Bus.h"
#include "tests/support/BusRecorder.h"

#include <gtest/gtest.h>

#include <sstream>

namespace orlo::host {
namespace {

TEST(ReportPlugin, KeepsBothKindsInArrivalOrderDuringAReport) {
  CReportPlugin report;
  // Stands in for an analyzer answering "REPORT_ReportStarting".
  CHostBusClient analyzer;
  analyzer.CreateClient(nullptr);
  analyzer.Subscribe();
  analyzer.On("REPORT_ReportStarting", [](IORLODataItem&) {
    tagREPORTPARAM rlf{L"DTL_911.R 1_2.Rlf", L"2.81"};
    ORLOSendMessage("REPORT_AddParameter", &rlf);
    tagREPORTPARAMCOLOR name{L"DTL_911.R 1_2.Name1", L"phase-A", 0x0000FF};
    ORLOSendMessage("REPORT_AddParameterColor", &name);
    tagREPORTPARAM empty{L"DTL_911.R 1_2.Conclusion", L""};
    ORLOSendMessage("REPORT_AddParameter", &empty);
  });
  tagREPORTPARAM before{L"old", L"1"};
  ORLOSendMessage("REPORT_AddParameter", &before);

  test::BusRecorder recording;
  report.StartReport();

  EXPECT_EQ(report.Parameters(),
            (std::vector<ReportParameter>{{L"DTL_911.R 1_2.Rlf", L"2.81", std::nullopt},
                                          {L"DTL_911.R 1_2.Name1", L"phase-A", 0x0000FFu},
                                          {L"DTL_911.R 1_2.Conclusion", L"", std::nullopt}}));
  EXPECT_EQ(recording.NamesTo(report.Window(), L"REPORT_"),
            (std::vector<std::wstring>{L"REPORT_ReportStarting", L"REPORT_AddParameter",
                                       L"REPORT_AddParameterColor", L"REPORT_AddParameter"}));
  ASSERT_NE(report.Find(L"DTL_911.R 1_2.Name1"), nullptr);
  EXPECT_EQ(report.Find(L"DTL_911.R 1_2.Name1")->colour, 0x0000FFu);
  EXPECT_EQ(report.Find(L"old"), nullptr);  // a new report starts empty
}

TEST(ReportCsvTest, QuotesFieldsWithSeparatorsQuotesOrLineBreaks) {
  const std::vector<ReportParameter> parameters = {
      {L"DTL_911.R 1_2.Rlf", L"2.81", std::nullopt},
      {L"DTL_911.R 1_2.Name1", L"T1, \"HV\" A\u00e9", 0x0000FFu},
      {L"note", L"two\nlines", 0u},
  };
  std::ostringstream out;
  WriteReportCsv(parameters, out);
  EXPECT_EQ(out.str(),
            "name,value,colour\n"
            "DTL_911.R 1_2.Rlf,2.81,\n"
            "DTL_911.R 1_2.Name1,\"T1, \"\"HV\"\" A\xc3\xa9\",255\n"
            "note,\"two\nlines\",0\n");
}

}  // namespace
}  // namespace orlo::host
