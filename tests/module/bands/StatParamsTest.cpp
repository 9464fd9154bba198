#include "module/bands/StatParams.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace {

// A band's fields in declaration order, so a whole band compares in one expectation.
struct BandRow {
  std::wstring label;
  double minFreq, maxFreq;
  bool normalSet;
  double normalStart;
  bool suspectSet;
  double suspectStart, suspectEnd;
  bool obviousSet;
  double obviousEnd;
  bool operator==(const BandRow&) const = default;
};

std::vector<BandRow> Rows(const CFreqBandArray& bands) {
  std::vector<BandRow> rows;
  for (const tagFREQBAND* b : bands) {
    rows.push_back({b->label, b->minFreq, b->maxFreq, b->normalSet, b->normalStart, b->suspectSet,
                    b->suspectStart, b->suspectEnd, b->obviousSet, b->obviousEnd});
  }
  return rows;
}

TEST(StatParamsTest, SetNamesAndTheirReading) {
  EXPECT_EQ(StatParamName(STAT_LRXY), L"LRxy");
  EXPECT_EQ(StatParamName(STAT_RXY), L"RXy");
  EXPECT_EQ(StatParamName(STAT_NCEPRI), L"NCEPRI");
  EXPECT_EQ(StatParamName(3), L"");
  EXPECT_EQ(StatParamName(-1), L"");
  const struct {
    const wchar_t* name;
    int technique;
  } names[] = {{L"Rxy", 1}, {L"RXY", 1}, {L"rXy", 1}, {L"RXy", 1}, {L"ncepri", 2},
               {L"NcEpRi", 2}, {L"LRxy", 0}, {L"", 0}, {L"Rxy ", 0}, {L"R", 0}};
  for (const auto& n : names) EXPECT_EQ(StatParamFromName(n.name), n.technique) << n.name;
}

TEST(StatParamsTest, DefaultBandsOfEachTechniqueAreAppendedAfterTheBandsThere) {
  const std::vector<BandRow> lrxy{
      {L"LF", 1000, 100000, true, 0.99, true, 0.9, 0.99, true, 0.9},
      {L"MF", 100000, 600000, true, 0.9, true, 0.7488, 0.9, true, 0.7488},
      {L"HF", 600000, 1000000, true, 0.7488, false, 0, 0.7488, false, 0}};
  const std::vector<BandRow> rxy{{L"LF", 1000, 100000, true, 2, true, 1, 2, true, 1},
                                 {L"MF", 100000, 600000, true, 1, true, 0.6, 1, true, 0.6},
                                 {L"HF", 600000, 1000000, true, 0.6, false, 0, 0.6, false, 0}};
  const std::vector<BandRow> ncepri{{L"NCEPRI", 10000, 700000, true, 3.5, true, 7, 3.5, true, 7}};
  const struct {
    int technique;
    const std::vector<BandRow>& expected;
  } cases[] = {{0, lrxy}, {1, rxy}, {2, ncepri}, {3, lrxy}, {-1, lrxy}};
  for (const auto& c : cases) {
    StatParamSet set;
    AddDefaultBands(set.bands, c.technique);
    EXPECT_EQ(Rows(set.bands), c.expected) << c.technique;
  }

  StatParamSet set;
  set.bands.Add(new tagFREQBAND{L"A"});
  set.bands.Add(new tagFREQBAND{L"B"});
  AddDefaultBands(set.bands, STAT_NCEPRI);
  ASSERT_EQ(set.bands.GetSize(), 3);
  EXPECT_EQ(set.bands[0]->label, L"A");
  EXPECT_EQ(set.bands[1]->label, L"B");
  EXPECT_EQ(set.bands[2]->label, L"NCEPRI");
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
  ASSERT_EQ(bands.GetSize(), 4);
  EXPECT_EQ(bands[1], nullptr);
  EXPECT_EQ(bands[2], nullptr);
  bands.SetAtGrow(1, &b);
  bands.RemoveAt(2);
  ASSERT_EQ(bands.GetSize(), 3);
  EXPECT_EQ(bands[0], &a);
  EXPECT_EQ(bands[1], &b);
  EXPECT_EQ(bands[2], &c);
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
