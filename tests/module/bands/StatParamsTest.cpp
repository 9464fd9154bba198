#include "module/bands/StatParams.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "tests/module/bands/BandFields.h"

namespace {

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
