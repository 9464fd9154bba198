#include "module/bands/BandText.h"

#include "module/comparison/UnitPrefix.h"
#include "module/core/TextFormat.h"
#include "platform/common/Services.h"

std::wstring BandNumberText(double value) {
  wchar_t text[50];
  ORLOFormatValue(value, text, 50, -1, -1, 0, 1, L'.');
  return text;
}

std::wstring BandFrequencyText(double hertz) {
  double scaled = hertz;
  const std::wstring prefix = ScaleWithPrefix(scaled);
  return orlo::module::FillFormat(L"%s %sHz", {orlo::module::GeneralNumber(scaled), prefix});
}
