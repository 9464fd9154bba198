// CXCorrAnalyzer: choosing the sweeps, evaluating every pair band by band, the pair
// conclusions, and the full recalculation after a settings change.
#include <cmath>
#include <stdexcept>

#include "module/comparison/SweepStatistics.h"
#include "module/xcorr/XCorrAnalyzer.h"
#include "module/xcorr/XCorrVerdict.h"
#include "platform/controls/GridCtrl.h"

namespace {

constexpr int kConclusionColumn = 2;
constexpr int kMagnitudeColumn = 3;
constexpr int kMagnitudeVerdictColumn = 4;

}  // namespace

void CXCorrAnalyzer::RebuildResults(bool reset) {
  if (reset) {
    sweepNameA.clear();
    sweepNameB.clear();
    for (std::wstring& slot : sweepSlots) {
      slot.clear();
    }
  }
  const std::array<std::wstring, comparison::kSlotCount> names = FirstVisibleSweeps();
  if (names == sweepSlots) {
    return;
  }

  sweepNameA.clear();
  sweepNameB.clear();
  sweepSlots = names;
  CGridCtrl* const grid = GetResultsGrid();
  if (grid != nullptr) {
    for (int row = 1; row < grid->GetRowCount(); ++row) {
      for (int column = 1; column < grid->GetColumnCount(); ++column) {
        grid->SetItemText(row, column, std::wstring());
      }
    }
  }

  WritePairLabels(grid, sweepSlots);

  EvaluateAll();
  if (grid != nullptr) {
    grid->Invalidate();
  }
  SelectPairRow(1);
}

void CXCorrAnalyzer::EvaluateAll() {
  for (int p = 0; p < comparison::kPairCount; ++p) {
    conclusionText[p].clear();
    magnDiffText[p].clear();
    std::vector<double>().swap(bandValues[p]);
    evaluated[p] = false;
  }
  results.clear();
  for (int p = 0; p < comparison::kPairCount; ++p) {
    if (sweepSlots[comparison::kPairs[p].slotA].empty() ||
        sweepSlots[comparison::kPairs[p].slotB].empty()) {
      continue;
    }
    EvaluatePair(p);
    WritePairRow(p);
  }
}

void CXCorrAnalyzer::EvaluatePair(int pair) {
  sweepNameA = sweepSlots[comparison::kPairs[pair].slotA];
  sweepNameB = sweepSlots[comparison::kPairs[pair].slotB];
  if (sweepNameA.empty() || sweepNameB.empty()) {
    return;
  }

  AcquiredPair sweeps(sweepNameA, sweepNameB);

  const int bandCount = bands.GetSize();
  while (static_cast<int>(results.size()) < bandCount) {
    results.push_back(std::make_unique<tagRESULT>());
  }
  bandValues[pair].resize(bandCount);
  for (int i = 0; i < bandCount; ++i) {
    const tagFREQBAND& band = *bands[i];
    const double statistic = BandStatistic(band.minFreq, band.maxFreq, &sweeps.a.data,
                                           &sweeps.b.data, sweeps.grid.get(), sweeps.count);
    ResultAt(i).value[pair] = statistic;
    bandValues[pair][i] = statistic;
  }
  magnDiff[pair] =
      MagnitudeDifferenceAtCrossing(kMagnitudeDifferenceLow, kMagnitudeDifferenceHigh,
                                    sweeps.a.data, sweeps.b.data, sweeps.grid.get(), sweeps.count);
  evaluated[pair] = true;
  PairConclusion(pair);
  ConclusionTexts(pair);
}

CXCorrAnalyzer::tagRESULT& CXCorrAnalyzer::ResultAt(int band) {
  if (band < 0 || band >= static_cast<int>(results.size())) {
    throw std::invalid_argument("no band result at this index");
  }
  return *results[band];
}

void CXCorrAnalyzer::PairConclusion(int pair) {
  int worst = xcorr::kNoCriterion;
  for (int i = 0; i < bands.GetSize(); ++i) {
    worst = std::max(worst, ClassifyBandValue(*bands[i], ResultAt(i).value[pair]));
  }
  conclusionCode[pair] = worst;
}

void CXCorrAnalyzer::ConclusionTexts(int pair) {
  conclusionText[pair] = xcorr::ConclusionText(conclusionCode[pair], currentStatParam);
  magnDiffText[pair] = xcorr::MagnitudeDifferenceText(magnDiff[pair], magnitudeDifferenceLimit);
}

void CXCorrAnalyzer::WritePairRow(int pair) {
  CGridCtrl* const grid = GetResultsGrid();
  if (grid == nullptr) {
    return;
  }
  const int row = pair + 1;
  grid->SetItemText(row, kConclusionColumn, conclusionText[pair]);
  if (!magnitudeDifference) {
    return;
  }
  const double d = magnDiff[pair];
  grid->SetItemText(row, kMagnitudeColumn,
                    std::fabs(d) < STAT_NO_LOW_EDGE ? OxFormatValue(d, 2, 4, 2) : std::wstring());
  grid->SetItemText(row, kMagnitudeVerdictColumn, magnDiffText[pair]);
}

void CXCorrAnalyzer::FullRecalculation() {
  ReloadSettings();
  MakeConclusionReadOnly();
  InitResultsGrid();
  InitCriteriaGrid();
  EvaluateAll();
  LayoutGrid();
  AddBandRanges();

  int row = 1;
  if (CGridCtrl* const grid = GetResultsGrid(); grid != nullptr) {
    bool found = false;
    for (int r = 1; r < grid->GetRowCount() && !found; ++r) {
      for (int column = 0; column < grid->GetColumnCount() && !found; ++column) {
        if ((grid->GetItemState(r, column) & (GVIS_SELECTED | GVIS_FOCUSED)) != 0) {
          row = r;
          found = true;
        }
      }
    }
  }
  SelectPairRow(row);
}
