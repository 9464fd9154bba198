#include "host/output/Notes.h"

#include "host/graph/GraphPlugin.h"
#include "host/output/AnalysisSnapshot.h"
#include "host/output/UnevaluatedBands.h"
#include "platform/common/Services.h"
#include "platform/common/Utf8.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cwchar>
#include <cwctype>

namespace orlo::host {

namespace {

std::wstring FrequencyText(double hertz) {
  wchar_t text[50];
  ORLOFormatValue(hertz, text, 50, -1, -1, 0, 1, '.');
  return std::wstring(text) + L" Hz";
}

std::wstring RangeText(double low, double high) {
  return FrequencyText(low) + L" to " + FrequencyText(high);
}

// The results grid row of the pair tagged "a_b": the row whose Id cell ends in "a-b".
std::optional<int> RowOfPair(const GridSnapshot& results, std::wstring tag) {
  std::replace(tag.begin(), tag.end(), L'_', L'-');
  for (size_t row = static_cast<size_t>(results.fixedRows); row < results.cells.size(); ++row) {
    const std::wstring& id = results.cells[row].empty() ? L"" : results.cells[row].front();
    if (id.size() >= tag.size() && id.compare(id.size() - tag.size(), tag.size(), tag) == 0) {
      return static_cast<int>(row);
    }
  }
  return std::nullopt;
}

std::wstring ReasonText(const UnevaluatedBand& band) {
  switch (band.reason) {
    case UnevaluatedBand::Reason::kNotReached:
      if (band.coveredLow >= band.coveredHigh) return L"the sweeps do not overlap";
      return L"the sweeps overlap only from " + RangeText(band.coveredLow, band.coveredHigh) +
             (band.low <= 0.0 ? L", and no sweep reaches 0 Hz" : L"");
    case UnevaluatedBand::Reason::kFlat:
      return L"sweep '" + band.flatSweep + L"' is flat there";
    case UnevaluatedBand::Reason::kNoValue:
      break;
  }
  return L"the analyzer found no value for it";
}

Note BandNote(const PanelSnapshot& panel, const UnevaluatedBand& band) {
  Note note{Note::Kind::kBandNotEvaluated, panel.index, {}, {band.band}, {}};
  if (panel.results) {
    if (const auto row = RowOfPair(*panel.results, band.tag)) note.rows.push_back(*row);
  }
  note.text = band.sweepA + L" - " + band.sweepB + L", " + band.band + L" (" +
              RangeText(band.low, band.high) +
              L") not evaluated (the value shown is no measurement): " + ReasonText(band) + L".";
  return note;
}

// The command that writes the defaults into the folder of `file`.
std::wstring SaveCommand(const std::wstring& file) {
  std::wstring command = L"`orlo settings save";
  const char* chosen = std::getenv("ORLO_APPDATA");
  if (chosen != nullptr && *chosen != '\0') {
    const std::wstring folder = file.substr(0, file.rfind(L'/'));
    const bool plain = std::all_of(folder.begin(), folder.end(), [](wchar_t c) {
      return std::iswalnum(c) || std::wcschr(L"/._-+", c) != nullptr;
    });
    command += L" --settings-dir " + (plain ? folder : L"'" + folder + L"'");
  }
  return command + L"`";
}

// The fields of `band` the analysis uses whose value is no finite number, as "name value".
std::vector<std::wstring> NonFiniteFields(const tagFREQBAND& band) {
  const std::pair<const wchar_t*, std::optional<double>> fields[] = {
      {L"MinFreq", band.minFreq},
      {L"MaxFreq", band.maxFreq},
      {L"Normal start", band.normalSet ? std::optional(band.normalStart) : std::nullopt},
      {L"Suspect start", band.suspectSet ? std::optional(band.suspectStart) : std::nullopt},
      {L"Suspect end", band.suspectSet ? std::optional(band.suspectEnd) : std::nullopt},
      {L"Obvious end", band.obviousSet ? std::optional(band.obviousEnd) : std::nullopt}};
  std::vector<std::wstring> found;
  for (const auto& [name, value] : fields) {
    if (value && !std::isfinite(*value)) {
      wchar_t text[50];
      ORLOFormatValue(*value, text, 50, -1, -1, 0, 1, '.');
      found.push_back(std::wstring(name) + L" " + text);
    }
  }
  return found;
}

void AddSettingsNotes(const PanelSnapshot& panel, std::vector<Note>& notes) {
  if (!panel.settingsFile) return;
  const SettingsFileReadout& settings = *panel.settingsFile;
  const std::wstring outcome = L", so this analysis has no bands and judges no pair. ";
  const auto add = [&](std::vector<std::wstring> bands, std::wstring text) {
    notes.push_back({Note::Kind::kSettings, panel.index, {}, std::move(bands), std::move(text)});
  };
  if (settings.state == SettingsFileState::kMissing) {
    add({}, L"No settings file: " + settings.file + L" does not exist" + outcome +
                SaveCommand(settings.file) + L" writes the defaults there.");
  } else if (settings.state == SettingsFileState::kUnreadable) {
    add({}, L"The settings file " + settings.file + L" could not be read (" + settings.reason + L")" +
                outcome + SaveCommand(settings.file) +
                L" writes the defaults (the unreadable file is kept as " + settings.file +
                L".unreadable).");
  } else if (settings.bands.empty()) {
    add({}, L"The settings file " + settings.file + L" holds no band of the technique " +
                settings.technique + outcome + SaveCommand(settings.file) +
                L" writes the default bands of every technique that has none.");
  }
  for (const tagFREQBAND& band : settings.bands) {
    const std::vector<std::wstring> fields = NonFiniteFields(band);
    if (fields.empty()) continue;
    std::wstring list;
    for (const std::wstring& field : fields) list += (list.empty() ? L"" : L", ") + field;
    add({band.label}, L"Band " + band.label + L" of the settings file " + settings.file +
                          L" holds values that are no finite number (" + list +
                          L"): its values and verdicts mean nothing.");
  }
}

}  // namespace

std::string_view KindName(Note::Kind kind) {
  switch (kind) {
    case Note::Kind::kNoPair:
      return "no-pair";
    case Note::Kind::kRowWithoutPair:
      return "row-without-pair";
    case Note::Kind::kBandNotEvaluated:
      return "band-not-evaluated";
    case Note::Kind::kUndrawnPoints:
      return "undrawn-points";
    case Note::Kind::kSettings:
      break;
  }
  return "settings";
}

std::vector<Note> PanelNotes(const PanelSnapshot& panel, const CGraphPlugin& graph) {
  std::vector<Note> notes;
  if (!panel.hasReadout) return notes;
  AddSettingsNotes(panel, notes);
  if (panel.pairs.empty()) {
    notes.push_back({Note::Kind::kNoPair, panel.index, {}, {},
                     L"No pair was compared: the analyzers compare the first three sweeps in "
                     L"pairs (1-2, 2-3, 3-1), and there is only one sweep."});
    return notes;
  }
  if (panel.results && panel.results->selectedRow) {
    const int row = *panel.results->selectedRow;
    const bool paired = std::any_of(panel.pairs.begin(), panel.pairs.end(), [&](const auto& pair) {
      return RowOfPair(*panel.results, pair.tag) == row;
    });
    if (!paired) {
      notes.push_back({Note::Kind::kRowWithoutPair, panel.index, {row}, {},
                       L"Row " + std::to_wstring(row) + L" (" + panel.results->cells[row].front() +
                           L") compares no pair: one of its sweeps is not loaded, so the "
                           L"criteria and the conclusion are blank."});
    }
  }
  for (const UnevaluatedBand& band : FindUnevaluatedBands(panel.pairs, graph)) {
    notes.push_back(BandNote(panel, band));
  }
  return notes;
}

std::vector<Note> SweepNotes(const CGraphPlugin& graph) {
  std::vector<Note> notes;
  for (const std::wstring& name : graph.SweepNames()) {
    const auto& points = graph.FindSweep(name)->points;
    const auto zeros = std::count_if(points.begin(), points.end(),
                                     [](const Sweep::Point& point) { return point.magnitudeRatio == 0.0f; });
    if (zeros == 0) continue;
    const std::wstring count = std::to_wstring(zeros) + (zeros == 1 ? L" point" : L" points");
    notes.push_back({Note::Kind::kUndrawnPoints, std::nullopt, {}, {},
                     L"Sweep '" + name + L"': " + count +
                         L" of magnitude 0 (-inf dB) cannot be drawn; the graphs mark " +
                         (zeros == 1 ? L"it" : L"them") + L" on the frequency axis."});
  }
  return notes;
}

}  // namespace orlo::host
