// CAnalyzerRun: analyzer instances driven the way the host drives them, for `orlo analyze`.
//
// Start makes an instance of a registered analyzer with CreateInstance and drives it in
// the analyzers' calling order: Initialize, CreatePanel under a root item of its own
// (laid out at kPanelWidth × kPanelHeight), OnLayout, Activate(true). Stop (also run by
// the destructor) ends every instance in start order with DestroyPanel, Uninitialize and
// Destroy, and then destroys its root item. The run owns the instances and the root items;
// the registered analyzers stay the manager's. A graph plug-in must exist while
// instances run (their graph windows and curves come from it).
#pragma once

#include "host/output/AnalysisSnapshot.h"
#include "module/core/AnalyzerInterfaces.h"

#include <optional>
#include <string>
#include <vector>

class CORLOGuiItem;

namespace orlo::host {

class CGraphPlugin;

class CAnalyzerRun {
 public:
  static constexpr int kPanelWidth = 900;
  static constexpr int kPanelHeight = 700;

  CAnalyzerRun() = default;
  CAnalyzerRun(const CAnalyzerRun&) = delete;
  CAnalyzerRun& operator=(const CAnalyzerRun&) = delete;
  ~CAnalyzerRun() { Stop(); }

  // `index` is the registered analyzer's index, kept for the snapshot. False (nothing
  // left running) when CreateInstance answers null or Initialize fails.
  bool Start(size_t index, IBaseAnalyzer& registered);
  // Clicks cell (row, 1) of the results grid of every instance that has one (or of the
  // instance of registered analyzer `only`), as a user would. Answers false, clicking
  // nothing, when `row` is a header row or beyond the last row of one of these grids, or
  // when no such grid is left to click.
  bool ClickResultsRow(int row, std::optional<size_t> only = std::nullopt);
  // Clicks the push button whose text is `text` on every panel that has one, as a user
  // would. Answers false when no panel has such a button.
  bool ClickButton(const std::wstring& text);
  // The texts of the push buttons on the panel of registered analyzer `index`, in the
  // order of its item tree.
  std::vector<std::wstring> ButtonTexts(size_t index) const;
  // What every running instance shows, in start order.
  std::vector<PanelSnapshot> Snapshot(const CGraphPlugin& graph) const;
  void Stop();

 private:
  struct Instance {
    size_t index;
    IBaseAnalyzer* analyzer;
    CORLOGuiItem* root;
  };
  std::vector<Instance> instances_;
};

}  // namespace orlo::host
