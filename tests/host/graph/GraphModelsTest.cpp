// Model files: what `--model-file` accepts and the messages for what it refuses (a folder:
// AnalyzeCommandTest).
#include "host/graph/GraphModels.h"

#include "tests/host/ScratchDirectory.h"

#include <gtest/gtest.h>

namespace orlo::host {
namespace {

// What a model holds, as `orlo analyze --model-file` shows it: AnalyzeCommandTest.
TEST(GraphModels, ALabelDefaultsToTheName) {
  testing::ScratchDirectory dir;
  const ModelList models = ReadModelFile(
      dir.Write("models.json", R"({"models": [{"name": "T\u00e9", "items": [{"name": "HV", "sweeps": [4]}]}]})"),
      4);
  ASSERT_EQ(models.size(), 1u);
  EXPECT_EQ(models[0]->GetName(), L"T\u00e9");
  EXPECT_EQ(models[0]->GetLabel(), L"T\u00e9");
  EXPECT_EQ(models[0]->GetItems()->front()->sweepNumbers, std::list<std::uint16_t>{4});
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
      {"{\"models\": [{\"name\": \"T\", \"items\": [\n {\"name\": \"HV\", \"sweeps\": [1, 9]}]}]}",
       "m.json:2:31: sweep 9 is not loaded (3 sweeps, numbered from 1)"},
      {"{\"models\": [{\"name\": \"T\", \"items\": [{\"name\": \"HV\", \"sweeps\": [0]}]}]}",
       "m.json:1:63: sweep 0 is not loaded (3 sweeps, numbered from 1)"},
  };
  for (const auto& bad : cases) {
    const std::string path = dir.Write("m.json", bad.text);
    try {
      ReadModelFile(path, 3);
      ADD_FAILURE() << "accepted: " << bad.text;
    } catch (const ModelFileError& error) {
      EXPECT_EQ(std::string(error.what()), dir.Path("") + bad.message);
    }
  }
  EXPECT_THROW(ReadModelFile(dir.Path("missing.json"), 3), ModelFileError);
}

}  // namespace
}  // namespace orlo::host
