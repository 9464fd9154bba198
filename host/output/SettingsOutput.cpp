#include "platform/common/Utf8.h"
#include "host/output/SettingsOutput.h"

#include "host/output/PanelText.h"

#include <ostream>

namespace orlo::host {

namespace {

using json::Value;

Value Flagged(bool set, std::initializer_list<std::pair<const char*, double>> values) {
  Value object = Value::MakeObject();
  object.Set("set", Value::Bool(set));
  for (const auto& [name, value] : values) object.Set(name, Value::Number(value));
  return object;
}

Value Band(const tagFREQBAND& band) {
  Value object = Value::MakeObject();
  object.Set("label", Value::String(band.label));
  object.Set("minFreq", Value::Number(band.minFreq));
  object.Set("maxFreq", Value::Number(band.maxFreq));
  object.Set("normal", Flagged(band.normalSet, {{"start", band.normalStart}}));
  object.Set("suspect", Flagged(band.suspectSet, {{"start", band.suspectStart},
                                                  {"end", band.suspectEnd}}));
  object.Set("obvious", Flagged(band.obviousSet, {{"end", band.obviousEnd}}));
  return object;
}

}  // namespace

void PrintSettingsText(const SettingsSnapshot& settings, std::ostream& out) {
  out << orlo::WideToUtf8(settings.title) << "\n\nStatistical technique:\n";
  for (size_t entry = 0; entry < settings.techniques.size(); ++entry) {
    out << (static_cast<int>(entry) == settings.selectedTechnique ? "  > " : "    ")
        << orlo::WideToUtf8(settings.techniques[entry]) << '\n';
  }
  out << '\n';
  PrintGrid("Bands (> selected row)", settings.bands, out);
  out << "\n[" << (settings.magnitudeDifference ? 'x' : ' ')
      << "] Magnitude Difference Parameter\nMagnitude Difference limit: "
      << orlo::WideToUtf8(settings.limit) << "\n\nSettings file: " << orlo::WideToUtf8(settings.held.file)
      << (settings.held.loaded ? "\n" : " (not read: the defaults are shown)\n");
  if (!settings.messageBoxes.empty()) PrintMessageBoxes(settings.messageBoxes, out);
  for (const std::wstring& note : settings.notes) out << "\nNote: " << orlo::WideToUtf8(note) << '\n';
}

Value SettingsJson(const SettingsSnapshot& settings) {
  const SettingsReadout& held = settings.held;
  Value document = Value::MakeObject();
  document.Set("format", Value::String("orlo-settings/1"));
  document.Set("file", Value::String(held.file));
  document.Set("loaded", Value::Bool(held.loaded));
  Value technique = Value::MakeObject();
  technique.Set("index", Value::Integer(held.technique));
  const bool named = held.technique >= 0 && static_cast<size_t>(held.technique) < held.sets.size();
  technique.Set("name", named ? Value::String(held.sets[held.technique].name) : Value());
  document.Set("technique", std::move(technique));
  document.Set("magnitudeDifference", Value::Bool(held.magnitudeDifference));
  document.Set("limit", Value::Number(held.limit));
  Value grid = Value::MakeArray();
  for (const auto& row : settings.bands.cells) {
    Value& cells = grid.Append(Value::MakeArray());
    for (const std::wstring& text : row) cells.Append(Value::String(text));
  }
  document.Set("grid", std::move(grid));
  document.Set("selectedRow", settings.bands.selectedRow
                                  ? Value::Integer(*settings.bands.selectedRow)
                                  : Value());
  Value sets = Value::MakeArray();
  for (const BandSetReadout& set : held.sets) {
    Value& object = sets.Append(Value::MakeObject());
    object.Set("name", Value::String(set.name));
    Value& bands = object.Set("bands", Value::MakeArray());
    for (const tagFREQBAND& band : set.bands) bands.Append(Band(band));
  }
  document.Set("sets", std::move(sets));
  Value boxes = Value::MakeArray();
  for (const win::MessageBoxRecord& box : settings.messageBoxes) {
    Value& object = boxes.Append(Value::MakeObject());
    object.Set("text", Value::String(box.text));
    object.Set("style", Value::Integer(box.style));
  }
  document.Set("messageBoxes", std::move(boxes));
  Value& notes = document.Set("notes", Value::MakeArray());
  for (const std::wstring& note : settings.notes) notes.Append(Value::String(note));
  return document;
}

}  // namespace orlo::host
