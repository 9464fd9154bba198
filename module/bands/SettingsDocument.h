// CSettingsDocument: one load-change-save round of a settings file, as every reader and
// writer of the correlation analysis's settings does it (SettingsFile.cpp).
//
// The constructor loads the file. A file that exists but is not a settings document (it
// cannot be loaded, or its root element is another one) is "foreign": the round then
// starts from an empty document, and Save keeps the foreign file beside the new one
// (KeepForeignAside) before replacing it, so nothing a user had is ever destroyed. All
// nodes handed out belong to the document and live as long as this object.
#pragma once

#include <string>

#include "platform/xml/ORLOXML.h"

class CSettingsDocument {
 public:
  explicit CSettingsDocument(const std::wstring& path);
  CSettingsDocument(const CSettingsDocument&) = delete;
  CSettingsDocument& operator=(const CSettingsDocument&) = delete;

  // Whether there was no file to load; else why a foreign file is foreign (the load's
  // reason, or its root element), empty for a settings document.
  bool Missing() const { return missing_; }
  const std::wstring& Problem() const { return problem_; }

  // Readers: the settings element ("XCorrAnalyzer" of the root "VelmoraAnalyzer", picked
  // with FindBestElementMS for version 2), or null.
  ORLOXML::Node* FindSettings() const;
  // Writers: the settings element, with the root and itself (version 2) made when missing.
  ORLOXML::Node* MakeSettings();
  // Keeps a foreign file aside (see KeepForeignAside) and saves the document over the
  // file. On failure shows "Could not write to file %s." with `shownPath` (the user's
  // file, also when this round works on a staging copy) and answers false.
  bool Save(const std::wstring& shownPath);

  // Copies a foreign file at `path` to the first free name of `path`.unreadable,
  // `path`.unreadable.2, ... (a hard link when the folder allows it); true when there is
  // nothing to keep or the copy exists.
  static bool KeepForeignAside(const std::wstring& path);

 private:
  std::wstring path_;
  ORLOXML::Document document_;
  bool foreign_ = false;
  bool missing_ = false;
  std::wstring problem_;
};

// The child element `name` of `parent`, appended when missing.
ORLOXML::Node* ChildElement(ORLOXML::Node* parent, const std::wstring& name);
// Sets the attribute `name` of `element` to `text`, appending it when missing.
void SetAttributeText(ORLOXML::Node* element, const std::wstring& name, const std::wstring& text);

// Shows "Could not write to file %s." (translated) with `path`, as an error box.
void ShowWriteFailure(const std::wstring& path);
