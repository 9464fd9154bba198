// CDTL911Analyzer: choosing the sweeps, computing the factors of each pair and writing
// them into the results grid.
#include "module/core/GraphMessages.h"
#include "module/dlt911/DTL911Analyzer.h"
#include "module/dlt911/DTL911Verdict.h"
#include "platform/controls/GridCtrl.h"

void CDTL911Analyzer::RebuildResults(bool reset) {
  const std::array<std::wstring, dlt911::kSlotCount> names = FirstVisibleSweeps();
  if (reset) {
    sweepNameA.clear();
    sweepNameB.clear();
    for (std::wstring& slot : sweepSlots) {
      slot.clear();
    }
  }

  if (names == sweepSlots) {
    return;
  }

  sweepNameA.clear();
  sweepNameB.clear();
  sweepSlots = names;
  for (PairResult& result : pairs) {
    result.computed = false;  // until FillResults computes the new pairs
  }
  if (GetResultsGrid() != nullptr) {
    PresentSelection();
  }
}

void CDTL911Analyzer::PresentSelection() {
  CGridCtrl* const grid = GetResultsGrid();
  for (int row = 1; row <= dlt911::kPairCount; ++row) {
    for (int column = 1; column <= 5; ++column) {
      grid->SetItemText(row, column, std::wstring());
    }
  }

  WritePairLabels(grid, sweepSlots);

  FillResults();
  grid->Invalidate();
  SelectPairRow(1);
}

void CDTL911Analyzer::FillResults() {
  for (PairResult& result : pairs) {
    result.rLfText.clear();
    result.rMfText.clear();
    result.rHfText.clear();
    result.conclusion.clear();
    result.computed = false;
  }
  for (int p = 0; p < dlt911::kPairCount; ++p) {
    if (sweepSlots[dlt911::kPairs[p].slotA].empty() ||
        sweepSlots[dlt911::kPairs[p].slotB].empty()) {
      continue;
    }
    ComputePair(p);
    if (CGridCtrl* const grid = GetResultsGrid(); grid != nullptr) {
      const PairResult& result = pairs[p];
      grid->SetItemText(p + 1, 5, result.conclusion);
      grid->SetItemText(p + 1, 2, result.rLfText);
      grid->SetItemText(p + 1, 3, result.rMfText);
      grid->SetItemText(p + 1, 4, result.rHfText);
    }
  }
}

void CDTL911Analyzer::ComputePair(int pair) {
  if (pair < 0 || pair >= dlt911::kPairCount) {
    return;
  }
  sweepNameA = sweepSlots[dlt911::kPairs[pair].slotA];
  sweepNameB = sweepSlots[dlt911::kPairs[pair].slotB];
  if (sweepNameA.empty() || sweepNameB.empty()) {
    return;
  }

  AcquiredPair sweeps(sweepNameA, sweepNameB);

  PairResult& result = pairs[pair];
  using dlt911::kBands;
  const auto factor = [&](dlt911::Band band) {
    return BandStatistic(kBands[band].low, kBands[band].high, &sweeps.a.data, &sweeps.b.data,
                         sweeps.grid.get(), sweeps.count);
  };
  result.rLf = factor(dlt911::kBandLf);
  result.rMf = factor(dlt911::kBandMf);
  result.rHf = factor(dlt911::kBandHf);
  result.computed = true;
  ClassifyPair(pair);
}

void CDTL911Analyzer::ClassifyPair(int pair) {
  if (pair < 0 || pair >= dlt911::kPairCount) {
    return;
  }
  PairResult& result = pairs[pair];
  result.rLfText = dlt911::FormatFactor(result.rLf);
  result.rMfText = dlt911::FormatFactor(result.rMf);
  result.rHfText = dlt911::FormatFactor(result.rHf);
  const dlt911::Verdict verdict = dlt911::ClassifyFactors(result.rLf, result.rMf, result.rHf);
  result.conclusion = verdict == dlt911::Verdict::kNone
                          ? std::wstring()
                          : CGettext::Get().Translate(dlt911::VerdictText(verdict));
}
