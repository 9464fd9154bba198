#include "platform/xml/ORLOXML.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "platform/common/FileAccess.h"
#include "tests/host/ScratchDirectory.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/SettingsFolder.h"

namespace {

using namespace ORLOXML;

std::wstring Wide(const std::string& path) { return std::wstring(path.begin(), path.end()); }

// The root of the document loaded from `path` into `document`, or null.
Node* LoadRoot(Document& document, const std::string& path) {
  return LoadDocument(document, Wide(path)) ? GetFirstChild(document.AsNode(), L"Root") : nullptr;
}

TEST(ORLOXMLTest, BuiltTreeSurvivesSaveAndLoad) {
  orlo::host::testing::ScratchDirectory scratch;
  const std::string path = scratch.Path("doc.xml");
  Document built = CreateDocument();
  Node* root = AppendChild(built.AsNode(), L"Root");
  EXPECT_EQ(AppendChild(built.AsNode(), L"Second"), nullptr);  // one root element only
  AppendAttribute(root, L"version", 2.0);
  SetChildText(AppendChild(root, L"Item"), L"a < b & \"c\"");
  SetChildText(AppendChild(root, L"Item"), L"Fr\u00e9q \U0001F600 bell\a");
  SetChildText(AppendAttribute(root, L"start", 0.1), L"1e-300");
  ASSERT_TRUE(SaveDocument(built, Wide(path)));

  Document document;
  root = LoadRoot(document, path);
  EXPECT_EQ(GetChildText(GetAttribute(root, L"version")), L"2");
  EXPECT_EQ(GetChildText(GetAttribute(root, L"start")), L"1e-300");
  Node* second = GetNextSibling(GetFirstChild(root, L"Item"), L"Item");
  EXPECT_EQ(GetChildText(GetFirstChild(root, L"Item")), L"a < b & \"c\"");
  EXPECT_EQ(GetChildText(second), L"Fr\u00e9q \U0001F600 bell\uFFFD");  // no control in XML
  EXPECT_EQ(GetNextSibling(second, L"Item"), nullptr);
  EXPECT_EQ(GetChildText(GetFirstChild(root, L"Missing")), L"");
}

// Files written by hand or by other programs, in the encodings libxml2 decodes.
TEST(ORLOXMLTest, ReadsHandWrittenFilesInAnyEncodingWithCommentsAndCrLf) {
  orlo::host::testing::ScratchDirectory scratch;
  const std::string body =
      "<!-- by hand -->\r\n<!DOCTYPE Root>\r\n<Root other=\"x\">\r\n  <Note>not ours</Note>\r\n"
      "  <Label>\r\n    Fr\xE9q \xA4<!-- inside -->LF\r\n  </Label>\r\n"
      "  <Data><![CDATA[<raw>]]></Data>\r\n</Root>\r\n";
  const auto declared = [&body](const char* encoding) {
    return "<?xml version=\"1.0\" encoding=\"" + std::string(encoding) + "\"?>\r\n" + body;
  };
  const auto utf16 = [&body](bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char c : body) bytes += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
    return bytes;
  };
  const std::pair<std::string, std::wstring> cases[] = {
      {declared("ISO-8859-1"), L"Fr\u00e9q \u00a4LF"},
      {declared("windows-1252"), L"Fr\u00e9q \u00a4LF"},
      {declared("ISO-8859-15"), L"Fr\u00e9q \u20acLF"},
      {utf16(false), L"Fr\u00e9q \u00a4LF"},
      {utf16(true), L"Fr\u00e9q \u00a4LF"},
  };
  for (const auto& [bytes, label] : cases) {
    Document document;
    Node* root = LoadRoot(document, scratch.Write("foreign.xml", bytes));
    EXPECT_EQ(GetChildText(GetFirstChild(root, L"Label")), label) << bytes.substr(0, 50);
    EXPECT_EQ(GetChildText(GetFirstChild(root, L"Data")), L"<raw>");
  }
}

TEST(ORLOXMLTest, RefusesHostileAndForeignFilesAndKeepsTheDocument) {
  orlo::host::testing::ScratchDirectory scratch;
  const std::string secret = scratch.Write("secret.txt", "TOP-SECRET");
  std::string nested;
  for (int i = 0; i < 100000; ++i) nested += "<a>";
  std::string laughs = "<!DOCTYPE Root [<!ENTITY l0 \"ha\">";
  for (int i = 1; i < 10; ++i) {
    laughs += "<!ENTITY l" + std::to_string(i) + " \"";
    for (int k = 0; k < 10; ++k) laughs += "&l" + std::to_string(i - 1) + ";";
    laughs += "\">";
  }
  laughs += "]><Root>&l9;</Root>";
  const std::pair<std::string, std::wstring> cases[] = {
      {"<!DOCTYPE Root [<!ENTITY e SYSTEM \"file://" + secret + "\">]><Root>&e;</Root>",
       L"declares an entity (refused)"},
      {"<!DOCTYPE Root SYSTEM \"http://example.invalid/x.dtd\"><Root>&e;</Root>",
       L"names an external DTD (refused)"},
      {laughs, L"declares an entity (refused)"},
      {nested, L"line 1: Excessive depth in document: 256 use XML_PARSE_HUGE option"},
      {"<Root>" + std::string(50u << 20, 'x') + "</Root>", L"larger than 16777216 bytes"},
      {"<?xml version=\"1.0\"?>\n<Root><Label>LF</Label><Ba",
       L"line 2: Premature end of data in tag Root line 2"},
      {std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), L"line 1: Start tag expected, '<' not found"},
      {"<Root>Fr\xE9q</Root>", L"line 1: Input is not proper UTF-8, indicate encoding !"},
      {"<?xml version=\"1.0\" encoding=\"x-none\"?><Root/>", L"line 1: Unsupported encoding x-none"},
      {"", L"empty"},
  };
  for (const auto& [bytes, reason] : cases) {
    const std::string path = scratch.Write("hostile.xml", bytes);
    Document document;
    AppendChild(document.AsNode(), L"Kept");
    std::wstring why;
    EXPECT_FALSE(LoadDocument(document, Wide(path), &why)) << bytes.substr(0, 60);
    EXPECT_EQ(why, reason);
    EXPECT_NE(GetFirstChild(document.AsNode(), L"Kept"), nullptr);
  }
  Document document;
  std::wstring why;
  EXPECT_FALSE(LoadDocument(document, Wide(scratch.Path("missing.xml")), &why));
  EXPECT_EQ(why, L"No such file or directory");
  EXPECT_FALSE(LoadDocument(document, Wide(scratch.Path("")), &why));
  EXPECT_EQ(why, L"not a regular file");
}

TEST(ORLOXMLTest, FindBestElementPrefersTheAskedVersionAndNeverANewerOne) {
  const struct {
    const char* elements;
    const wchar_t* picked;  // "id" of the element picked, "" for none
  } cases[] = {
      {"<X version='2' id='a'/>", L"a"},
      {"<X id='a'/>", L"a"},  // no version: the oldest format
      {"<X version='1' id='a'/><Y version='2'/><X version='2' id='b'/>", L"b"},
      {"<X version='1' id='a'/><X version='1.5' id='b'/><X version='3' id='c'/>", L"b"},
      {"<X version='3' id='a'/>", L""},
  };
  orlo::host::testing::ScratchDirectory scratch;
  for (const auto& c : cases) {
    Document document;
    Node* first = GetFirstChild(
        LoadRoot(document, scratch.Write("v.xml", std::string("<Root>") + c.elements + "</Root>")),
        L"X");
    EXPECT_EQ(GetChildText(GetAttribute(FindBestElementMS(first, 2), L"id")), c.picked) << c.elements;
  }
}

// What a save replaces: a regular file the user may write (a symbolic link to one is
// written through and stays a link), keeping its mode; a new file gets 0666 less the
// umask. Nothing else is written over, and a failed write leaves the old file and no
// temporary file. (Tests run as root too: a file without u+w counts as one the user may
// not write.)
TEST(ORLOXMLTest, SaveReplacesOnlyRegularFilesTheUserMayWrite) {
  namespace fs = std::filesystem;
  orlo::test::SettingsFolder folder;
  const auto file = [&folder](const char* name, const char* content, mode_t mode) {
    folder.Write(content, name);
    ::chmod(folder.Path(name).c_str(), mode);
  };
  file("kept-mode", "<Old/>", 0640);
  file("target", "<Old/>", 0604);
  file("protected", "<Old/>", 0444);
  fs::create_directory(folder.Path("folder"));
  fs::create_symlink(folder.Path("target"), folder.Path("link"));
  fs::create_symlink("/dev/null", folder.Path("null"));
  fs::create_symlink(folder.Path("folder"), folder.Path("folder-link"));
  fs::create_symlink(folder.Path("nowhere"), folder.Path("dangling"));
  const struct {
    const char* name;
    const char* refused;  // null: saved
    const char* replaced;  // the file that then holds the new text
    mode_t mode;
  } cases[] = {
      {"kept-mode", nullptr, "kept-mode", 0640},
      {"link", nullptr, "target", 0604},
      {"new", nullptr, "new", 0640},  // umask 027
      {"protected", "the file is write-protected", nullptr, 0},
      {"null", "not a regular file", nullptr, 0},
      {"folder", "not a regular file", nullptr, 0},
      {"folder-link", "not a regular file", nullptr, 0},
      {"dangling", "a symbolic link that leads to no file", nullptr, 0},
  };
  const mode_t umask = ::umask(027);
  for (const auto& c : cases) {
    std::string reason;
    EXPECT_EQ(orlo::ReplaceFileAtomically(folder.Path(c.name), "<New/>", &reason), !c.refused)
        << c.name;
    EXPECT_EQ(reason, c.refused ? c.refused : "") << c.name;
    if (c.replaced == nullptr) continue;
    EXPECT_EQ(folder.Read(c.replaced), "<New/>") << c.name;
    EXPECT_EQ(fs::status(folder.Path(c.replaced)).permissions(), fs::perms(c.mode)) << c.name;
  }
  ::umask(umask);
  EXPECT_TRUE(fs::is_symlink(folder.Path("link")));
  EXPECT_TRUE(fs::is_symlink(folder.Path("null")));
  EXPECT_EQ(folder.Read("protected"), "<Old/>");
  EXPECT_TRUE(fs::is_empty(folder.Path("folder")));
  {
    orlo::test::FileSizeLimit limit(4);  // the write fails, whoever runs the test
    EXPECT_FALSE(orlo::ReplaceFileAtomically(folder.Path("target"), "<Newer/>"));
  }
  EXPECT_EQ(folder.Read("target"), "<New/>");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path("")), fs::directory_iterator()), 9);
}

}  // namespace
