#include "host/screen/ScreenRow.h"

#include "platform/common/Utf8.h"

#include <algorithm>

namespace orlo::host {

namespace {

using json::Value;

const std::string& TextOf(const Value* value) {
  static const std::string kEmpty;
  return value != nullptr && value->kind() == Value::Kind::kString ? value->Text() : kEmpty;
}

const json::Array& ItemsOf(const Value* value) {
  static const json::Array kNone;
  return value != nullptr && value->kind() == Value::Kind::kArray ? value->Items() : kNone;
}

void AddNote(std::vector<std::string>& notes, const std::string& text) {
  if (!text.empty() && std::find(notes.begin(), notes.end(), text) == notes.end()) {
    notes.push_back(text);
  }
}

void AddNotes(std::vector<std::string>& notes, const Value* list) {
  for (const Value& note : ItemsOf(list)) AddNote(notes, TextOf(note.Find("text")));
}

std::string StatusNote(SetStatus status, const std::string& error) {
  switch (status) {
    case SetStatus::kUnreadable:
      return "unreadable: " + error;
    case SetStatus::kWorkerDied:
      return "not analysed: " + error;
    case SetStatus::kErrorBox:
      return "error box: " + error;
    case SetStatus::kTooFewSweeps:  // the notes say so
    case SetStatus::kAnalysed:
      break;
  }
  return {};
}

AnalyzerCells ReadAnalyzer(const Value& panel, const Value* worst) {
  AnalyzerCells cells;
  cells.index = static_cast<size_t>(panel.Find("index")->AsDouble());
  const std::string& guid = TextOf(panel.Find("guid"));
  for (const Value& pair : ItemsOf(panel.Find("pairs"))) {
    std::string tag = TextOf(pair.Find("tag"));
    std::replace(tag.begin(), tag.end(), '_', '-');
    cells.pairs.push_back({tag, TextOf(pair.Find("sweepA")), TextOf(pair.Find("sweepB")),
                           TextOf(pair.Find("conclusion"))});
  }
  cells.worst = TextOf(worst != nullptr ? worst->Find("conclusion") : nullptr);
  cells.severity = SeverityOf(orlo::Utf8ToWide(guid), orlo::Utf8ToWide(cells.worst));
  return cells;
}

}  // namespace

const AnalyzerCells* ScreenRow::Analyzer(size_t index) const {
  const auto found = std::find_if(analyzers.begin(), analyzers.end(),
                                  [&](const AnalyzerCells& cells) { return cells.index == index; });
  return found == analyzers.end() ? nullptr : &*found;
}

std::string ScreenRow::Conclusion(size_t index, const std::string& pair) const {
  if (const AnalyzerCells* cells = Analyzer(index)) {
    for (const PairCell& cell : cells->pairs) {
      if (cell.pair == pair) return cell.conclusion;
    }
  }
  return {};
}

bool ScreenRow::Analysed() const {
  return status != SetStatus::kUnreadable && status != SetStatus::kWorkerDied;
}

int ScreenRow::Rank() const {
  constexpr int kAboveEverySeverity = static_cast<int>(Severity::kError) + 1;
  if (status == SetStatus::kUnreadable || status == SetStatus::kWorkerDied) {
    return kAboveEverySeverity + 1;
  }
  if (status == SetStatus::kErrorBox) return kAboveEverySeverity;
  Severity worst = Severity::kNone;
  for (const AnalyzerCells& cells : analyzers) worst = std::max(worst, cells.severity);
  return static_cast<int>(worst);
}

void CommonNotes::Add(size_t index, const ScreenRow& row) {
  if (!row.Analysed()) return;
  const bool leads = !first_ || index < *first_;
  const std::vector<std::string>& ordered = leads ? row.notes : notes_;
  const std::vector<std::string>& other = leads ? notes_ : row.notes;
  std::vector<std::string> kept;
  for (const std::string& note : ordered) {
    if (!first_ || std::find(other.begin(), other.end(), note) != other.end()) kept.push_back(note);
  }
  notes_ = std::move(kept);
  if (leads) first_ = index;
}

ScreenRow ReadScreenRow(const Value& entry) {
  ScreenRow row;
  row.set = TextOf(entry.Find("set"));
  if (const Value* columns = entry.Find("columns")) {
    for (const json::Member& column : columns->Members()) {
      row.columns.emplace_back(column.key, TextOf(&column.value));
    }
  }
  row.sweeps = ItemsOf(entry.Find("sweeps")).size();
  row.status = StatusOf(TextOf(entry.Find("status")));
  AddNote(row.notes, StatusNote(row.status, TextOf(entry.Find("error"))));
  AddNotes(row.notes, entry.Find("notes"));
  const json::Array& worst = ItemsOf(entry.Find("worst"));
  const json::Array& panels = ItemsOf(entry.Find("analyzers"));
  for (size_t i = 0; i < panels.size(); ++i) {
    row.analyzers.push_back(ReadAnalyzer(panels[i], i < worst.size() ? &worst[i] : nullptr));
    AddNotes(row.notes, panels[i].Find("notes"));
  }
  return row;
}

}  // namespace orlo::host
