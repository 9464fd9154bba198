#include "module/bands/SettingsDocument.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <system_error>

#include "module/core/TextFormat.h"
#include "platform/common/Services.h"
#include "platform/common/Utf8.h"

using namespace ORLOXML;

namespace {

constexpr int kSettingsVersion = 2;
constexpr int kMaxAsideCopies = 100;

bool Exists(const std::string& path) {
  std::error_code ignored;
  return std::filesystem::symlink_status(path, ignored).type() !=
         std::filesystem::file_type::not_found;
}

// Whether `path` exists and is no settings document, and then why (in `reason`);
// `document` receives what loaded.
bool IsForeign(const std::wstring& path, Document& document, std::wstring* reason) {
  if (!LoadDocument(document, path, reason)) return Exists(orlo::WideToUtf8(path));
  if (GetFirstChild(document.AsNode(), L"VelmoraAnalyzer") != nullptr) return false;
  *reason = L"its root element is not \"VelmoraAnalyzer\"";
  return true;
}

// Copies the file to the first free name of file.unreadable, file.unreadable.2, ...
bool CopyAside(const std::wstring& path) {
  const std::string file = orlo::WideToUtf8(path);
  for (int copy = 1; copy <= kMaxAsideCopies; ++copy) {
    const std::string aside = file + ".unreadable" + (copy == 1 ? "" : "." + std::to_string(copy));
    // A link's target is what is kept (it is what a save replaces).
    if (::linkat(AT_FDCWD, file.c_str(), AT_FDCWD, aside.c_str(), AT_SYMLINK_FOLLOW) == 0) return true;
    if (errno == EEXIST) continue;
    std::error_code error;
    if (std::filesystem::copy_file(file, aside, error)) return true;
    if (error != std::errc::file_exists) return false;
  }
  return false;
}

}  // namespace

CSettingsDocument::CSettingsDocument(const std::wstring& path) : path_(path) {
  foreign_ = IsForeign(path_, document_, &problem_);
  missing_ = !foreign_ && !problem_.empty();
  if (!foreign_) problem_.clear();
  if (foreign_) document_ = CreateDocument();
}

Node* CSettingsDocument::FindSettings() const {
  Node* root = GetFirstChild(document_.AsNode(), L"VelmoraAnalyzer");
  return FindBestElementMS(GetFirstChild(root, L"XCorrAnalyzer"), kSettingsVersion);
}

Node* CSettingsDocument::MakeSettings() {
  Node* root = ChildElement(document_.AsNode(), L"VelmoraAnalyzer");
  Node* settings = FindSettings();
  if (settings == nullptr) {
    settings = AppendChild(root, L"XCorrAnalyzer");
    AppendAttribute(settings, L"version", static_cast<double>(kSettingsVersion));
  }
  return settings;
}

bool CSettingsDocument::Save(const std::wstring& shownPath) {
  if ((foreign_ && !CopyAside(path_)) || !SaveDocument(document_, path_)) {
    ShowWriteFailure(shownPath);
    return false;
  }
  foreign_ = false;
  return true;
}

bool CSettingsDocument::KeepForeignAside(const std::wstring& path) {
  Document ignored;
  std::wstring reason;
  return !IsForeign(path, ignored, &reason) || CopyAside(path);
}

Node* ChildElement(Node* parent, const std::wstring& name) {
  Node* child = GetFirstChild(parent, name);
  return child != nullptr ? child : AppendChild(parent, name);
}

void SetAttributeText(Node* element, const std::wstring& name, const std::wstring& text) {
  Node* attribute = GetAttribute(element, name);
  if (attribute == nullptr) attribute = AppendAttribute(element, name, text);
  SetChildText(attribute, text);
}

void ShowWriteFailure(const std::wstring& path) {
  const std::wstring format = CGettext::Get().Translate("Could not write to file %s.");
  TransMessageBox(orlo::module::FillFormat(format, {path}), MB_ICONERROR);
}
