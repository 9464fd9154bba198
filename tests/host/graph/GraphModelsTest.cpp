// Model files: what `--model-file` accepts and the messages for what it refuses.
#include "host/graph/GraphModels.h"

#include "tests/host/ScratchDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace orlo::host {
namespace {

TEST(GraphModels, ReadsModelsItemsSweepNumbersAndLabels) {
  testing::ScratchDirectory dir;
  const std::string path = dir.Write("models.json", R"({"models": [
    {"name": "T1", "label": "Transformer 1",
     "items": [{"name": "HV", "sweeps": [1, 2, 3], "labels": ["A-N", "B-N", "C-N"]},
               {"name": "LV", "sweeps": [4]}]},
    {"name": "T\u00e9", "items": []}]})");
  const ModelList models = ReadModelFile(path);
  ASSERT_EQ(models.size(), 2u);
  EXPECT_EQ(models[0]->GetName(), L"T1");
  EXPECT_EQ(models[0]->GetLabel(), L"Transformer 1");
  ASSERT_EQ(models[0]->GetItems()->size(), 2u);
  const ModelItem& hv = *models[0]->GetItems()->front();
  EXPECT_EQ(hv.name, L"HV");
  EXPECT_EQ(hv.sweepNumbers, (std::list<std::uint16_t>{1, 2, 3}));
  EXPECT_EQ(hv.labels, (std::list<std::wstring>{L"A-N", L"B-N", L"C-N"}));
  EXPECT_EQ(models[0]->GetItems()->back()->labels, std::list<std::wstring>{L""});
  EXPECT_EQ(models[1]->GetName(), L"T\u00e9");
  EXPECT_EQ(models[1]->GetLabel(), L"T\u00e9");  // the label defaults to the name
}

TEST(GraphModels, RefusesBadFilesWithTheFaultyPlace) {
  testing::ScratchDirectory dir;
  const struct {
    const char* text;
    const char* message;
  } cases[] = {
      {"{\"models\": [\n  {\"name\": \"T1\" \"items\": []}]}", "m.json:2:17: unexpected '\"' in object, expected ',' or '}'"},
      {"[]", "m.json: document: expected an object, found an array"},
      {"{\"model\": []}", "m.json: document: unknown key \"model\""},
      {"{\"models\": [{\"name\": \"\", \"items\": []}]}", "m.json: models[0].name: the name is empty"},
      {"{\"models\": [{\"name\": \"T\", \"items\": [{\"name\": \"HV\", \"sweeps\": [1, 65536]}]}]}",
       "m.json: models[0].items[0].sweeps[1]: expected an integer from 0 to 65535, found 65536"},
      {"{\"models\": [{\"name\": \"T\", \"items\": [{\"name\": \"HV\", \"sweeps\": [1, 2], \"labels\": [\"A\"]}]}]}",
       "m.json: models[0].items[0].labels: 1 labels for 2 sweep numbers"},
      {"{\"models\": [{\"name\": \"T\", \"items\": [{\"name\": 4, \"sweeps\": []}]}]}",
       "m.json: models[0].items[0].name: expected a string, found a number"},
      {"{\"models\": [{\"name\": \"T\", \"items\": []}, {\"name\": \"T\", \"items\": []}]}",
       "m.json: models[1].name: duplicate model name \"T\""},
      {"{\"models\": [], \"0123456789012345678901234567890123456789\\u0000\": 1}",
       "m.json: document: unknown key \"0123456789012345678901234567890123456789\u2026\""},
      {"\xff\xfe{", "m.json: the file is UTF-16 text; save it as UTF-8 or Latin-1"},
  };
  for (const auto& bad : cases) {
    const std::string path = dir.Write("m.json", bad.text);
    try {
      ReadModelFile(path);
      ADD_FAILURE() << "accepted: " << bad.text;
    } catch (const ModelFileError& error) {
      EXPECT_EQ(std::string(error.what()), dir.Path("") + bad.message);
    }
  }
  EXPECT_THROW(ReadModelFile(dir.Path("missing.json")), ModelFileError);
  std::filesystem::create_directory(dir.Path("folder"));
  try {
    ReadModelFile(dir.Path("folder"));
    ADD_FAILURE() << "a folder was read";
  } catch (const ModelFileError& error) {
    EXPECT_EQ(std::string(error.what()), dir.Path("folder") + ": cannot read: is a directory");
  }
}

}  // namespace
}  // namespace orlo::host
