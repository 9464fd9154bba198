#include "platform/xml/ORLOXML.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

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

TEST(ORLOXMLTest, ReadsHandWrittenLatin1FilesWithCommentsAndCrLf) {
  orlo::host::testing::ScratchDirectory scratch;
  const std::string path = scratch.Write(
      "foreign.xml",
      "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<!-- by hand -->\r\n<!DOCTYPE Root>\r\n"
      "<Root other=\"x\">\r\n  <Note>not ours</Note>\r\n"
      "  <Label>\r\n    Fr\xE9q <!-- inside -->LF\r\n  </Label>\r\n"
      "  <Data><![CDATA[<raw>]]></Data>\r\n</Root>\r\n");
  Document document;
  Node* root = LoadRoot(document, path);
  EXPECT_EQ(GetChildText(GetFirstChild(root, L"Label")), L"Fr\u00e9q LF");
  EXPECT_EQ(GetChildText(GetFirstChild(root, L"Data")), L"<raw>");
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
  const std::string cases[] = {
      "<!DOCTYPE Root [<!ENTITY e SYSTEM \"file://" + secret + "\">]><Root>&e;</Root>",
      "<!DOCTYPE Root SYSTEM \"http://example.invalid/x.dtd\"><Root>&e;</Root>",
      laughs,
      nested,
      "<Root>" + std::string(50u << 20, 'x') + "</Root>",  // 50 MB
      "<?xml version=\"1.0\"?>\n<Root><Label>LF</Label><Ba",
      std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16),
      std::string("\xFF\xFE<\0R\0o\0o\0t\0/\0>\0", 16),       // UTF-16
      "<Root>Fr\xE9q</Root>",                                  // Latin-1, undeclared
      "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><Root/>",  // another encoding
      "",
  };
  for (const std::string& bytes : cases) {
    const std::string path = scratch.Write("hostile.xml", bytes);
    Document document;
    AppendChild(document.AsNode(), L"Kept");
    EXPECT_FALSE(LoadDocument(document, Wide(path))) << bytes.substr(0, 60);
    EXPECT_NE(GetFirstChild(document.AsNode(), L"Kept"), nullptr);
  }
  Document document;
  EXPECT_FALSE(LoadDocument(document, Wide(scratch.Path("missing.xml"))));
  EXPECT_FALSE(LoadDocument(document, Wide(scratch.Path(""))));  // a folder
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

TEST(ORLOXMLTest, FailedSaveLeavesTheOldFileAndNoTemporaryFile) {
  orlo::test::SettingsFolder folder;  // a fresh folder of its own
  const std::string path = folder.Path("doc.xml");
  folder.Write("<Old/>", "doc.xml");
  ::chmod(path.c_str(), 0640);
  Document document;
  SetChildText(AppendChild(document.AsNode(), L"Root"), std::wstring(4096, L'x'));
  {
    orlo::test::FileSizeLimit limit(1024);  // the write fails, whoever runs the test
    EXPECT_FALSE(SaveDocument(document, Wide(path)));
    EXPECT_FALSE(SaveDocument(document, Wide(folder.Path("no-such-folder/doc.xml"))));
  }
  EXPECT_EQ(folder.Read("doc.xml"), "<Old/>");
  ASSERT_TRUE(SaveDocument(document, Wide(path)));
  struct stat status {};
  ::stat(path.c_str(), &status);
  EXPECT_EQ(status.st_mode & 0777, 0640u);  // the mode of the file it replaced
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(std::filesystem::path(path).parent_path()),
                          std::filesystem::directory_iterator()),
            1);
}

}  // namespace
