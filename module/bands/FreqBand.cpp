#include "module/bands/FreqBand.h"

#include <limits>
#include <new>
#include <stdexcept>
#include <string>

void CFreqBandArray::CheckIndex(int index) const {
  if (index < 0 || index >= GetSize()) {
    throw std::invalid_argument("band index " + std::to_string(index) + " outside 0.." +
                                std::to_string(GetSize() - 1));
  }
}

tagFREQBAND* CFreqBandArray::GetAt(int index) const {
  CheckIndex(index);
  return bands_[static_cast<size_t>(index)];
}

int CFreqBandArray::Add(tagFREQBAND* band) {
  bands_.push_back(band);
  return GetSize() - 1;
}

void CFreqBandArray::SetAtGrow(int index, tagFREQBAND* band) {
  if (index < 0) throw std::invalid_argument("negative band index " + std::to_string(index));
  if (index == std::numeric_limits<int>::max()) throw std::bad_alloc();
  if (index >= GetSize()) SetSize(index + 1);
  bands_[static_cast<size_t>(index)] = band;
}

void CFreqBandArray::SetSize(int size) {
  if (size < 0) throw std::invalid_argument("negative band count " + std::to_string(size));
  bands_.resize(static_cast<size_t>(size), nullptr);
}

void CFreqBandArray::RemoveAt(int index) {
  CheckIndex(index);
  bands_.erase(bands_.begin() + index);
}

void CFreqBandArray::RemoveAll() {
  bands_.clear();
  bands_.shrink_to_fit();
}

void ClearBands(CFreqBandArray& bands) {
  for (tagFREQBAND* band : bands) delete band;
  bands.RemoveAll();
}
