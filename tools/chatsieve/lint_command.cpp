// `chatsieve lint`: what keeps a list from doing its work: entries merged into earlier
// ones or left out, allowed words that allow nothing or leave a word uncovered, and, with
// texts known to be clean, the entries found in them.
#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "commands.h"
#include "filter_setup.h"
#include "option_parser.h"
#include "standard_output.h"

namespace chatsieve::tool {
namespace {

constexpr const char* kUsage =
    "usage: chatsieve lint [OPTIONS] [--] [LIST]\n"
    "\n"
    "Reads a word list (default: the built-in Korean lexicon) as the filter reads it\n"
    "(default: the recommended reading) and reports, one a line:\n"
    "  entries the reading makes the same word as an earlier one (merged into it) or\n"
    "  shrinks to one character or nothing (left out);\n"
    "  allowed words (--allow, or the lexicon's own) that hold no listed word, and so\n"
    "  allow nothing, or that leave a listed word they hold uncovered;\n"
    "  with --clean FILE, the entries found in its lines, each a text known to be clean,\n"
    "  most often found first.\n"
    "\n"
    "options:\n";

constexpr const char* kStatuses =
    "\n"
    "exit status:\n"
    "  0  nothing to report\n"
    "  1  something reported\n"
    "  2  bad usage, or a list or file that cannot be read\n";

struct LintSettings {
  FilterSetup filter;
  std::optional<std::string> clean;
  bool help = false;
};

// The list's words with every one counting, its own allowed words aside.
Filter ListedOnly(FilterSetup setup) {
  setup.min_severity = 1;
  setup.categories.clear();
  Filter filter = BuildFilter(setup, Notes::kQuiet);
  filter.LoadText("", WordRole::kAllowed);
  return filter;
}

// Loads the list again to hear every note the load has on it, not only the first few.
size_t ReportLoadNotes(const FilterSetup& setup, const Filter& filter) {
  std::vector<char> notes(size_t{1} << 22);
  Filter scratch(filter.Pin());
  const int result =
      setup.list ? chatsieve_filter_load(const_cast<chatsieve_filter*>(scratch.Handle()),
                                         setup.list->c_str(), 0, notes.data(), notes.size())
                 : chatsieve_filter_load_builtin(const_cast<chatsieve_filter*>(scratch.Handle()),
                                                 "ko", notes.data(), notes.size());
  if (result < 0 || notes[0] == '\0') return 0;
  std::printf("%s\n", notes.data());
  size_t count = 1;
  for (const char* at = notes.data(); *at != '\0'; ++at)
    count += *at == '\n' ? 1 : 0;
  return count;
}

// The allowed words as written, from the file or the lexicon, read as a list of their own.
std::vector<std::string> AllowedWords(const FilterSetup& setup, std::string& name) {
  // Loaded as the forbidden words of a filter of their own, to read them back.
  Filter words;
  if (setup.allow) {
    name = *setup.allow;
    words.Load(*setup.allow);
  } else if (!setup.list) {
    name = "<built-in ko> allowed";
    words.LoadText(Filter::BuiltinList("ko", WordRole::kAllowed));
  }
  std::vector<std::string> texts;
  for (uint32_t k = 0; k < words.WordCount(); ++k)
    texts.emplace_back(words.Word(k));
  return texts;
}

size_t ReportAllowedWords(const FilterSetup& setup, const Filter& full, const Filter& listed) {
  std::string name;
  size_t reported = 0;
  for (const std::string& word : AllowedWords(setup, name)) {
    if (!listed.Check(word)) {
      std::printf("%s: '%s' allows nothing: it holds no listed word\n", name.c_str(), word.c_str());
      ++reported;
    } else if (full.Check(word)) {
      std::printf("%s: '%s' leaves '%s' uncovered\n", name.c_str(), word.c_str(),
                  std::string(full.Word(full.Find(word).front().word)).c_str());
      ++reported;
    }
  }
  return reported;
}

size_t ReportCleanFinds(const std::string& path, const Filter& full) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error(path + ": cannot open");
  std::map<std::string, std::pair<size_t, size_t>> found;  // word: lines, first line
  std::string line;
  for (size_t number = 1; std::getline(in, line); ++number) {
    if (line.ends_with('\r')) line.pop_back();
    std::map<std::string, bool> in_line;
    for (const Match& match : full.Find(line))
      in_line[std::string(full.Word(match.word))] = true;
    for (const auto& [word, unused] : in_line) {
      auto [entry, added] = found.try_emplace(word, 0, number);
      ++entry->second.first;
    }
  }
  std::vector<std::pair<std::string, std::pair<size_t, size_t>>> sorted(found.begin(), found.end());
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const auto& a, const auto& b) { return a.second.first > b.second.first; });
  for (const auto& [word, counts] : sorted) {
    std::printf("%s: '%s' found in %zu clean lines, first line %zu\n", path.c_str(), word.c_str(),
                counts.first, counts.second);
  }
  return sorted.size();
}

}  // namespace

int RunLint(Arguments arguments) {
  LintSettings settings;
  std::vector<CommandOption> options{HelpOption(settings.help)};
  for (CommandOption& option : FilterSetupOptions(settings.filter))
    options.push_back(std::move(option));
  options.push_back({{"--clean", 0, "FILE", "texts known to be clean, one a line"},
                     [&](std::string_view value) { settings.clean = std::string(value); }});
  const std::vector<std::string_view> operands = ParseArguments(arguments, options);
  if (settings.help) {
    std::fputs(kUsage, stdout);
    PrintOptionHelp(stdout, options);
    std::fputs(kStatuses, stdout);
    return 0;
  }
  NoOperandsPast(operands, 1);
  if (!operands.empty()) settings.filter.list = std::string(operands.front());
  if (settings.filter.options.Bits() == 0) settings.filter.options = Option::kRecommended;
  const Filter full = BuildFilter(settings.filter, Notes::kQuiet);
  const Filter listed = ListedOnly(settings.filter);
  size_t reported = ReportLoadNotes(settings.filter, full);
  reported += ReportAllowedWords(settings.filter, full, listed);
  if (settings.clean) reported += ReportCleanFinds(*settings.clean, full);
  if (!FlushStandardOutput()) return 2;
  return reported > 0 ? 1 : 0;
}

}  // namespace chatsieve::tool
