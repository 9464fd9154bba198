// The three sweep pairs that every comparison analyzer evaluates: sweep slots 1 to 3 hold
// the first three visible sweeps, and pair p compares slots (1, 2), (2, 3) or (3, 1), in
// that order, with the first slot's sweep as the reference (A). Pair p is shown in results
// row p + 1 under its row label and reported under its tag.
//
// Texts are narrow English literals (callers translate what they show), tags wide.
#pragma once

#include <array>

namespace comparison {

constexpr int kSlotCount = 3;
constexpr int kPairCount = 3;

struct PairInfo {
  int slotA;  // 0-based sweep slot of the reference sweep
  int slotB;
  const char* rowLabel;
  const wchar_t* reportTag;
};

inline constexpr std::array<PairInfo, kPairCount> kPairs = {{
    {0, 1, "R 1-2", L"1_2"},
    {1, 2, "R 2-3", L"2_3"},
    {2, 0, "R 3-1", L"3_1"},
}};

}  // namespace comparison
