// tagFREQBAND: one frequency band of a statistical parameter set with the thresholds of
// its three criteria; CFreqBandArray: the ordered list of a set's bands.
//
// A band is a plain heap record (new tagFREQBAND); whoever creates it sets its fields.
// How the thresholds are read depends on the set's technique (StatParams.h): techniques 0
// and 1 (higher is more alike) judge Normal at value >= normalStart, Suspect at
// suspectStart <= value < suspectEnd, Obvious at value < obviousEnd; technique 2 (lower is
// more alike) Normal at value <= normalStart, Slight at suspectEnd < value <= suspectStart,
// Serious at value > obviousEnd.
//
// CFreqBandArray holds pointers and does not own the bands: whoever holds the array frees
// them, with ClearBands or one by one after RemoveAt. Indices are zero-based; an index
// outside [0, GetSize()) (or a negative size or index for SetSize and SetAtGrow) throws
// std::invalid_argument and changes nothing; exhausted memory throws std::bad_alloc.
#pragma once

#include <string>
#include <vector>

struct tagFREQBAND {
  std::wstring label;
  double minFreq = 0.0;  // Hz
  double maxFreq = 0.0;  // Hz
  bool normalSet = false;
  double normalStart = 0.0;
  bool suspectSet = false;
  double suspectStart = 0.0;  // bound of the Suspect range on the distorted side
  double suspectEnd = 0.0;    // bound of the Suspect range on the normal side
  bool obviousSet = false;
  double obviousEnd = 0.0;
};

class CFreqBandArray {
 public:
  CFreqBandArray() = default;
  CFreqBandArray(const CFreqBandArray&) = delete;
  CFreqBandArray& operator=(const CFreqBandArray&) = delete;

  int GetSize() const { return static_cast<int>(bands_.size()); }
  bool IsEmpty() const { return bands_.empty(); }
  tagFREQBAND* GetAt(int index) const;
  tagFREQBAND* operator[](int index) const { return GetAt(index); }
  // Appends; answers the new element's index.
  int Add(tagFREQBAND* band);
  // Stores `band` at `index`, first growing the array with null entries up to it.
  void SetAtGrow(int index, tagFREQBAND* band);
  // Grows with null entries or drops the last entries (without freeing them).
  void SetSize(int size);
  // Removes one entry, shifting the later ones down; the band is not freed.
  void RemoveAt(int index);
  // Removes every entry and releases the storage; the bands are not freed.
  void RemoveAll();

  auto begin() const { return bands_.begin(); }
  auto end() const { return bands_.end(); }

 private:
  void CheckIndex(int index) const;

  std::vector<tagFREQBAND*> bands_;
};

// Frees every band of the array (null entries are skipped) and empties it, releasing the
// storage.
void ClearBands(CFreqBandArray& bands);
