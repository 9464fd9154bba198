#include "platform/xml/ORLOXML.h"

#include <libxml/parser.h>
#include <libxml/SAX2.h>
#include <libxml/parserInternals.h>
#include <libxml/tree.h>

#include <algorithm>
#include <memory>
#include <string>

#include "platform/common/Services.h"
#include "platform/common/Utf8.h"
#include "platform/common/FileAccess.h"

namespace ORLOXML {

namespace {

using orlo::Utf8ToWide;
using orlo::WideToUtf8;

// Nodes are libxml2's own: the document, element and attribute records share the layout
// of their leading members (type, name, children, ..., next), which libxml2 relies on too.
xmlNode* Raw(Node* node) { return reinterpret_cast<xmlNode*>(node); }
Node* Wrap(void* node) { return static_cast<Node*>(node); }
const xmlChar* Chars(const std::string& utf8) { return reinterpret_cast<const xmlChar*>(utf8.c_str()); }

std::wstring WideOf(const xmlChar* utf8) {
  return utf8 == nullptr ? std::wstring() : Utf8ToWide(reinterpret_cast<const char*>(utf8));
}

bool IsElementNamed(const xmlNode* node, const std::string& name) {
  return node != nullptr && node->type == XML_ELEMENT_NODE && xmlStrEqual(node->name, Chars(name));
}

Node* FirstElementFrom(xmlNode* node, const std::string& name) {
  for (; node != nullptr; node = node->next) {
    if (IsElementNamed(node, name)) return Wrap(node);
  }
  return nullptr;
}

bool IsXmlBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }

// Characters an XML 1.0 document can hold.
bool IsXmlChar(wchar_t c) {
  return c == L'\t' || c == L'\n' || c == L'\r' || (c >= 0x20 && c <= 0xD7FF) ||
         (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

std::string XmlText(const std::wstring& text) {
  std::wstring safe = text;
  std::replace_if(safe.begin(), safe.end(), [](wchar_t c) { return !IsXmlChar(c); }, L'\uFFFD');
  return WideToUtf8(safe);
}

// ---------------------------------------------------------------------------------------
// Parsing

constexpr int kParseOptions = XML_PARSE_NONET | XML_PARSE_NOBLANKS | XML_PARSE_NOERROR |
                              XML_PARSE_NOWARNING;

// Stops the parser and marks the document refused as a whole, for `reason`.
void Refuse(void* context, const char* reason) {
  auto* parser = static_cast<xmlParserCtxt*>(context);
  *static_cast<const char**>(parser->_private) = reason;
  xmlStopParser(parser);
}

void RefuseEntityDeclaration(void* context, const xmlChar*, int, const xmlChar*, const xmlChar*,
                             xmlChar*) {
  Refuse(context, "declares an entity (refused)");
}

// A DOCTYPE naming an external DTD is refused: with it, references to entities the
// document does not declare would pass as those of the unread DTD.
void CheckDoctype(void* context, const xmlChar* name, const xmlChar* publicId,
                  const xmlChar* systemId) {
  if (publicId != nullptr || systemId != nullptr) {
    Refuse(context, "names an external DTD (refused)");
  } else {
    xmlSAX2InternalSubset(context, name, publicId, systemId);
  }
}

struct ParserDeleter {
  void operator()(xmlParserCtxt* parser) const { xmlFreeParserCtxt(parser); }
};

// "line N: message" of the parser's last error (its first line), or `fallback`.
std::string ErrorText(xmlParserCtxt* parser, const char* fallback) {
  const xmlError* error = xmlCtxtGetLastError(parser);
  if (error == nullptr || error->message == nullptr) return fallback;
  std::string message = error->message;
  message.erase(std::min(message.find('\n'), message.size()));
  return "line " + std::to_string(error->line) + ": " + message;
}

// The document, or null with the reason in `reason`.
xmlDoc* Parse(const std::string& bytes, std::string* reason) {
  std::unique_ptr<xmlParserCtxt, ParserDeleter> parser(
      xmlCreateMemoryParserCtxt(bytes.data(), static_cast<int>(bytes.size())));
  if (parser == nullptr) {
    *reason = bytes.empty() ? "empty" : "cannot be parsed";
    return nullptr;
  }
  const char* refused = nullptr;
  parser->_private = &refused;
  xmlCtxtUseOptions(parser.get(), kParseOptions);
  parser->sax->entityDecl = RefuseEntityDeclaration;
  parser->sax->internalSubset = CheckDoctype;
  xmlParseDocument(parser.get());
  xmlDoc* doc = parser->myDoc;
  parser->myDoc = nullptr;
  if (doc == nullptr || !parser->wellFormed || refused != nullptr) {
    *reason = refused != nullptr ? refused : ErrorText(parser.get(), "no XML document");
    if (doc != nullptr) xmlFreeDoc(doc);
    doc = nullptr;
  }
  return doc;
}

}  // namespace

// ---------------------------------------------------------------------------------------
// Document

Document::Document() : doc_(xmlNewDoc(reinterpret_cast<const xmlChar*>("1.0"))) {}

Document::Document(Document&& other) noexcept : doc_(other.doc_) { other.doc_ = nullptr; }

Document& Document::operator=(Document&& other) noexcept {
  std::swap(doc_, other.doc_);
  return *this;
}

Document::~Document() {
  if (doc_ != nullptr) xmlFreeDoc(doc_);
}

Node* Document::AsNode() const { return Wrap(doc_); }

Document CreateDocument() { return Document(); }

bool LoadDocument(Document& document, const std::wstring& path, std::wstring* reason) {
  std::string bytes;
  std::string why;
  xmlDoc* parsed = nullptr;
  if (orlo::ReadFileBounded(WideToUtf8(path), kMaxDocumentBytes, &bytes, &why)) {
    parsed = Parse(bytes, &why);
  }
  if (parsed == nullptr) {
    if (reason != nullptr) *reason = Utf8ToWide(why);
    return false;
  }
  if (document.doc_ != nullptr) xmlFreeDoc(document.doc_);
  document.doc_ = parsed;
  return true;
}

bool SaveDocument(const Document& document, const std::wstring& path) {
  if (document.doc_ == nullptr) return false;
  xmlChar* text = nullptr;
  int size = 0;
  xmlDocDumpFormatMemoryEnc(document.doc_, &text, &size, "UTF-8", 1);
  if (text == nullptr) return false;
  const std::string bytes(reinterpret_cast<const char*>(text), static_cast<size_t>(size));
  xmlFree(text);
  return orlo::ReplaceFileAtomically(WideToUtf8(path), bytes);
}

// ---------------------------------------------------------------------------------------
// Nodes

Node* GetFirstChild(Node* node, const std::wstring& name) {
  if (node == nullptr || Raw(node)->type == XML_ATTRIBUTE_NODE) return nullptr;
  return FirstElementFrom(Raw(node)->children, WideToUtf8(name));
}

Node* GetNextSibling(Node* node, const std::wstring& name) {
  if (node == nullptr || Raw(node)->type != XML_ELEMENT_NODE) return nullptr;
  return FirstElementFrom(Raw(node)->next, WideToUtf8(name));
}

Node* GetAttribute(Node* node, const std::wstring& name) {
  if (node == nullptr || Raw(node)->type != XML_ELEMENT_NODE) return nullptr;
  return Wrap(xmlHasProp(Raw(node), Chars(WideToUtf8(name))));
}

std::wstring GetChildText(Node* node) {
  if (node == nullptr) return std::wstring();
  const auto type = Raw(node)->type;
  if (type != XML_ELEMENT_NODE && type != XML_ATTRIBUTE_NODE) return std::wstring();
  xmlChar* content = xmlNodeGetContent(Raw(node));
  std::wstring text = WideOf(content);
  xmlFree(content);
  const auto first = std::find_if_not(text.begin(), text.end(), IsXmlBlank);
  const auto last = std::find_if_not(text.rbegin(), text.rend(), IsXmlBlank).base();
  return first < last ? std::wstring(first, last) : std::wstring();
}

void SetChildText(Node* node, const std::wstring& text) {
  if (node == nullptr) return;
  xmlNode* raw = Raw(node);
  const std::string utf8 = XmlText(text);
  if (raw->type == XML_ATTRIBUTE_NODE) {
    // Setting the property again keeps the attribute record and takes the text literally.
    if (raw->parent != nullptr) xmlSetProp(raw->parent, raw->name, Chars(utf8));
  } else if (raw->type == XML_ELEMENT_NODE) {
    xmlNodeSetContent(raw, nullptr);
    if (!utf8.empty()) xmlNodeAddContent(raw, Chars(utf8));
  }
}

Node* AppendChild(Node* node, const std::wstring& name) {
  if (node == nullptr) return nullptr;
  xmlNode* parent = Raw(node);
  if (parent->type == XML_DOCUMENT_NODE) {
    if (xmlDocGetRootElement(reinterpret_cast<xmlDoc*>(parent)) != nullptr) return nullptr;
  } else if (parent->type != XML_ELEMENT_NODE) {
    return nullptr;
  }
  return Wrap(xmlNewChild(parent, nullptr, Chars(WideToUtf8(name)), nullptr));
}

Node* AppendAttribute(Node* node, const std::wstring& name, const std::wstring& value) {
  if (node == nullptr || Raw(node)->type != XML_ELEMENT_NODE) return nullptr;
  return Wrap(xmlSetProp(Raw(node), Chars(WideToUtf8(name)), Chars(XmlText(value))));
}

Node* AppendAttribute(Node* node, const std::wstring& name, double value) {
  wchar_t text[50];
  ORLOFormatValue(value, text, 50, -1, -1, 0, 1, L'.');
  return AppendAttribute(node, name, std::wstring(text));
}

Node* FindBestElementMS(Node* element, int version) {
  if (element == nullptr || Raw(element)->type != XML_ELEMENT_NODE) return nullptr;
  const std::string name(reinterpret_cast<const char*>(Raw(element)->name));
  Node* best = nullptr;
  double bestVersion = 0.0;
  for (Node* candidate = element; candidate != nullptr;
       candidate = FirstElementFrom(Raw(candidate)->next, name)) {
    const double candidateVersion = strToFloat(GetChildText(GetAttribute(candidate, L"version")));
    if (candidateVersion == version) return candidate;
    if (candidateVersion < version && (best == nullptr || candidateVersion > bestVersion)) {
      best = candidate;
      bestVersion = candidateVersion;
    }
  }
  return best;
}

}  // namespace ORLOXML
