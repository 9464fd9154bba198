// CommandSyntax: the option table of one `orlo` command. Its parsing, its `--help` text
// and its usage errors all come from this one declaration.
//
// A command declares, in a CommandSyntax<Options> (Options: the command's own record of
// what was asked for):
//   options      flags and options with a value. Each has a Store that puts the value into
//                the record and answers false when the value is not valid. An option given
//                twice is stored twice: with Assign and Convert the last value wins, with
//                Append every value is kept in order (a repeatable option).
//   positionals  the words that are not options, in order; the last may take many.
//   actions      sub-commands chosen by a word (`orlo settings band add --label L`), each a
//                CommandSyntax of its own with the same Options record. A command has
//                positionals or actions, not both. The command's options count anywhere,
//                an action's only after its word.
//   check        a rule across options, run once everything is stored.
//
// Parse reads the words in order and stops at the first fault. Where the command (or the
// action chosen last) takes positionals or actions, a word of two or more characters
// starting with '-' must be a known option ("unknown option '-x'") and "--" ends the
// options. A command that takes nothing but options calls any other word an "unknown
// argument"; one that takes nothing at all calls it an "unexpected argument". An option's
// value is the next word, whatever it holds; a missing or empty one is reported as
// "--row needs a value", an invalid one as "--row expects EXPECTS, not 'VALUE'". After the
// last word: "no sweep file given" (a positional's name in lower case, '_' as a blank),
// "no action given", "no --label given" (a required option), then the check's reason.
#pragma once

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

namespace orlo::host {

// Puts `value` into `options`; false when the value is not valid. Flags receive "".
template <typename Options>
using Store = std::function<bool(Options& options, const std::string& value)>;

template <typename Options>
struct Option {
  const char* name;      // "--row", "-o"
  const char* argument;  // the value's name in the help ("N"); nullptr for a flag
  const char* help;      // one paragraph; the help text wraps it
  const char* expects;   // what a valid value is: "--row expects EXPECTS, not 'x'"
  Store<Options> store;
  bool required = false;
};

template <typename Options>
struct Positional {
  const char* name;     // as the usage line shows it ("SWEEP_FILE")
  const char* expects;  // what a valid word is: "ROW expects EXPECTS, not 'x'"
  Store<Options> store;
  bool many = false;  // takes every remaining word (at least one)
};

// The entries of a table (options, positionals, actions), in the order the help lists
// them. A class of its own with a written-out constructor, because GCC 12 fails (an
// internal compiler error) on defaulted std::vector members of the nested CommandSyntax.
template <typename Entry>
class EntryTable {
 public:
  EntryTable() {}  // not "= default": see above
  EntryTable(std::initializer_list<Entry> entries) : entries_(entries) {}

  auto begin() const { return entries_.begin(); }
  auto end() const { return entries_.end(); }
  bool empty() const { return entries_.empty(); }
  size_t size() const { return entries_.size(); }
  const Entry& operator[](size_t index) const { return entries_[index]; }
  const Entry& back() const { return entries_.back(); }

 private:
  std::vector<Entry> entries_;
};

template <typename Options>
struct CommandSyntax {
  const char* name;
  const char* summary;           // one line for `orlo --help` and the list of actions
  const char* description = "";  // hand-wrapped paragraphs below the usage line
  const char* epilogue = "";     // paragraphs below the options (exit status, ...)
  EntryTable<Option<Options>> options{};
  EntryTable<Positional<Options>> positionals{};
  std::function<void(Options&)> select{};              // an action: marks it as the one chosen
  std::function<std::string(const Options&)> check{};  // the fault's reason, "" when none
  EntryTable<CommandSyntax> actions{};

  // Stores `args` into `options`. On a usage error prints "orlo NAME: reason" to `err` and
  // answers false; `options` may then be half filled.
  bool Parse(const std::vector<std::string>& args, Options& options, std::ostream& err) const;
  // The text of `orlo NAME --help`.
  std::string Usage() const;
};

// Stores for the common kinds of option.
template <typename Options>
Store<Options> Set(bool Options::*flag) {
  return [flag](Options& options, const std::string&) {
    options.*flag = true;
    return true;
  };
}

template <typename Options, typename Text>
Store<Options> Assign(Text Options::*text) {
  return [text](Options& options, const std::string& value) {
    options.*text = value;
    return true;
  };
}

template <typename Options>
Store<Options> Append(std::vector<std::string> Options::*list) {
  return [list](Options& options, const std::string& value) {
    (options.*list).push_back(value);
    return true;
  };
}

// `parse` answers the value read from the text, or nullopt when the text is not valid.
template <typename Options, typename Member, typename Parse>
Store<Options> Convert(Member Options::*member, Parse parse) {
  return [member, parse](Options& options, const std::string& value) {
    auto parsed = parse(value);
    if (!parsed) return false;
    options.*member = *parsed;
    return true;
  };
}

namespace syntax {

// The layout of help texts; defined in CommandSyntax.cpp.
bool LooksLikeOption(const std::string& word);
std::string PositionalNoun(const char* name);
// `lead` followed by `items`, flowed over lines no wider than the help, continued lines
// aligned after the lead; ends in a newline like the other pieces.
std::string FlowItems(const std::string& lead, const std::vector<std::string>& items);
// `paragraph` wrapped into lines that start at `indent`.
std::string Wrapped(const std::string& paragraph, size_t indent);
struct Entry {
  std::string label;
  std::string help;
};
// Labels at `indent`, their help wrapped in a column after the labels.
std::string EntryList(const std::vector<Entry>& entries, size_t indent);

template <typename Options>
std::string Label(const Option<Options>& option) {
  return option.argument ? std::string(option.name) + ' ' + option.argument : option.name;
}

template <typename Options>
std::vector<std::string> SynopsisItems(const CommandSyntax<Options>& command) {
  std::vector<std::string> items;
  for (const Option<Options>& option : command.options) {
    items.push_back(option.required ? Label(option) : '[' + Label(option) + ']');
  }
  for (const Positional<Options>& positional : command.positionals) {
    items.push_back(std::string(positional.name) + (positional.many ? "..." : ""));
  }
  if (!command.actions.empty()) items.push_back("ACTION ...");
  return items;
}

template <typename Options>
std::vector<Entry> OptionEntries(const CommandSyntax<Options>& command) {
  std::vector<Entry> entries;
  for (const Option<Options>& option : command.options) {
    entries.push_back({Label(option), option.help});
  }
  return entries;
}

// Each action under `path`: its usage line, its summary and its options.
template <typename Options>
void AppendActions(const CommandSyntax<Options>& command, const std::string& path,
                   std::string& text) {
  for (const CommandSyntax<Options>& action : command.actions) {
    const std::string actionPath = path + action.name;
    text += FlowItems("  " + actionPath, SynopsisItems(action));
    text += Wrapped(action.summary, 6);
    text += EntryList(OptionEntries(action), 6);
    AppendActions(action, actionPath + ' ', text);
  }
}

// Reads one command line into the options, word by word, as the header describes.
template <typename Options>
class LineReader {
 public:
  LineReader(const CommandSyntax<Options>& command, Options& options)
      : path_{&command}, options_(options) {}

  // The first fault of `args`, "" when there is none.
  std::string Read(const std::vector<std::string>& args) {
    for (size_t index = 0; index < args.size(); ++index) {
      const std::string fault = ReadWord(args, index);
      if (!fault.empty()) return fault;
    }
    return Finish();
  }

 private:
  using Syntax = CommandSyntax<Options>;

  // Reads args[index]; moves `index` on past an option's value.
  std::string ReadWord(const std::vector<std::string>& args, size_t& index) {
    const std::string& word = args[index];
    const Syntax& level = *path_.back();
    const bool takesWords = !level.positionals.empty() || !level.actions.empty();
    if (!optionsEnded_) {
      if (takesWords && word == "--") {
        optionsEnded_ = true;
        return {};
      }
      if (const Option<Options>* option = FindOption(word)) return ReadOption(*option, args, index);
      if (takesWords && LooksLikeOption(word)) return "unknown option '" + word + "'";
    }
    if (!takesWords) {
      return (level.options.empty() ? "unexpected argument '" : "unknown argument '") + word + "'";
    }
    return level.actions.empty() ? ReadPositional(level, word) : ReadAction(level, word);
  }

  // The option of the command or of an action chosen so far (the last chosen first).
  const Option<Options>* FindOption(const std::string& word) const {
    for (auto level = path_.rbegin(); level != path_.rend(); ++level) {
      for (const Option<Options>& option : (*level)->options) {
        if (word == option.name) return &option;
      }
    }
    return nullptr;
  }

  std::string ReadOption(const Option<Options>& option, const std::vector<std::string>& args,
                         size_t& index) {
    given_.push_back(&option);
    if (option.argument == nullptr) {
      option.store(options_, {});
      return {};
    }
    const std::string& name = args[index];
    if (index + 1 == args.size() || args[index + 1].empty()) return name + " needs a value";
    const std::string& value = args[++index];
    if (option.store(options_, value)) return {};
    return name + " expects " + option.expects + ", not '" + value + "'";
  }

  std::string ReadAction(const Syntax& level, const std::string& word) {
    const auto action = std::find_if(level.actions.begin(), level.actions.end(),
                                     [&](const Syntax& a) { return word == a.name; });
    if (action == level.actions.end()) return "unknown action '" + word + "'";
    if (action->select) action->select(options_);
    path_.push_back(&*action);
    return {};
  }

  std::string ReadPositional(const Syntax& level, const std::string& word) {
    const size_t count = level.positionals.size();
    if (taken_ == count && !level.positionals.back().many) {
      return "unexpected argument '" + word + "'";
    }
    const Positional<Options>& positional = level.positionals[std::min(taken_, count - 1)];
    ++taken_;
    if (positional.store(options_, word)) return {};
    return std::string(positional.name) + " expects " + positional.expects + ", not '" + word + "'";
  }

  // What is missing once every word is read, then the checks.
  std::string Finish() const {
    const Syntax& last = *path_.back();
    if (taken_ < last.positionals.size()) {
      return "no " + PositionalNoun(last.positionals[taken_].name) + " given";
    }
    if (!last.actions.empty()) {
      return path_.size() == 1 ? "no action given"
                               : "no action given after '" + std::string(last.name) + "'";
    }
    for (const Syntax* level : path_) {
      for (const Option<Options>& option : level->options) {
        if (option.required && std::find(given_.begin(), given_.end(), &option) == given_.end()) {
          return "no " + std::string(option.name) + " given";
        }
      }
    }
    for (const Syntax* level : path_) {
      if (!level->check) continue;
      if (std::string reason = level->check(options_); !reason.empty()) return reason;
    }
    return {};
  }

  std::vector<const Syntax*> path_;  // the command and the actions chosen, in order
  Options& options_;
  std::vector<const Option<Options>*> given_;
  size_t taken_ = 0;  // positionals of the last action (or of the command)
  bool optionsEnded_ = false;
};

}  // namespace syntax

template <typename Options>
bool CommandSyntax<Options>::Parse(const std::vector<std::string>& args, Options& options,
                                   std::ostream& err) const {
  const std::string reason = syntax::LineReader<Options>(*this, options).Read(args);
  if (reason.empty()) return true;
  err << "orlo " << name << ": " << reason << '\n';
  return false;
}

template <typename Options>
std::string CommandSyntax<Options>::Usage() const {
  std::string text =
      syntax::FlowItems("usage: orlo " + std::string(name), syntax::SynopsisItems(*this));
  if (*description != '\0') text += std::string("\n") + description;
  if (!options.empty()) text += "\noptions:\n" + syntax::EntryList(syntax::OptionEntries(*this), 2);
  if (!actions.empty()) {
    text += "\nactions:\n";
    syntax::AppendActions(*this, "", text);
  }
  if (*epilogue != '\0') text += std::string("\n") + epilogue;
  return text;
}

}  // namespace orlo::host
