// The report CSV: header, colour column and quoting of awkward texts.
#include "host/output/ReportCsv.h"

#include <gtest/gtest.h>

#include <sstream>

namespace orlo::host {
namespace {

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
