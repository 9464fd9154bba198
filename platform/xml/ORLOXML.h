// ORLOXML: the host's small DOM library for settings files, over libxml2.
//
// A Document owns one XML document tree; Nodes are the document itself, its elements and
// their attributes, and stay valid while the document lives and the node is in it. Every
// function accepts a null node and then does nothing and answers null, false or the empty
// text. Names and texts are wide; the file holds them in UTF-8.
//
// Reading (LoadDocument) is for files that may come from anywhere, so it is strict and
// cheap: the file must be a regular file of at most kMaxDocumentBytes, well-formed, and
// nested at most 256 elements deep, in any encoding libxml2 decodes (UTF-8 by default,
// UTF-16 with a byte-order mark, or one named in the XML declaration such as windows-1252
// or ISO-8859-15). It never touches the network and never loads a DTD: it refuses any
// document that declares an entity (no expansion bombs, no external entities whose
// content could leak into the settings) or names an external DTD; a DOCTYPE without
// either is allowed. A refused or failed load leaves the document as it was and can say
// why: the file's fault ("not a regular file", ...) or the parser's "line N: message".
//
// Writing (SaveDocument) replaces the file atomically and with care (platform/common's
// FileAccess.h): the text goes to a new file beside it, is flushed to the disk and renamed
// over the old one, so a
// reader (or a crash at any instant) finds the old or the new file complete. A symbolic
// link to a regular file is written through (its target is replaced, the link stays); a
// link to anything else, a path that is no regular file, and a file the user may not
// write are not written. A failed save leaves the old file untouched and removes its own
// temporary file. The saved file is UTF-8 with an XML declaration, indented.
#pragma once

#include <cstddef>
#include <string>

struct _xmlDoc;

namespace ORLOXML {

// Largest file LoadDocument reads.
constexpr std::size_t kMaxDocumentBytes = 16u << 20;

// Opaque: a node of a document (the document node, an element or an attribute).
struct Node;

class Document {
 public:
  Document();  // an empty document: no root element yet
  Document(Document&& other) noexcept;
  Document& operator=(Document&& other) noexcept;
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;
  ~Document();

  // The document node: the parent of the root element.
  Node* AsNode() const;

 private:
  friend bool LoadDocument(Document& document, const std::wstring& path, std::wstring* reason);
  friend bool SaveDocument(const Document& document, const std::wstring& path);
  _xmlDoc* doc_;
};

Document CreateDocument();
// Replaces the document's tree with the file's; false (document unchanged) when the file
// is missing, unreadable or refused (see above), with the reason in `reason` when given.
bool LoadDocument(Document& document, const std::wstring& path, std::wstring* reason = nullptr);
bool SaveDocument(const Document& document, const std::wstring& path);

// The first child element of `node` called `name`, or null.
Node* GetFirstChild(Node* node, const std::wstring& name);
// The next sibling element of `node` (an element) called `name`, or null.
Node* GetNextSibling(Node* node, const std::wstring& name);
// The attribute `name` of the element `node`, or null.
Node* GetAttribute(Node* node, const std::wstring& name);
// The text of an element (its text and CDATA content, descendants included, comments
// left out) or of an attribute, without leading and trailing white space (space, tab,
// CR, LF), as a DOM that does not preserve white space answers it.
std::wstring GetChildText(Node* node);
// Replaces the content of an element or the value of an attribute by `text`, taken
// literally (markup characters are escaped on saving). Characters an XML 1.0 document
// cannot hold (controls other than tab, CR and LF; U+FFFE, U+FFFF) become U+FFFD.
void SetChildText(Node* node, const std::wstring& text);
// Appends a new element `name` as the last child of an element or of the document node
// (null for a document that already has its root element) and answers it.
Node* AppendChild(Node* node, const std::wstring& name);
// Appends the attribute `name` to the element `node` (replacing an attribute of that
// name) and answers it. The number form writes the shortest text that reads back to
// exactly `value` (as ORLOFormatValue does).
Node* AppendAttribute(Node* node, const std::wstring& name, const std::wstring& value);
Node* AppendAttribute(Node* node, const std::wstring& name, double value);

// Picks, among `element` and its following sibling elements of the same name, the one to
// use for format `version`: the first whose "version" attribute equals `version`, else
// the one with the highest version below it (a missing or unreadable version counts as 0).
// Elements of a newer version are never picked; null when there is none to use.
Node* FindBestElementMS(Node* element, int version);

}  // namespace ORLOXML
