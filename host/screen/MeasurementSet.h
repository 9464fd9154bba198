// MeasurementSet: one set of sweeps `orlo screen` analyses together (the phases of one
// winding measured on one day), and how the sets are found.
//
// A PATH that is a folder gives one set per folder at or below it that directly holds
// sweep files (IsSweepFileName), named by its path relative to PATH ("." for PATH
// itself), its files in name order; folders are visited in name order, a folder before
// the folders below it. A PATH that is a file is a manifest (SetManifest.h). Names are
// compared byte by byte, so the order is the same on every machine.
#pragma once

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace orlo::host {

struct MeasurementSet {
  std::string name;
  std::vector<std::string> files;  // as they are read
  // Further columns of a manifest (name, value), in the manifest's order.
  std::vector<std::pair<std::string, std::string>> columns;
};

// Why the sets of a PATH cannot be listed; what() is the whole message.
class SetListError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The sets of one PATH, folder or manifest. Throws SetListError when PATH does not exist,
// cannot be read, or holds no sweep file at all.
std::vector<MeasurementSet> ListMeasurementSets(const std::string& path);

// Whether a file of this name is read as a sweep file: the extensions .csv, .txt, .tsv,
// .dat, .s1p and .s2p, in any case.
bool IsSweepFileName(const std::string& name);

}  // namespace orlo::host
