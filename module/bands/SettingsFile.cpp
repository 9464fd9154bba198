#include "module/bands/SettingsFile.h"

#include <cmath>
#include <cstdio>
#include <memory>

#include "module/bands/BandText.h"
#include "module/bands/SettingsDocument.h"
#include "platform/common/FileLock.h"
#include "platform/common/TextCase.h"
#include "platform/common/Services.h"
#include "platform/common/Utf8.h"

using namespace ORLOXML;

namespace {

constexpr double kEdgeTolerance = 2.220446049250313e-16;
constexpr double kDefaultLimit = 0.25;

// ---------------------------------------------------------------------------------------
// Values

bool ReadBool(const std::wstring& text) { return orlo::EqualsIgnoringCase(text, L"true"); }
std::wstring BoolText(bool value) { return value ? L"true" : L"false"; }

double ChildNumber(Node* parent, const std::wstring& name) {
  return strToFloat(GetChildText(GetFirstChild(parent, name)));
}
std::wstring AttributeText(Node* element, const std::wstring& name) {
  return GetChildText(GetAttribute(element, name));
}
double AttributeNumber(Node* element, const std::wstring& name) {
  return strToFloat(AttributeText(element, name));
}

// ---------------------------------------------------------------------------------------
// Reading

struct GeneralSettings {
  int currentSet = STAT_LRXY;
  bool magnitudeDifference = true;
  double limit = kDefaultLimit;
};

// False when `settings` (the settings element) is missing or has no "CurrentStatParam".
bool ReadGeneral(Node* settings, GeneralSettings* general) {
  Node* current = GetFirstChild(settings, L"CurrentStatParam");
  if (current == nullptr) return false;
  general->currentSet = StatParamFromName(GetChildText(current));
  if (Node* flag = GetFirstChild(settings, L"MagnitudeDifference")) {
    general->magnitudeDifference = ReadBool(GetChildText(flag));
  }
  if (Node* limit = GetFirstChild(settings, L"MagnitudeDifferenceLimit")) {
    general->limit = strToFloat(GetChildText(limit));
  }
  return true;
}

tagFREQBAND ReadBand(Node* element) {
  tagFREQBAND band;
  band.minFreq = ChildNumber(element, L"MinFreq");
  band.maxFreq = ChildNumber(element, L"MaxFreq");
  band.label = GetChildText(GetFirstChild(element, L"Label"));
  Node* normal = GetFirstChild(element, L"Normal");
  band.normalSet = ReadBool(AttributeText(normal, L"set"));
  band.normalStart = AttributeNumber(normal, L"start");
  Node* suspect = GetFirstChild(element, L"Suspect");
  band.suspectSet = ReadBool(AttributeText(suspect, L"set"));
  band.suspectStart = AttributeNumber(suspect, L"start");
  band.suspectEnd = AttributeNumber(suspect, L"end");
  Node* obvious = GetFirstChild(element, L"Obvious");
  band.obviousSet = ReadBool(AttributeText(obvious, L"set"));
  band.obviousEnd = AttributeNumber(obvious, L"end");
  return band;
}

int TechniqueOf(Node* setElement) { return StatParamFromName(AttributeText(setElement, L"name")); }

// Appends the bands of every "StatParams" of `settings` whose set is `only` (every set
// when `only` is -1) to the array `arrayOf` answers for the set.
template <typename ArrayOf>
void ReadSets(Node* settings, int only, ArrayOf arrayOf) {
  for (Node* set = GetFirstChild(settings, L"StatParams"); set != nullptr;
       set = GetNextSibling(set, L"StatParams")) {
    const int technique = TechniqueOf(set);
    if (only != -1 && technique != only) continue;
    CFreqBandArray& bands = arrayOf(technique);
    for (Node* band = GetFirstChild(set, L"Band"); band != nullptr;
         band = GetNextSibling(band, L"Band")) {
      auto read = std::make_unique<tagFREQBAND>(ReadBand(band));
      bands.Add(read.get());
      read.release();
    }
  }
}

// ---------------------------------------------------------------------------------------
// Writing (each to `path`; failures name `shownPath`)

bool SaveGeneralSettingsTo(const std::wstring& path, const std::wstring& shownPath,
                           const GeneralSettings& general) {
  CSettingsDocument document(path);
  Node* settings = document.MakeSettings();
  SetChildText(ChildElement(settings, L"CurrentStatParam"), StatParamName(general.currentSet));
  SetChildText(ChildElement(settings, L"MagnitudeDifference"), BoolText(general.magnitudeDifference));
  SetChildText(ChildElement(settings, L"MagnitudeDifferenceLimit"), BandNumberText(general.limit));
  return document.Save(shownPath);
}

bool IsWithinTolerance(double value, double wanted) {
  return std::fabs(value - wanted) <= kEdgeTolerance;
}

// The "Band" to write: the one with the old edges, or a new one.
Node* BandElement(Node* set, double oldMinFreq, double oldMaxFreq) {
  if (oldMinFreq != 0.0 || oldMaxFreq != 0.0) {
    for (Node* band = GetFirstChild(set, L"Band"); band != nullptr;
         band = GetNextSibling(band, L"Band")) {
      if (IsWithinTolerance(ChildNumber(band, L"MinFreq"), oldMinFreq) &&
          IsWithinTolerance(ChildNumber(band, L"MaxFreq"), oldMaxFreq)) {
        return band;
      }
    }
  }
  Node* band = AppendChild(set, L"Band");
  AppendChild(band, L"MinFreq");
  AppendChild(band, L"MaxFreq");
  return band;
}

Node* SetElement(Node* settings, int technique) {
  for (Node* set = GetFirstChild(settings, L"StatParams"); set != nullptr;
       set = GetNextSibling(set, L"StatParams")) {
    if (TechniqueOf(set) == technique) return set;
  }
  Node* set = AppendChild(settings, L"StatParams");
  AppendAttribute(set, L"name", StatParamName(technique));
  return set;
}

bool SaveBandTo(const std::wstring& path, const std::wstring& shownPath, const tagFREQBAND& band,
                int technique, double oldMinFreq, double oldMaxFreq) {
  CSettingsDocument document(path);
  Node* element = BandElement(SetElement(document.MakeSettings(), technique), oldMinFreq, oldMaxFreq);
  SetChildText(ChildElement(element, L"MinFreq"), BandNumberText(band.minFreq));
  SetChildText(ChildElement(element, L"MaxFreq"), BandNumberText(band.maxFreq));
  SetChildText(ChildElement(element, L"Label"), band.label);
  Node* normal = ChildElement(element, L"Normal");
  SetAttributeText(normal, L"set", BoolText(band.normalSet));
  SetAttributeText(normal, L"start", BandNumberText(band.normalStart));
  Node* suspect = ChildElement(element, L"Suspect");
  SetAttributeText(suspect, L"set", BoolText(band.suspectSet));
  SetAttributeText(suspect, L"start", BandNumberText(band.suspectStart));
  SetAttributeText(suspect, L"end", BandNumberText(band.suspectEnd));
  Node* obvious = ChildElement(element, L"Obvious");
  SetAttributeText(obvious, L"set", BoolText(band.obviousSet));
  SetAttributeText(obvious, L"end", BandNumberText(band.obviousEnd));
  return document.Save(shownPath);
}

// Saves the complete staging file's document over the settings file.
bool ReplaceWithStaging(const std::wstring& staging, const std::wstring& path) {
  Document built;
  const bool moved = CSettingsDocument::KeepForeignAside(path) && LoadDocument(built, staging) &&
                     SaveDocument(built, path);
  if (!moved) ShowWriteFailure(path);
  return moved;
}

}  // namespace

std::wstring SettingsFilePath() { return GetOxAppDataDir() + L"/Analyzer.xml"; }

SettingsFileState InspectSettingsFile(std::wstring* reason) {
  const CSettingsDocument document(SettingsFilePath());
  if (document.Missing()) return SettingsFileState::kMissing;
  Node* settings = document.FindSettings();
  if (!document.Problem().empty()) {
    *reason = document.Problem();
  } else if (settings == nullptr) {
    *reason = L"it holds no \"XCorrAnalyzer\" settings of version 2 or older";
  } else if (GetFirstChild(settings, L"CurrentStatParam") == nullptr) {
    *reason = L"its settings have no \"CurrentStatParam\"";
  } else {
    return SettingsFileState::kRead;
  }
  return SettingsFileState::kUnreadable;
}

bool LoadAllSettings(XCorrSettings& settings) {
  const CSettingsDocument document(SettingsFilePath());
  Node* element = document.FindSettings();
  GeneralSettings general;
  if (!ReadGeneral(element, &general)) return false;
  settings.CurrentStatParam = general.currentSet;
  ReadSets(element, -1, [&settings](int technique) -> CFreqBandArray& {
    settings.StatParams[technique].technique = technique;
    return settings.StatParams[technique].bands;
  });
  settings.MagnitudeDifference = general.magnitudeDifference;
  settings.MagnitudeDifferenceLimit = general.limit;
  return true;
}

bool LoadCurrentSet(CFreqBandArray& bands, int& currentSet, bool& magnitudeDifference,
                    double& magnitudeDifferenceLimit) {
  const CSettingsDocument document(SettingsFilePath());
  Node* element = document.FindSettings();
  GeneralSettings general;
  if (!ReadGeneral(element, &general)) return false;
  ReadSets(element, general.currentSet, [&bands](int) -> CFreqBandArray& { return bands; });
  currentSet = general.currentSet;
  magnitudeDifference = general.magnitudeDifference;
  magnitudeDifferenceLimit = general.limit;
  return true;
}

bool SaveGeneralSettings(int currentSet, bool magnitudeDifference,
                         double magnitudeDifferenceLimit) {
  const std::wstring path = SettingsFilePath();
  const CFileLock lock(path);
  return SaveGeneralSettingsTo(path, path, {currentSet, magnitudeDifference, magnitudeDifferenceLimit});
}

bool SaveBand(const tagFREQBAND& band, int technique, double oldMinFreq, double oldMaxFreq) {
  const std::wstring path = SettingsFilePath();
  const CFileLock lock(path);
  return SaveBandTo(path, path, band, technique, oldMinFreq, oldMaxFreq);
}

bool SaveEditedBand(const tagFREQBAND& band, double oldMinFreq, double oldMaxFreq,
                    int fallbackSet) {
  const CFileLock lock(SettingsFilePath());
  CFreqBandArray ignored;
  int currentSet = fallbackSet;
  bool magnitudeDifference = true;
  double limit = kDefaultLimit;
  LoadCurrentSet(ignored, currentSet, magnitudeDifference, limit);
  ClearBands(ignored);
  return SaveBand(band, currentSet, oldMinFreq, oldMaxFreq);
}

bool SaveAllSettings(const XCorrSettings& settings) {
  const std::wstring path = SettingsFilePath();
  const std::wstring staging = path + L".saving";
  const CFileLock lock(path);
  std::remove(orlo::WideToUtf8(staging).c_str());
  bool complete = SaveGeneralSettingsTo(
      staging, path,
      {settings.CurrentStatParam, settings.MagnitudeDifference, settings.MagnitudeDifferenceLimit});
  for (int technique = 0; technique < kStatTechniqueCount; ++technique) {
    for (const tagFREQBAND* band : settings.StatParams[technique].bands) {
      if (band != nullptr) complete = SaveBandTo(staging, path, *band, technique, 0.0, 0.0) && complete;
    }
  }
  if (complete) ReplaceWithStaging(staging, path);
  std::remove(orlo::WideToUtf8(staging).c_str());
  return true;
}
