#include "host/graph/GraphModels.h"

#include "host/sweeps/InputFile.h"
#include "platform/common/Utf8.h"

#include <cmath>
#include <initializer_list>

namespace orlo::host {

namespace {

using json::Value;

[[noreturn]] void Fail(const std::string& where, const std::string& reason) {
  throw ModelFileError(where + ": " + reason);
}

std::string Index(const std::string& where, size_t i) {
  return where + "[" + std::to_string(i) + "]";
}

void CheckKeys(const Value& object, const std::string& where,
               std::initializer_list<const char*> allowed) {
  for (const json::Member& member : object.Members()) {
    bool known = false;
    for (const char* key : allowed) known = known || member.key == key;
    if (!known) Fail(where, "unknown key " + QuotedExcerpt(member.key));
  }
}

const Value& Expect(const Value& value, Value::Kind kind, const std::string& where) {
  if (value.kind() != kind) {
    Fail(where, std::string("expected ") + json::KindName(kind) + ", found " +
                    json::KindName(value.kind()));
  }
  return value;
}

// The member `key` of `object`, checked for its kind; null when absent and optional.
const Value* Member(const Value& object, const char* key, Value::Kind kind,
                    const std::string& where, bool required) {
  const Value* value = object.Find(key);
  if (value == nullptr) {
    if (required) Fail(where, std::string("missing key \"") + key + "\"");
    return nullptr;
  }
  return &Expect(*value, kind, where + "." + key);
}

std::wstring Text(const Value& value) { return orlo::Utf8ToWide(value.Text()); }

ModelItem ParseItem(const Value& value, const std::string& where) {
  Expect(value, Value::Kind::kObject, where);
  CheckKeys(value, where, {"name", "sweeps", "labels"});
  ModelItem item;
  item.name = Text(*Member(value, "name", Value::Kind::kString, where, true));
  const Value& sweeps = *Member(value, "sweeps", Value::Kind::kArray, where, true);
  for (size_t i = 0; i < sweeps.Items().size(); ++i) {
    const std::string at = Index(where + ".sweeps", i);
    const double number = Expect(sweeps.Items()[i], Value::Kind::kNumber, at).AsDouble();
    if (number != std::floor(number) || number < 0 || number > 65535) {
      Fail(at, "expected an integer from 0 to 65535, found " + sweeps.Items()[i].Text());
    }
    item.sweepNumbers.push_back(static_cast<std::uint16_t>(number));
  }
  const Value* labels = Member(value, "labels", Value::Kind::kArray, where, false);
  if (labels == nullptr) {
    item.labels.resize(item.sweepNumbers.size());
    return item;
  }
  if (labels->Items().size() != item.sweepNumbers.size()) {
    Fail(where + ".labels", std::to_string(labels->Items().size()) + " labels for " +
                                std::to_string(item.sweepNumbers.size()) + " sweep numbers");
  }
  for (size_t i = 0; i < labels->Items().size(); ++i) {
    item.labels.push_back(
        Text(Expect(labels->Items()[i], Value::Kind::kString, Index(where + ".labels", i))));
  }
  return item;
}

std::unique_ptr<CHostModel> ParseModel(const Value& value, const std::string& where) {
  Expect(value, Value::Kind::kObject, where);
  CheckKeys(value, where, {"name", "label", "items"});
  const std::wstring name = Text(*Member(value, "name", Value::Kind::kString, where, true));
  if (name.empty()) Fail(where + ".name", "the name is empty");
  const Value* label = Member(value, "label", Value::Kind::kString, where, false);
  const Value& items = *Member(value, "items", Value::Kind::kArray, where, true);
  std::vector<ModelItem> parsed;
  for (size_t i = 0; i < items.Items().size(); ++i) {
    parsed.push_back(ParseItem(items.Items()[i], Index(where + ".items", i)));
  }
  return std::make_unique<CHostModel>(name, label != nullptr ? Text(*label) : name,
                                      std::move(parsed));
}

}  // namespace

CHostModel::CHostModel(std::wstring name, std::wstring label, std::vector<ModelItem> items)
    : name_(std::move(name)), label_(std::move(label)), storage_(items.begin(), items.end()) {
  for (ModelItem& item : storage_) items_.push_back(&item);
}

ModelList ParseModels(const Value& document) {
  Expect(document, Value::Kind::kObject, "document");
  CheckKeys(document, "document", {"models"});
  const Value& models = *Member(document, "models", Value::Kind::kArray, "document", true);
  ModelList result;
  for (size_t i = 0; i < models.Items().size(); ++i) {
    const std::string where = Index("models", i);
    auto model = ParseModel(models.Items()[i], where);
    for (const auto& earlier : result) {
      if (earlier->GetName() == model->GetName()) {
        Fail(where + ".name",
             "duplicate model name " + QuotedExcerpt(models.Items()[i].Find("name")->Text()));
      }
    }
    result.push_back(std::move(model));
  }
  return result;
}

namespace {

// Every sweep number of a checked model document must name one of the `sweepCount`
// sweeps loaded, numbered from 1.
void CheckSweepNumbers(const Value& document, size_t sweepCount, const std::string& path,
                       std::string_view text) {
  for (const Value& model : document.Find("models")->Items()) {
    for (const Value& item : model.Find("items")->Items()) {
      for (const Value& number : item.Find("sweeps")->Items()) {
        const double value = number.AsDouble();
        if (value >= 1 && value <= static_cast<double>(sweepCount)) continue;
        const auto [line, column] = json::LineAndColumn(text, number.Offset());
        throw ModelFileError(path + ":" + std::to_string(line) + ":" + std::to_string(column) +
                             ": sweep " + number.Text() + " is not loaded (" +
                             std::to_string(sweepCount) + " sweeps, numbered from 1)");
      }
    }
  }
}

}  // namespace

ModelList ReadModelFile(const std::string& path, size_t sweepCount) {
  std::string text;
  try {
    text = ReadInputFile(path);
  } catch (const InputFileError& error) {
    Fail(path, error.what());
  }
  if (const auto problem = WideEncodingProblem(text)) Fail(path, *problem);
  Value document;
  try {
    document = json::Parse(text);
  } catch (const json::ParseError& error) {
    throw ModelFileError(path + ":" + std::to_string(error.line()) + ":" +
                         std::to_string(error.column()) + ": " + error.reason());
  }
  ModelList models;
  try {
    models = ParseModels(document);
  } catch (const ModelFileError& error) {
    throw ModelFileError(path + ": " + error.what());
  }
  CheckSweepNumbers(document, sweepCount, path, text);
  return models;
}

}  // namespace orlo::host
