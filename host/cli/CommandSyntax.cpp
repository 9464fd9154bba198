#include "host/cli/CommandSyntax.h"

#include <cctype>

namespace orlo::host::syntax {

namespace {

// The width of the help texts, hand-wrapped descriptions included.
constexpr size_t kWidth = 86;
// A longer label has its help on the next line, so that it does not push every help of
// its list to the right.
constexpr size_t kLongestInlineLabel = 20;
constexpr size_t kLabelGap = 3;

std::vector<std::string> Words(const std::string& text) {
  std::vector<std::string> words;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = std::min(text.find(' ', start), text.size());
    if (end > start) words.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return words;
}

// `line` continued with `words`; whenever the next word would pass the width (and the
// line holds a word of its own) a new line starts with `indent` blanks.
std::string Flow(std::string line, bool lineHasWords, const std::vector<std::string>& words,
                 size_t indent) {
  std::string text;
  for (const std::string& word : words) {
    if (lineHasWords && line.size() + 1 + word.size() > kWidth) {
      text += line + '\n';
      line.assign(indent, ' ');
      lineHasWords = false;
    }
    if (lineHasWords) line += ' ';
    line += word;
    lineHasWords = true;
  }
  return text + line + '\n';
}

}  // namespace

bool LooksLikeOption(const std::string& word) { return word.size() >= 2 && word.front() == '-'; }

std::string PositionalNoun(const char* name) {
  std::string noun(name);
  for (char& c : noun) {
    c = c == '_' ? ' ' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return noun;
}

std::string FlowItems(const std::string& lead, const std::vector<std::string>& items) {
  return Flow(lead, true, items, lead.size() + 1);
}

std::string Wrapped(const std::string& paragraph, size_t indent) {
  return Flow(std::string(indent, ' '), false, Words(paragraph), indent);
}

std::string EntryList(const std::vector<Entry>& entries, size_t indent) {
  size_t widest = 0;
  for (const Entry& entry : entries) {
    if (entry.label.size() <= kLongestInlineLabel) widest = std::max(widest, entry.label.size());
  }
  const size_t column = indent + widest + kLabelGap;
  std::string text;
  for (const Entry& entry : entries) {
    std::string line = std::string(indent, ' ') + entry.label;
    if (entry.label.size() > widest) {
      text += line + '\n';
      line.clear();
    }
    line.resize(column, ' ');
    text += Flow(line, false, Words(entry.help), column);
  }
  return text;
}

}  // namespace orlo::host::syntax
