// CXCorrAnalyzerSettings: the modal settings dialog of the correlation analysis. The user
// picks the statistical technique (the current parameter set), sees that set's bands in a
// grid, adds, edits (CXCorrAnalyzerEditor) and deletes bands, and switches the
// magnitude-difference check and its limit.
//
// Everything shown is loaded from the settings file and every change is written back at
// once (SettingsFile.h): a pick in the technique selector writes the general settings, a
// confirmed deletion and "OK" write everything, the band editor writes its band; "Cancel"
// undoes none of these. The dialog holds all three sets (settings().StatParams) and frees
// their bands with itself. When the file cannot be read it shows technique 1, the check on,
// the limit 0.25 and the default bands of every set, and those are what the next save
// writes; "Add..." and "Edit..." write them at the editor's "OK" (nothing before it, so a
// cancelled or refused band leaves the folder as it was), just before the band itself, so
// the band joins the sets shown.
//
// The dialog is a GUI item (kind 7) spawned by RunModal, whose owner this object is; it
// exists only while RunModal runs, which holds the settings file's lock (CFileLock) all
// along, so what it shows is what it changes and writes, whatever other processes do. Hosts and tests drive it through the platform's user
// actions on the items below, queued for the modal run; Running() names the dialog whose
// modal run is active. Hosts outside the module read what it holds through ISettingsReadout. Messages go through TransMessageBox. An operation that lacks a
// control window does nothing.
#pragma once

#include "module/bands/SettingsReadout.h"
#include "module/bands/StatParams.h"
#include "platform/common/GuiManager.h"

class CGridCtrl;
class CORLOGuiItem;
class CWnd;
class CXCorrAnalyzer;

class CXCorrAnalyzerSettings : public IBaseGuiManager, public ISettingsReadout {
 public:
  // `analyzer` gives the title and is handed to the band editor; it may be null.
  explicit CXCorrAnalyzerSettings(CXCorrAnalyzer* analyzer);
  CXCorrAnalyzerSettings(const CXCorrAnalyzerSettings&) = delete;
  CXCorrAnalyzerSettings& operator=(const CXCorrAnalyzerSettings&) = delete;

  // IBaseGuiManager.
  void OnGuiMessage(CORLOGuiItem* item, ORLOWndMessage* message) override;
  void OnGuiCreate(CORLOGuiItem* item) override;
  void OnGuiPopulate() override;

  // ISettingsReadout.
  SettingsReadout GetSettingsReadout() const override;

  ~CXCorrAnalyzerSettings() override;

  // Spawns the dialog, runs it modally and destroys it again; answers 1 after "OK", 2
  // after "Cancel" (or when nothing is left to do), -1 when no dialog could be made. The
  // stand-in's dialogs are top-level items: `parent` is accepted and not used.
  virtual int RunModal(CWnd* parent);

  // The dialog whose modal run is active (the innermost), or null.
  static CXCorrAnalyzerSettings* Running();

  // The dialog's items while it runs (null otherwise) and what it holds.
  CORLOGuiItem* Dialog() const { return dialog; }
  CORLOGuiItem* BandGrid() const { return bandGrid; }
  CORLOGuiItem* AddButton() const { return addButton; }
  CORLOGuiItem* DeleteButton() const { return deleteButton; }
  CORLOGuiItem* EditButton() const { return editButton; }
  CORLOGuiItem* OkButton() const { return okButton; }
  CORLOGuiItem* CancelButton() const { return cancelButton; }
  CORLOGuiItem* TechniqueSelector() const { return techniqueSelector; }
  CORLOGuiItem* MagnitudeDifferenceCheck() const { return magnitudeDifferenceCheck; }
  CORLOGuiItem* LimitEdit() const { return limitEdit; }
  // Grid row of the selected band (the header is row 0), -1 for none.
  int SelectedRow() const { return selectedRow; }
  const XCorrSettings& Settings() const { return settings; }

 private:
  void BuildControls();
  // Loads everything from the file and shows it again.
  void Reload();
  void FillGrid(CGridCtrl& grid, int technique);
  void FillTechniqueSelector(CWnd& selector, int technique);
  void SizeColumns(CGridCtrl& grid, int technique);
  void EnableBandButtons(bool enable);
  // Takes the selector's technique, the check box and the limit into the settings and
  // writes all of them to the file.
  void Commit();
  // Runs the band editor for `band` (null: a new band) of the selector's set. When the
  // file could not be read, the editor's "OK" first writes the defaults shown (Commit), so
  // the band joins them instead of standing alone in a file without general settings.
  void RunEditor(tagFREQBAND* band);
  void AddBand();
  void EditBand();
  void DeleteBand();
  void ChangeTechnique();
  // The technique of the selector's current entry: 0, 1 or 2 (0 for anything else).
  int SelectedTechnique() const;
  bool IsMagnitudeDifferenceChecked() const;
  double LimitFromEdit() const;
  // The band of the selected row in the selector's set, or null.
  tagFREQBAND* SelectedBand() const;
  void ForgetItems();

  CXCorrAnalyzer* analyzer;
  CORLOGuiItem* dialog = nullptr;
  CORLOGuiItem* bandGrid = nullptr;
  CORLOGuiItem* addButton = nullptr;
  CORLOGuiItem* deleteButton = nullptr;
  CORLOGuiItem* editButton = nullptr;
  CORLOGuiItem* okButton = nullptr;
  CORLOGuiItem* cancelButton = nullptr;
  CORLOGuiItem* techniqueSelector = nullptr;
  CORLOGuiItem* magnitudeDifferenceCheck = nullptr;
  int selectedRow = -1;
  CORLOGuiItem* limitEdit = nullptr;
  XCorrSettings settings;
  bool fileRead = false;  // whether the last Reload found a readable file
};
