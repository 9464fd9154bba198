// The HTML page: hostile names stay text, long sweeps stay small, fixed value ranges hold.
// (What the page looks like in a browser is checked by tests/browser.)
#include "host/output/HtmlPage.h"
#include "host/output/Json.h"
#include "host/output/SvgGraph.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <regex>
#include <sstream>

namespace orlo::host {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

const std::wstring kHostile = L"<script>alert(1)</script> \"q\" 'a' & b";
const char kEscaped[] = "&lt;script&gt;alert(1)&lt;/script&gt; &quot;q&quot; &#39;a&#39; &amp; b";

CurveSnapshot Curve(std::wstring name, size_t points, double (*value)(size_t)) {
  CurveSnapshot curve{std::move(name), 0x0000FF, 1, {}};
  for (size_t i = 0; i < points; ++i) {
    curve.points.push_back({20.0 * std::pow(1e5, double(i) / double(points - 1)), value(i)});
  }
  return curve;
}

TEST(HtmlPage, HostileNamesAreShownAsText) {
  GridSnapshot grid{{{L"Id", L"Name"}, {L"R 1-2", kHostile}}, {{1, 1}}, 1, 1, 0};
  GraphSnapshot graph{kHostile, kHostile, true, std::nullopt,
                      {Curve(kHostile, 10, [](size_t i) { return -double(i); })},
                      {{kHostile, 1000, 10000, 0x8CC8FF}}};
  PanelSnapshot panel{0, kHostile, kHostile, true, grid, grid, kHostile, kHostile, {}, {graph}};
  AnalysisSnapshot analysis{{{json::ToUtf8(kHostile), "a&b\"c'.csv", 10, 20, 2e6}},
                            {panel},
                            std::nullopt,
                            {{kHostile, kHostile, 0, 1}}};
  std::ostringstream page;
  WriteAnalysisPage(analysis, page);
  EXPECT_THAT(page.str(), Not(HasSubstr("<script")));
  EXPECT_THAT(page.str(), Not(HasSubstr("'a'")));
  EXPECT_THAT(page.str(), HasSubstr("a&amp;b&quot;c&#39;.csv"));
  const std::string text = page.str();
  size_t shown = 0;
  for (size_t at = text.find(kEscaped); at != std::string::npos; at = text.find(kEscaped, at + 1)) {
    ++shown;
  }
  // Sweep table, heading, GUID, two grids, conclusion, magnitude difference, curve title,
  // legend, range title and label, two axis labels, message caption and text.
  EXPECT_EQ(shown, 15u);
}

TEST(HtmlPage, AMillionPointSweepMakesASmallPage) {
  GraphSnapshot graph;
  graph.curves.push_back(Curve(L"long", 1'000'000, [](size_t i) { return std::sin(i * 0.01); }));
  std::ostringstream page;
  WriteSweepsPage({{"long", "long.csv", 1'000'000, 20, 2e6}}, graph, page);
  EXPECT_LT(page.str().size(), 100'000u);
}

TEST(HtmlPage, AFixedValueRangeIsKeptAndValuesBeyondItStayOnThePlot) {
  GraphSnapshot graph;
  graph.valueRange = {-1.2, 1.2};
  graph.curves.push_back(Curve(L"c", 100, [](size_t i) { return i % 2 ? 5.0 : -5.0; }));
  std::ostringstream svg;
  WriteGraphFigure(graph, svg);
  const std::string text = svg.str();
  std::vector<std::string> labels;
  const std::regex tick(R"(<g class="y-tick">.*?>([^<>]*)</text>)");
  for (auto it = std::sregex_iterator(text.begin(), text.end(), tick); it != std::sregex_iterator();
       ++it) {
    labels.push_back((*it)[1]);
  }
  EXPECT_THAT(labels, ElementsAre("-1.0", "-0.5", "0.0", "0.5", "1.0"));
  std::smatch plot;
  const std::regex plotArea(
      R"re(class="plot-area" x="[0-9.]+" y="([0-9.]+)" width="[0-9.]+" height="([0-9.]+)")re");
  ASSERT_TRUE(std::regex_search(text, plot, plotArea));
  const double top = std::stod(plot[1]);
  const double bottom = top + std::stod(plot[2]);
  const std::string line = text.substr(text.find("<polyline"));
  const std::regex point(R"(([0-9.]+),([0-9.]+) )");
  int points = 0;
  for (auto it = std::sregex_iterator(line.begin(), line.end(), point);
       it != std::sregex_iterator(); ++it, ++points) {
    const double y = std::stod((*it)[2]);
    EXPECT_TRUE(y >= top && y <= bottom) << y;
  }
  EXPECT_GT(points, 50);
}

}  // namespace
}  // namespace orlo::host
