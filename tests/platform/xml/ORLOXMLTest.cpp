#include "platform/xml/ORLOXML.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/host/ScratchDirectory.h"
#include "tests/support/FileSizeLimit.h"

namespace {

using orlo::host::testing::ScratchDirectory;
using namespace ORLOXML;
using orlo::test::FileSizeLimit;

std::wstring Wide(const std::string& path) { return std::wstring(path.begin(), path.end()); }

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// The text of element `name` under the root of the document in `path`, or "<unloaded>".
std::wstring LoadedText(const std::string& path, const std::wstring& name) {
  Document document;
  if (!LoadDocument(document, Wide(path))) return L"<unloaded>";
  return GetChildText(GetFirstChild(GetFirstChild(document.AsNode(), L"Root"), name));
}

TEST(ORLOXMLTest, BuiltTreeSurvivesSaveAndLoad) {
  ScratchDirectory scratch;
  const std::string path = scratch.Path("doc.xml");
  {
    Document document = CreateDocument();
    Node* root = AppendChild(document.AsNode(), L"Root");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(AppendChild(document.AsNode(), L"Second"), nullptr);  // one root element only
    AppendAttribute(root, L"version", 2.0);
    SetChildText(AppendChild(root, L"Item"), L"a < b & \"c\"");
    SetChildText(AppendChild(root, L"Item"), L"Fr\u00e9quence \U0001F600 bell\a");
    Node* band = AppendChild(root, L"Band");
    AppendAttribute(band, L"start", 0.1);
    SetChildText(GetAttribute(band, L"start"), L"1e-300");
    ASSERT_TRUE(SaveDocument(document, Wide(path)));
  }
  const std::string bytes = ReadBytes(path);
  EXPECT_EQ(bytes.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Root version=\"2\">\n", 0), 0u)
      << bytes;

  Document document;
  ASSERT_TRUE(LoadDocument(document, Wide(path)));
  Node* root = GetFirstChild(document.AsNode(), L"Root");
  EXPECT_EQ(GetChildText(GetAttribute(root, L"version")), L"2");
  Node* first = GetFirstChild(root, L"Item");
  Node* second = GetNextSibling(first, L"Item");
  EXPECT_EQ(GetChildText(first), L"a < b & \"c\"");
  EXPECT_EQ(GetChildText(second), L"Fr\u00e9quence \U0001F600 bell\uFFFD");
  EXPECT_EQ(GetNextSibling(second, L"Item"), nullptr);
  EXPECT_EQ(GetChildText(GetAttribute(GetFirstChild(root, L"Band"), L"start")), L"1e-300");
  EXPECT_EQ(GetAttribute(root, L"missing"), nullptr);
  EXPECT_EQ(GetChildText(GetFirstChild(root, L"Missing")), L"");
}

TEST(ORLOXMLTest, ReadsHandWrittenLatin1FilesWithCommentsAndCrLf) {
  ScratchDirectory scratch;
  const std::string path = scratch.Write(
      "foreign.xml",
      "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n"
      "<!-- written by hand -->\r\n"
      "<!DOCTYPE Root>\r\n"
      "<Root other=\"x\">\r\n"
      "  <Note>not ours</Note>\r\n"
      "  <Label>\r\n    Fr\xE9quence <!-- inside -->LF\r\n  </Label>\r\n"
      "  <Data><![CDATA[<raw>]]></Data>\r\n"
      "</Root>\r\n");
  EXPECT_EQ(LoadedText(path, L"Label"), L"Fr\u00e9quence LF");
  EXPECT_EQ(LoadedText(path, L"Data"), L"<raw>");
}

TEST(ORLOXMLTest, RefusesHostileAndForeignFilesAndKeepsTheDocument) {
  ScratchDirectory scratch;
  const std::string secret = scratch.Write("secret.txt", "TOP-SECRET");
  std::string nested;
  for (int i = 0; i < 100000; ++i) nested += "<a>";
  std::string laughs = "<?xml version=\"1.0\"?>\n<!DOCTYPE Root [\n<!ENTITY l0 \"ha\">\n";
  for (int i = 1; i < 10; ++i) {
    laughs += "<!ENTITY l" + std::to_string(i) + " \"";
    for (int k = 0; k < 10; ++k) laughs += "&l" + std::to_string(i - 1) + ";";
    laughs += "\">\n";
  }
  laughs += "]>\n<Root><Label>&l9;</Label></Root>\n";
  std::string huge = "<Root><Label>";
  huge.append(50u << 20, 'x');
  huge += "</Label></Root>";

  const struct {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"external entity",
       "<?xml version=\"1.0\"?>\n<!DOCTYPE Root [<!ENTITY e SYSTEM \"file://" + secret +
           "\">]>\n<Root><Label>&e;</Label></Root>"},
      {"external DTD", "<!DOCTYPE Root SYSTEM \"http://example.invalid/x.dtd\"><Root><Label>&e;</Label></Root>"},
      {"billion laughs", laughs},
      {"deep nesting", nested},
      {"50 MB", huge},
      {"truncated", "<?xml version=\"1.0\"?>\n<Root><Label>LF</Label><Ba"},
      {"binary", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)},
      {"UTF-16", std::string("\xFF\xFE<\0R\0o\0o\0t\0/\0>\0", 16)},
      {"Latin-1 bytes without declaration", "<Root><Label>Fr\xE9quence</Label></Root>"},
      {"other declared encoding", "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><Root/>"},
      {"empty", ""},
  };
  for (const auto& hostile : cases) {
    const std::string path = scratch.Write("hostile.xml", hostile.bytes);
    Document document;
    AppendChild(document.AsNode(), L"Kept");
    EXPECT_FALSE(LoadDocument(document, Wide(path))) << hostile.what;
    EXPECT_NE(GetFirstChild(document.AsNode(), L"Kept"), nullptr) << hostile.what;
  }
  Document document;
  EXPECT_FALSE(LoadDocument(document, Wide(scratch.Path("missing.xml"))));
  EXPECT_FALSE(LoadDocument(document, Wide(scratch.Path(""))));  // a folder
}

TEST(ORLOXMLTest, FindBestElementPrefersTheAskedVersionAndNeverANewerOne) {
  const struct {
    const char* elements;
    const char* picked;  // the "id" of the element picked, "" for none
  } cases[] = {
      {"<X version='2' id='a'/>", "a"},
      {"<X id='a'/>", "a"},  // no version: the oldest format
      {"<X version='1' id='a'/><Y version='2'/><X version='2' id='b'/>", "b"},
      {"<X version='1' id='a'/><X version='1.5' id='b'/><X version='3' id='c'/>", "b"},
      {"<X version='3' id='a'/>", ""},
  };
  ScratchDirectory scratch;
  for (const auto& c : cases) {
    const std::string path = scratch.Write("v.xml", std::string("<R>") + c.elements + "</R>");
    Document document;
    ASSERT_TRUE(LoadDocument(document, Wide(path)));
    Node* first = GetFirstChild(GetFirstChild(document.AsNode(), L"R"), L"X");
    const std::string picked = c.picked;
    EXPECT_EQ(GetChildText(GetAttribute(FindBestElementMS(first, 2), L"id")),
              std::wstring(picked.begin(), picked.end()))
        << c.elements;
  }
  EXPECT_EQ(FindBestElementMS(nullptr, 2), nullptr);
}

TEST(ORLOXMLTest, FailedSaveLeavesTheOldFileAndNoTemporaryFile) {
  ScratchDirectory scratch;
  const std::string path = scratch.Write("doc.xml", "<Old/>");
  ::chmod(path.c_str(), 0640);
  Document document;
  AppendChild(document.AsNode(), L"New");

  ASSERT_TRUE(SaveDocument(document, Wide(path)));
  struct stat status {};
  ::stat(path.c_str(), &status);
  EXPECT_EQ(status.st_mode & 0777, 0640u);  // the mode of the file it replaced

  // A file-size limit makes the write fail, whoever runs the test.
  Document bigger;
  SetChildText(AppendChild(bigger.AsNode(), L"Big"), std::wstring(4096, L'x'));
  {
    FileSizeLimit limit(1024);
    EXPECT_FALSE(SaveDocument(bigger, Wide(path)));
  }
  EXPECT_FALSE(SaveDocument(document, Wide(scratch.Path("no-such-folder/doc.xml"))));
  EXPECT_NE(ReadBytes(path).find("<New/>"), std::string::npos);
  int files = 0;
  for ([[maybe_unused]] const auto& entry :
       std::filesystem::directory_iterator(std::filesystem::path(path).parent_path())) {
    ++files;
  }
  EXPECT_EQ(files, 1);
}

}  // namespace
