// Fuzz target: the settings file Analyzer.xml. Whatever the file holds, the settings reader
// either refuses it or reads settings that a full save writes and a second read gives back
// unchanged (numbers bit for bit).
#include "module/bands/SettingsFile.h"
#include "platform/win/MessageBox.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace {

bool Same(double a, double b) {
  return (std::isnan(a) && std::isnan(b)) || std::memcmp(&a, &b, sizeof a) == 0;
}

bool Same(const tagFREQBAND& a, const tagFREQBAND& b) {
  return a.label == b.label && Same(a.minFreq, b.minFreq) && Same(a.maxFreq, b.maxFreq) &&
         a.normalSet == b.normalSet && Same(a.normalStart, b.normalStart) &&
         a.suspectSet == b.suspectSet && Same(a.suspectStart, b.suspectStart) &&
         Same(a.suspectEnd, b.suspectEnd) && a.obviousSet == b.obviousSet &&
         Same(a.obviousEnd, b.obviousEnd);
}

bool Same(const XCorrSettings& a, const XCorrSettings& b) {
  if (a.CurrentStatParam != b.CurrentStatParam || a.MagnitudeDifference != b.MagnitudeDifference ||
      !Same(a.MagnitudeDifferenceLimit, b.MagnitudeDifferenceLimit)) {
    return false;
  }
  for (size_t set = 0; set < a.StatParams.size(); ++set) {
    const CFreqBandArray& bandsA = a.StatParams[set].bands;
    const CFreqBandArray& bandsB = b.StatParams[set].bands;
    if (bandsA.GetSize() != bandsB.GetSize()) return false;
    for (int i = 0; i < bandsA.GetSize(); ++i) {
      if (!Same(*bandsA[i], *bandsB[i])) return false;
    }
  }
  return true;
}

// The settings folder of this process, made once and removed when the process ends.
const std::filesystem::path& SettingsFolder() {
  static const struct Folder {
    Folder() {
      char name[] = "/tmp/orlo-settings-fuzz-XXXXXX";
      if (mkdtemp(name) == nullptr) std::abort();
      setenv("ORLO_APPDATA", name, 1);
      path = name;
    }
    ~Folder() {
      std::error_code ignored;
      std::filesystem::remove_all(path, ignored);
    }
    std::filesystem::path path;
  } folder;
  return folder.path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::filesystem::path file = SettingsFolder() / "Analyzer.xml";
  std::filesystem::remove_all(SettingsFolder());
  std::filesystem::create_directory(SettingsFolder());
  std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(data), size);

  XCorrSettings read;
  if (!LoadAllSettings(read)) return 0;
  orlo::win::ClearMessageBoxes();
  SaveAllSettings(read);
  if (!orlo::win::MessageBoxes().empty()) std::abort();  // the folder is writable
  XCorrSettings again;
  if (!LoadAllSettings(again) || !Same(read, again)) std::abort();
  return 0;
}
