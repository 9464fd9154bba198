// CXCorrAnalyzerEditor: the modal band editor of the settings dialog. It creates a band
// ("Add...", no band given) or changes one ("Edit..."): label, frequency range and the
// Normal and Suspect (Slight) thresholds; the upper end of the Suspect range mirrors the
// Normal threshold and the Obvious (Serious) threshold mirrors the Suspect one, in two
// read-only boxes.
//
// "OK" checks the input and shows the first failing check's message (a plain OK box
// through TransMessageBox) with the dialog left open, in this order: "Max < Min",
// "Min freq <= 0", "Normal Value must be > 0", then for techniques 0 and 1 "Suspect must
// be between 0 and Normal value", for technique 2 "Slight value must be > Normal value".
// Valid input is written into the band (a new band is made for "Add...") and saved with
// SaveEditedBand; the editor then ends with 1. "Cancel" ends with 2 and saves nothing.
// A caller that must write something first (the settings dialog's defaults on first use)
// gives it with SetBeforeSave: it runs at a valid "OK", before the band is changed.
//
// The editor owns nothing it points to (the band belongs to the caller's set) except a
// band it makes, which lives only until it is saved. The dialog is a GUI item (kind 7)
// spawned by RunModal and exists only while RunModal runs; hosts and tests drive it
// through the platform's user actions on the items below, and Running() names the editor
// whose modal run is active.
#pragma once

#include <functional>

#include "module/bands/FreqBand.h"
#include "platform/common/GuiManager.h"

class CORLOGuiItem;
class CWnd;
class CXCorrAnalyzer;

class CXCorrAnalyzerEditor : public IBaseGuiManager {
 public:
  // `analyzer` gives the title (may be null); `technique` is the set the band belongs to;
  // `band` is the band to change, or null for a new one.
  CXCorrAnalyzerEditor(CXCorrAnalyzer* analyzer, int technique, tagFREQBAND* band);
  CXCorrAnalyzerEditor(const CXCorrAnalyzerEditor&) = delete;
  CXCorrAnalyzerEditor& operator=(const CXCorrAnalyzerEditor&) = delete;

  // IBaseGuiManager.
  void OnGuiMessage(CORLOGuiItem* item, ORLOWndMessage* message) override;
  void OnGuiCreate(CORLOGuiItem* item) override;
  void OnGuiPopulate() override;

  ~CXCorrAnalyzerEditor() override;

  // Spawns the dialog, runs it modally and destroys it again; answers 1 after a successful
  // "OK", 2 after "Cancel" (or when nothing is left to do), -1 when no dialog could be
  // made. `parent` is accepted and not used (the stand-in's dialogs are top-level items).
  virtual int RunModal(CWnd* parent);

  // Runs `write` once the input passed the checks, before the band is changed and saved.
  void SetBeforeSave(std::function<void()> write) { beforeSave = std::move(write); }

  // The editor whose modal run is active (the innermost), or null.
  static CXCorrAnalyzerEditor* Running();

  // The dialog's items while it runs (null otherwise).
  CORLOGuiItem* Dialog() const { return dialog; }
  CORLOGuiItem* LabelEdit() const { return labelEdit; }
  CORLOGuiItem* MinFreqEdit() const { return minFreqEdit; }
  CORLOGuiItem* MaxFreqEdit() const { return maxFreqEdit; }
  CORLOGuiItem* NormalEdit() const { return normalEdit; }
  CORLOGuiItem* SuspectEdit() const { return suspectEdit; }
  CORLOGuiItem* SuspectEndEdit() const { return suspectEndEdit; }
  CORLOGuiItem* ObviousEndEdit() const { return obviousEndEdit; }
  CORLOGuiItem* OkButton() const { return okButton; }
  CORLOGuiItem* CancelButton() const { return cancelButton; }

 private:
  void BuildControls();
  void BuildCriteria(CORLOGuiItem* group);
  CORLOGuiItem* AddEdit(CORLOGuiItem* row, bool readOnly = false);
  // The first failing check's message, or null when the input is valid.
  const char* CheckInput() const;
  void SaveInput();
  void ForgetItems();

  CXCorrAnalyzer* analyzer;
  tagFREQBAND* band;
  CORLOGuiItem* dialog = nullptr;
  CORLOGuiItem* labelEdit = nullptr;
  CORLOGuiItem* minFreqEdit = nullptr;
  CORLOGuiItem* maxFreqEdit = nullptr;
  CORLOGuiItem* normalEdit = nullptr;
  CORLOGuiItem* suspectEdit = nullptr;
  CORLOGuiItem* suspectEndEdit = nullptr;
  CORLOGuiItem* obviousEndEdit = nullptr;
  CORLOGuiItem* okButton = nullptr;
  CORLOGuiItem* cancelButton = nullptr;
  int technique;
  std::function<void()> beforeSave;
};
