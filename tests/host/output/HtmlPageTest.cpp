// The HTML page: hostile names stay text, long sweeps stay small (per pixel column the
// first, lowest, highest and last point survive), fixed value ranges hold. (What the page
// looks like in a browser is checked by tests/browser.)
#include "platform/common/Utf8.h"
#include "host/output/HtmlPage.h"
#include "host/output/Json.h"
#include "host/output/PointReduction.h"
#include "host/output/SvgGraph.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <vector>

namespace orlo::host {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

const std::wstring kHostile = L"<script>alert(1)</script> \"q\" 'a' & b";
const char kEscaped[] = "&lt;script&gt;alert(1)&lt;/script&gt; &quot;q&quot; &#39;a&#39; &amp; b";

CurveSnapshot Curve(std::wstring name, size_t points, double (*value)(size_t)) {
  CurveSnapshot curve{std::move(name), {}, 0x0000FF, 1, {}};
  for (size_t i = 0; i < points; ++i) {
    curve.points.push_back({20.0 * std::pow(1e5, double(i) / double(points - 1)), value(i)});
  }
  return curve;
}

TEST(HtmlPage, HostileNamesAreShownAsText) {
  GridSnapshot grid{{{L"Id", L"Name"}, {L"R 1-2", kHostile}}, {{1, 1}}, 1, 1, 0};
  GraphSnapshot graph{kHostile, kHostile, true, std::nullopt,
                      {Curve(kHostile, 10, [](size_t i) { return -double(i); })},
                      {{kHostile, 1000, 10000, 0x8CC8FF}}, std::nullopt};
  PanelSnapshot panel{0, kHostile, kHostile, true, grid, grid, kHostile, kHostile, {}, {graph},
                      {}, {}, {}, {}};
  AnalysisSnapshot analysis{{{orlo::WideToUtf8(kHostile), "a&b\"c'.csv", 10, 20, 2e6}},
                            {panel},
                            std::nullopt,
                            {{kHostile, kHostile, 0, 1}},
                            {},
                            {}};
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
  WriteSweepsPage({{"long", "long.csv", 1'000'000, 20, 2e6}}, graph, {}, page);
  EXPECT_LT(page.str().size(), 100'000u);
}

// The text between `open` and the next `close` after `from`; advances `from` past it.
std::string Between(const std::string& text, const std::string& open, const std::string& close,
                    size_t& from) {
  const size_t start = text.find(open, from);
  if (start == std::string::npos) {
    from = std::string::npos;
    return "";
  }
  const size_t end = text.find(close, start + open.size());
  from = end;
  return text.substr(start + open.size(), end - start - open.size());
}

TEST(HtmlPage, AFixedValueRangeIsKeptAndValuesBeyondItStayOnThePlot) {
  GraphSnapshot graph;
  graph.valueRange = {-1.2, 1.2};
  graph.curves.push_back(Curve(L"c", 100, [](size_t i) { return i % 2 ? 5.0 : -5.0; }));
  std::ostringstream svg;
  WriteGraphFigure(graph, svg);
  const std::string text = svg.str();

  std::vector<std::string> labels;
  for (size_t at = 0; (at = text.find("<g class=\"y-tick\">", at)) != std::string::npos;) {
    const std::string tick = Between(text, "<text", "</text>", at);
    labels.push_back(tick.substr(tick.find('>') + 1));
  }
  EXPECT_THAT(labels, ElementsAre("-1.0", "-0.5", "0.0", "0.5", "1.0"));

  size_t at = text.find("class=\"plot-area\"");
  const double top = std::stod(Between(text, "y=\"", "\"", at));
  const double bottom = top + std::stod(Between(text, "height=\"", "\"", at));
  at = 0;
  std::istringstream points(Between(text, "<polyline points=\"", "\"", at));
  int count = 0;
  for (double x, y; points >> x && points.ignore(1) && points >> y; ++count) {
    EXPECT_TRUE(y >= top && y <= bottom) << y;
  }
  EXPECT_GT(count, 50);
}

TEST(PointReduction, KeepsFirstLowestHighestAndLastOfEachColumnInOrder) {
  const std::vector<PlotPoint> points = {
      {0.1, 5}, {0.2, 1}, {0.3, 9}, {0.35, 3}, {0.4, 4},  // column 0: (0.35, 3) goes
      {1.5, 7},                                            // column 1: alone
      {2.0, 2}, {2.9, 2},                                  // column 2: first and last
      {3.1, 8}, {3.2, 6}, {3.3, 8},                        // column 3: the first of equal highs
  };
  const std::vector<PlotPoint> expected = {{0.1, 5}, {0.2, 1}, {0.3, 9}, {0.4, 4}, {1.5, 7},
                                           {2.0, 2}, {2.9, 2}, {3.1, 8}, {3.2, 6}, {3.3, 8}};
  EXPECT_EQ(ReducePerColumn(points), expected);
  EXPECT_TRUE(ReducePerColumn({}).empty());
}

}  // namespace
}  // namespace orlo::host
