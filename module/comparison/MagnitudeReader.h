// MagnitudeReader: the magnitude of one sweep read at many frequencies, each reading equal
// bit for bit to InterpolateMagnitude, the scan that defines it.
//
// InterpolateMagnitude scans the sweep from its first point for every reading, so reading a
// sweep of n points at the m points of a grid costs n * m. A reader of a sweep whose
// frequencies ascend (each one <= the next, so none is NaN; checked on construction unless
// a SweepOrderScope in module/comparison/SweepOrder.h has checked the sweep already)
// goes straight to the point the scan would stop at: it searches the frequency from where
// the previous reading ended, a few steps forward and otherwise by bisection, so a reading a
// few points on from the previous one costs O(1) and any reading at most O(log n); a reading
// exactly at the point after the previous one (a grid drawn from the sweep) is answered at once. A sweep
// in any other order, and every sweep under MagnitudeReading::kScan, is read with the scan
// itself; results never depend on the path taken.
//
// The reader refers to the sweep, which must outlive it and stay unchanged while it is used.
// Not thread-safe: a reading moves the reader's search position.
//
// Whole runs of `orlo` can be timed against the defining scan: a build configured with
// -DORLO_LITERAL_ARITHMETIC=ON makes kScan the default reading of every statistic (see
// SweepStatistics.h). Product builds never set it; both readings stay callable in every
// build.
#pragma once

#include "module/comparison/SweepData.h"

// The magnitude of `sweep` at `f`, in double from the float fields. Scans the consecutive
// point pairs (i, i + 1) from the first, skipping every i whose magnitude is infinite:
// returns magnitude i when frequency i equals f, or the straight-line value when f lies
// strictly between frequencies i and i + 1. Returns 1.0 when no pair matches (fewer than
// two points, f outside the sweep or NaN, f exactly on the last point). Costs the position
// of the matching pair; for many readings use a MagnitudeReader.
double InterpolateMagnitude(const SweepData& sweep, double f);

// How magnitudes are read; both give the same bits.
enum class MagnitudeReading {
  kSearch,  // search on sweeps in ascending order, scan on the others (the analyzers' way)
  kScan,    // InterpolateMagnitude for every reading (the definition, kept as the reference)
};

#ifdef ORLO_LITERAL_ARITHMETIC
inline constexpr MagnitudeReading kDefaultMagnitudeReading = MagnitudeReading::kScan;
#else
inline constexpr MagnitudeReading kDefaultMagnitudeReading = MagnitudeReading::kSearch;
#endif

class MagnitudeReader {
 public:
  MagnitudeReader(const SweepData& sweep, MagnitudeReading reading);
  MagnitudeReader(const MagnitudeReader&) = delete;
  MagnitudeReader& operator=(const MagnitudeReader&) = delete;

  // InterpolateMagnitude(sweep, f).
  double At(double f);

 private:
  double Frequency(int i) const { return sweep_.points[i].frequency; }
  double Magnitude(int i) const { return sweep_.points[i].values[kMagnitudeIndex]; }
  int LowerBound(double f);
  int FirstReadableOfRun(int first);

  const SweepData& sweep_;
  const int count_;
  bool search_ = false;  // frequencies ascend and the reading allows the search
  int bound_ = 0;        // LowerBound of the previous reading
  int runFirst_ = -1;    // the last run of FirstReadableOfRun, and its answer
  int runReadable_ = -1;
};
