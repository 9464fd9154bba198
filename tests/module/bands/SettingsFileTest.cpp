// The settings file as written and read, and the technique sets it holds (names, default
// bands, the band array).
#include "module/bands/SettingsFile.h"
#include "module/bands/StatParams.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <stdexcept>
#include <tuple>
#include <vector>

#include "platform/win/MessageBox.h"
#include "tests/module/bands/BandFields.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/SettingsFolder.h"

namespace {

using orlo::test::SettingsFolder;

std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// The bit patterns of every number of every band, set by set.
std::vector<std::uint64_t> Bits(const XCorrSettings& settings) {
  std::vector<std::uint64_t> bits;
  for (const StatParamSet& set : settings.StatParams) {
    for (const tagFREQBAND* b : set.bands) {
      for (double v : {b->minFreq, b->maxFreq, b->normalStart, b->suspectStart, b->suspectEnd, b->obviousEnd}) {
        bits.push_back(std::bit_cast<std::uint64_t>(v));
      }
    }
  }
  return bits;
}

tagFREQBAND* Band(const std::wstring& label, double minFreq, double maxFreq) {
  return new tagFREQBAND{label, minFreq, maxFreq, true, 2, true, 1, 2, false, 0.6};
}

TEST(SettingsFileTest, FullSaveWritesTheElementTreeInItsOrder) {
  SettingsFolder folder;
  EXPECT_EQ(SettingsFilePath(), Wide(folder.Path()));
  XCorrSettings settings;
  settings.CurrentStatParam = STAT_NCEPRI;
  settings.MagnitudeDifference = false;
  settings.MagnitudeDifferenceLimit = 0.5;
  settings.StatParams[STAT_RXY].bands.Add(Band(L"L<F>", 1000, 100000));
  settings.StatParams[STAT_NCEPRI].bands.Add(
      new tagFREQBAND{L"N", 1e4, 7e5, true, 3.5, true, 7, 3.5, true, 7});
  folder.Write("<VelmoraAnalyzer><Old/></VelmoraAnalyzer>");

  EXPECT_TRUE(SaveAllSettings(settings));
  EXPECT_EQ(folder.Read(),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<VelmoraAnalyzer>\n"
            "  <XCorrAnalyzer version=\"2\">\n"
            "    <CurrentStatParam>NCEPRI</CurrentStatParam>\n"
            "    <MagnitudeDifference>false</MagnitudeDifference>\n"
            "    <MagnitudeDifferenceLimit>0.5</MagnitudeDifferenceLimit>\n"
            "    <StatParams name=\"RXy\">\n"
            "      <Band>\n"
            "        <MinFreq>1000</MinFreq>\n"
            "        <MaxFreq>100000</MaxFreq>\n"
            "        <Label>L&lt;F&gt;</Label>\n"
            "        <Normal set=\"true\" start=\"2\"/>\n"
            "        <Suspect set=\"true\" start=\"1\" end=\"2\"/>\n"
            "        <Obvious set=\"false\" end=\"0.6\"/>\n"
            "      </Band>\n"
            "    </StatParams>\n"
            "    <StatParams name=\"NCEPRI\">\n"
            "      <Band>\n"
            "        <MinFreq>10000</MinFreq>\n"
            "        <MaxFreq>700000</MaxFreq>\n"
            "        <Label>N</Label>\n"
            "        <Normal set=\"true\" start=\"3.5\"/>\n"
            "        <Suspect set=\"true\" start=\"7\" end=\"3.5\"/>\n"
            "        <Obvious set=\"true\" end=\"7\"/>\n"
            "      </Band>\n"
            "    </StatParams>\n"
            "  </XCorrAnalyzer>\n"
            "</VelmoraAnalyzer>\n");
  EXPECT_FALSE(folder.Exists("Analyzer.xml.saving"));
  EXPECT_TRUE(orlo::win::MessageBoxes().empty());

  XCorrSettings read;  // a set without bands reads back empty
  ASSERT_TRUE(LoadAllSettings(read));
  EXPECT_TRUE(read.StatParams[STAT_LRXY].bands.IsEmpty());
}

TEST(SettingsFileTest, ReadsAHandWrittenFileExactly) {
  SettingsFolder folder;
  folder.Write(
      "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n"
      "<!-- kept by the lab -->\r\n"
      "<VelmoraAnalyzer owner=\"lab\">\r\n"
      "  <OtherTool><CurrentStatParam>NCEPRI</CurrentStatParam></OtherTool>\r\n"
      "  <XCorrAnalyzer version=\"2\" note=\"x\">\r\n"
      "    <CurrentStatParam>rxy</CurrentStatParam>\r\n"
      "    <StatParams name=\"NCEPRI\"><Band><Label>N1</Label></Band></StatParams>\r\n"
      "    <!-- the technique 1 set, in two parts -->\r\n"
      "    <StatParams name=\"rXY\">\r\n"
      "      <Band extra=\"1\">\r\n"
      "        <Obvious end=\"0.6\" set=\"TRUE\"/>\r\n"
      "        <Label>Fr\xE9q</Label><Comment>ignored</Comment>\r\n"
      "        <MaxFreq> 1e5 </MaxFreq>\r\n"
      "        <MinFreq>1000</MinFreq>\r\n"
      "        <Normal start=\"2\" set=\"true\"/>\r\n"
      "      </Band>\r\n"
      "    </StatParams>\r\n"
      "    <StatParams name=\"Other\"><Band><Label>O</Label></Band></StatParams>\r\n"
      "    <StatParams name=\"RXY\"><Band><Label>R2</Label><Suspect set=\"yes\" start=\"1\" "
      "end=\"2\"/></Band></StatParams>\r\n"
      "  </XCorrAnalyzer>\r\n"
      "</VelmoraAnalyzer>\r\n");
  XCorrSettings settings;
  ASSERT_TRUE(LoadAllSettings(settings));
  EXPECT_EQ(settings.CurrentStatParam, STAT_RXY);
  EXPECT_TRUE(settings.MagnitudeDifference);           // element missing
  EXPECT_EQ(settings.MagnitudeDifferenceLimit, 0.25);  // element missing
  const std::vector<tagFREQBAND> rxy = {
      {L"Fr\u00e9q", 1000, 100000, true, 2, false, 0, 0, true, 0.6},  // no "Suspect"
      {L"R2", 0, 0, false, 0, false, 1, 2, false, 0}};                  // "yes" is not "true"
  EXPECT_EQ(Copies(settings.StatParams[STAT_RXY].bands), rxy);
  EXPECT_EQ(Copies(settings.StatParams[STAT_LRXY].bands), std::vector<tagFREQBAND>{{L"O"}});
  EXPECT_EQ(Copies(settings.StatParams[STAT_NCEPRI].bands), std::vector<tagFREQBAND>{{L"N1"}});
  for (int t = 0; t < kStatTechniqueCount; ++t) EXPECT_EQ(settings.StatParams[t].technique, t);

  CFreqBandArray current;  // the analyzer's reader: the current set only
  int set = 0;
  bool flag = false;
  double limit = 0;
  ASSERT_TRUE(LoadCurrentSet(current, set, flag, limit));
  EXPECT_EQ(std::tie(set, flag, limit), std::tuple(STAT_RXY, true, 0.25));
  EXPECT_EQ(Copies(current), rxy);
  ClearBands(current);
}

TEST(SettingsFileTest, ReadersFailWithoutTheStructureAndChangeNothing) {
  SettingsFolder folder;
  const char* files[] = {
      nullptr,  // no file
      "<Other/>",
      "<VelmoraAnalyzer><XCorrAnalyzer version=\"3\"><CurrentStatParam>RXy</CurrentStatParam>"
      "</XCorrAnalyzer></VelmoraAnalyzer>",
      "<VelmoraAnalyzer><XCorrAnalyzer version=\"2\"><StatParams name=\"RXy\"><Band/>"
      "</StatParams></XCorrAnalyzer></VelmoraAnalyzer>",
  };
  for (const char* file : files) {
    if (file != nullptr) folder.Write(file);
    XCorrSettings settings;
    settings.CurrentStatParam = 2;
    EXPECT_FALSE(LoadAllSettings(settings)) << (file ? file : "no file");
    EXPECT_EQ(settings.CurrentStatParam, 2);
    EXPECT_TRUE(settings.StatParams[STAT_RXY].bands.IsEmpty());
    CFreqBandArray bands;
    int set = 2;
    bool flag = false;
    double limit = 9;
    EXPECT_FALSE(LoadCurrentSet(bands, set, flag, limit));
    EXPECT_EQ(std::tie(set, flag, limit), std::tuple(2, false, 9.0));
    EXPECT_TRUE(bands.IsEmpty());
  }
}

TEST(SettingsFileTest, EditingABandChangesItInPlaceAndNewBandsAreAppended) {
  SettingsFolder folder;
  ASSERT_TRUE(SaveGeneralSettings(STAT_RXY, true, 0.25));
  tagFREQBAND lf{L"LF", 1000, 100000, true, 2, true, 1, 2, true, 1};
  tagFREQBAND mf{L"MF", 100000, 600000, true, 1, true, 0.6, 1, true, 0.6};
  ASSERT_TRUE(SaveBand(lf, STAT_RXY, 0, 0));
  ASSERT_TRUE(SaveBand(mf, STAT_RXY, 0, 0));
  ASSERT_TRUE(SaveBand(mf, STAT_LRXY, 0, 0));

  tagFREQBAND edited = lf;
  edited.label = L"LF2";
  edited.minFreq = 2000;
  edited.suspectSet = false;
  ASSERT_TRUE(SaveEditedBand(edited, 1000, 100000));   // the current set: RXy
  tagFREQBAND added{L"HF", 600000, 1e6, true, 0.6, false, 0, 0.6, false, 0};
  ASSERT_TRUE(SaveEditedBand(added, 0, 0));
  tagFREQBAND unmatched{L"X", 1, 2};
  ASSERT_TRUE(SaveBand(unmatched, STAT_RXY, 5, 6));  // no band has these edges: appended

  XCorrSettings settings;
  ASSERT_TRUE(LoadAllSettings(settings));
  EXPECT_EQ(Copies(settings.StatParams[STAT_RXY].bands),
            (std::vector<tagFREQBAND>{edited, mf, added, unmatched}));
  EXPECT_EQ(Copies(settings.StatParams[STAT_LRXY].bands), std::vector<tagFREQBAND>{mf});
}

TEST(SettingsFileTest, EveryDoubleWrittenReadsBackBitForBit) {
  SettingsFolder folder;
  std::vector<double> values{0.1,    0.7488, 1e-300, 5e-324, -2.2250738585072009e-308,
                             std::numeric_limits<double>::max(), -0.0, 0.0, 1e15, 123456789.125,
                             -std::numeric_limits<double>::min()};
  std::mt19937_64 random(20240611);
  while (values.size() < 600) {
    const double value = std::bit_cast<double>(random());
    if (std::isfinite(value)) values.push_back(value);
  }
  XCorrSettings settings;
  for (size_t i = 0; i < values.size(); i += 6) {
    auto v = [&](size_t k) { return values[(i + k) % values.size()]; };
    settings.StatParams[i % 3].bands.Add(
        new tagFREQBAND{L"B", v(0), v(1), true, v(2), false, v(3), v(4), true, v(5)});
  }
  SaveAllSettings(settings);
  ASSERT_TRUE(orlo::win::MessageBoxes().empty());

  XCorrSettings read;
  ASSERT_TRUE(LoadAllSettings(read));
  EXPECT_EQ(Bits(read), Bits(settings));
  EXPECT_EQ(Bits(read).size(), 600u);
}

TEST(SettingsFileTest, FailedSavesShowTheirMessageAndLeaveTheFileAsItWas) {
  SettingsFolder folder;
  ASSERT_TRUE(SaveGeneralSettings(STAT_LRXY, true, 0.25));
  const std::string before = folder.Read();
  XCorrSettings settings;
  settings.StatParams[STAT_RXY].bands.Add(Band(L"LF", 1000, 100000));
  settings.StatParams[STAT_RXY].bands.Add(Band(L"MF", 100000, 600000));
  {
    orlo::test::FileSizeLimit limit(64);
    EXPECT_TRUE(SaveAllSettings(settings));
    EXPECT_FALSE(SaveGeneralSettings(STAT_RXY, false, 1));
    EXPECT_FALSE(SaveBand(*settings.StatParams[STAT_RXY].bands[0], STAT_RXY, 0, 0));
  }
  const std::wstring message = L"Could not write to file " + Wide(folder.Path()) + L".";
  ASSERT_EQ(orlo::win::MessageBoxes().size(), 5u);  // 3 + 1 + 1
  for (const auto& box : orlo::win::MessageBoxes()) {
    EXPECT_EQ(std::tie(box.text, box.style), std::tie(message, MB_ICONERROR));
  }
  EXPECT_EQ(folder.Read(), before);
  EXPECT_FALSE(folder.Exists("Analyzer.xml.saving"));
}

using Bands = std::vector<tagFREQBAND>;

TEST(StatParamsTest, SetNamesAndTheirReading) {
  EXPECT_EQ(StatParamName(STAT_LRXY), L"LRxy");
  EXPECT_EQ(StatParamName(STAT_RXY), L"RXy");
  EXPECT_EQ(StatParamName(STAT_NCEPRI), L"NCEPRI");
  EXPECT_EQ(StatParamName(3), L"");
  EXPECT_EQ(StatParamName(-1), L"");
  const std::pair<const wchar_t*, int> names[] = {
      {L"Rxy", 1},    {L"RXY", 1}, {L"rXy", 1}, {L"RXy", 1},   {L"ncepri", 2},
      {L"NcEpRi", 2}, {L"LRxy", 0}, {L"", 0},   {L"Rxy ", 0}, {L"R", 0}};
  for (const auto& [name, technique] : names) EXPECT_EQ(StatParamFromName(name), technique) << name;
}

TEST(StatParamsTest, DefaultBandsOfEachTechniqueAreAppendedAfterTheBandsThere) {
  const Bands lrxy{{L"LF", 1000, 100000, true, 0.99, true, 0.9, 0.99, true, 0.9},
                   {L"MF", 100000, 600000, true, 0.9, true, 0.7488, 0.9, true, 0.7488},
                   {L"HF", 600000, 1000000, true, 0.7488, false, 0, 0.7488, false, 0}};
  const Bands rxy{{L"LF", 1000, 100000, true, 2, true, 1, 2, true, 1},
                  {L"MF", 100000, 600000, true, 1, true, 0.6, 1, true, 0.6},
                  {L"HF", 600000, 1000000, true, 0.6, false, 0, 0.6, false, 0}};
  const Bands ncepri{{L"NCEPRI", 10000, 700000, true, 3.5, true, 7, 3.5, true, 7}};
  const std::pair<int, const Bands&> cases[] = {
      {0, lrxy}, {1, rxy}, {2, ncepri}, {3, lrxy}, {-1, lrxy}};
  for (const auto& [technique, expected] : cases) {
    StatParamSet set;
    AddDefaultBands(set.bands, technique);
    EXPECT_EQ(Copies(set.bands), expected) << technique;
  }

  StatParamSet set;
  set.bands.Add(new tagFREQBAND{L"A"});
  AddDefaultBands(set.bands, STAT_NCEPRI);
  EXPECT_EQ(Copies(set.bands), (Bands{{L"A"}, ncepri[0]}));
}

TEST(StatParamsTest, BandArrayRefusesIndicesOutsideAndGrowsWithNulls) {
  CFreqBandArray bands;
  EXPECT_THROW(bands.GetAt(0), std::invalid_argument);
  EXPECT_THROW(bands.SetSize(-1), std::invalid_argument);
  EXPECT_THROW(bands.SetAtGrow(-1, nullptr), std::invalid_argument);
  EXPECT_THROW(bands.RemoveAt(0), std::invalid_argument);

  tagFREQBAND a{L"A"}, b{L"B"}, c{L"C"};
  EXPECT_EQ(bands.Add(&a), 0);
  bands.SetAtGrow(3, &c);
  EXPECT_EQ(std::vector<tagFREQBAND*>(bands.begin(), bands.end()),
            (std::vector<tagFREQBAND*>{&a, nullptr, nullptr, &c}));
  bands.SetAtGrow(1, &b);
  bands.RemoveAt(2);
  EXPECT_EQ(std::vector<tagFREQBAND*>(bands.begin(), bands.end()),
            (std::vector<tagFREQBAND*>{&a, &b, &c}));
  EXPECT_THROW(bands[3], std::invalid_argument);
  EXPECT_THROW(bands[-1], std::invalid_argument);
  bands.RemoveAll();
  EXPECT_TRUE(bands.IsEmpty());

  CFreqBandArray owned;
  ClearBands(owned);  // empty: nothing to free
  owned.Add(new tagFREQBAND{L"X"});
  owned.SetAtGrow(2, new tagFREQBAND{L"Y"});  // with a null entry between
  ClearBands(owned);  // the sanitizer build reports anything not freed
  EXPECT_EQ(owned.GetSize(), 0);
}

}  // namespace
