// CHostModel: an applied model of the graph plug-in (the AppliedModel the module reads),
// and the model file that `--model-file` names.
//
// A model has a name, a label shown to the user and a list of items; each item names the
// sweep numbers it covers with a label per number. The model owns its items; their
// addresses stay fixed for the model's lifetime.
//
// Model file (UTF-8 JSON):
//   {"models": [{"name": "T1", "label": "Transformer 1",
//                "items": [{"name": "HV", "sweeps": [1, 2, 3], "labels": ["A-N", "B-N", "C-N"]}]}]}
// "label" defaults to the name; "labels" may be left out (every label empty) but, when
// given, has one label per sweep number. Sweep numbers are integers from 0 to 65535. Model
// names are unique; unknown keys are refused. Faults throw ModelFileError with a precise
// message: "FILE:LINE:COLUMN: reason" for JSON syntax and for a sweep number that names no
// loaded sweep, "FILE: models[0].items[1].sweeps[2]: reason" for other content.
#pragma once

#include "host/output/Json.h"
#include "module/core/GraphMessages.h"

#include <list>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace orlo::host {

class CHostModel final : public AppliedModel {
 public:
  CHostModel(std::wstring name, std::wstring label, std::vector<ModelItem> items);
  CHostModel(const CHostModel&) = delete;
  CHostModel& operator=(const CHostModel&) = delete;
  ~CHostModel() = default;

  std::wstring GetName() const override { return name_; }
  std::list<ModelItem*>* GetItems() override { return &items_; }
  std::wstring GetLabel() const override { return label_; }

 private:
  std::wstring name_;
  std::wstring label_;
  std::list<ModelItem> storage_;
  std::list<ModelItem*> items_;
};

using ModelList = std::vector<std::unique_ptr<CHostModel>>;

class ModelFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The models of a parsed model document; messages name the faulty element.
ModelList ParseModels(const json::Value& document);
// Reads, parses and checks a model file for a graph holding `sweepCount` sweeps: each
// sweep number names one of them, from 1.
ModelList ReadModelFile(const std::string& path, size_t sweepCount);

}  // namespace orlo::host
