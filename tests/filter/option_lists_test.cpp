// Every list of the filter's options agrees with the table of match_options.h, whose bits
// are those of filter.h: the public C++ enum at compile time, and the header, the bindings,
// the tool's help, the manual page and the README as the repository holds them.
#include <gtest/gtest.h>

#include <cctype>
#include <chatsieve/filter.hpp>
#include <cstdint>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "engine/match_options.h"

namespace chatsieve {
namespace {

#define PUBLIC_OPTION_IS_THE_TABLES(name, enumerator, bits)          \
  static_assert(static_cast<uint32_t>(Option::enumerator) == (bits), \
                "chatsieve::Option::" #enumerator " is the bits of " #name);
MATCH_OPTION_TABLE(PUBLIC_OPTION_IS_THE_TABLES)
MATCH_OPTION_SET_TABLE(PUBLIC_OPTION_IS_THE_TABLES)
#undef PUBLIC_OPTION_IS_THE_TABLES

struct Entry {
  std::string name;        // as the tool takes it: "separators"
  std::string enumerator;  // as C++ names it: "kSeparators"
  std::string macro;       // as filter.h names it: "CHATSIEVE_SEPARATORS"
  uint32_t bits;
};

const std::vector<Entry>& Table() {
  static const std::vector<Entry> table = {
#define TABLE_ENTRY(name, enumerator, bits) {#name, #enumerator, #bits, bits},
      MATCH_OPTION_TABLE(TABLE_ENTRY) MATCH_OPTION_SET_TABLE(TABLE_ENTRY)
#undef TABLE_ENTRY
  };
  return table;
}

std::string Upper(std::string text) {
  for (char& c : text)
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// What the table says a list holds, one string a line: `Field` picks it from an entry.
template <typename Field>
std::set<std::string> Expected(Field field) {
  std::set<std::string> expected;
  for (const Entry& entry : Table())
    expected.insert(field(entry));
  return expected;
}

// The part of a repository file from the first `from` to the next `to` after it.
std::string Part(const std::string& file, const std::string& from, const std::string& to) {
  std::ifstream in(std::string(CHATSIEVE_SOURCE_DIR) + "/" + file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  const std::string whole = text.str();
  const size_t begin = whole.find(from);
  const size_t end = begin == std::string::npos ? begin : whole.find(to, begin + from.size());
  if (end == std::string::npos) {
    ADD_FAILURE() << file << " holds no part from \"" << from << "\" to \"" << to << '"';
    return {};
  }
  return whole.substr(begin, end - begin);
}

// Every match of `pattern` in `text`, its groups joined by spaces.
std::set<std::string> Found(const std::string& text, const std::string& pattern) {
  std::set<std::string> found;
  const std::regex regex(pattern, std::regex::multiline);
  for (auto it = std::sregex_iterator(text.begin(), text.end(), regex);
       it != std::sregex_iterator(); ++it) {
    std::string groups;
    for (size_t k = 1; k < it->size(); ++k) {
      if (k > 1) groups += ' ';
      groups += (*it)[k].str();
    }
    found.insert(groups);
  }
  return found;
}

std::string Hexadecimal(uint32_t bits) {
  std::ostringstream text;
  text << "0x" << std::uppercase << std::hex << bits;
  return text.str();
}

TEST(OptionListsTest, ListExactlyTheTablesOptions) {
  struct List {
    std::string file, from, to, pattern;
    std::set<std::string> expected;
  };
  const auto upper_and_macro = [](const Entry& e) { return Upper(e.name) + " " + e.macro; };
  std::set<std::string> python =
      Expected([](const Entry& e) { return Upper(e.name) + " " + Hexadecimal(e.bits); });
  python.insert("NONE 0");
  const List lists[] = {
      {"include/chatsieve/filter.h", "/* Options,", "CHATSIEVE_MASK_KEEP_FIRST",
       R"(^#define (CHATSIEVE_\w+))", Expected([](const Entry& e) { return e.macro; })},
      {"include/chatsieve/filter.hpp", "enum class Option ", "};", R"((k\w+) = (CHATSIEVE_\w+))",
       Expected([](const Entry& e) { return e.enumerator + " " + e.macro; })},
      {"bindings/python/chatsieve/_options.py", "class Option(", "\n\n\n",
       R"(^    ([A-Z]+) = (0x[0-9A-F]+|0)$)", python},
      {"bindings/node/src/addon.cc", "OptionBits(", "return options;",
       R"re(set\("(\w+)", (CHATSIEVE_\w+)\))re", Expected(upper_and_macro)},
      {"bindings/node/index.d.ts", "const Options:", "}>;", R"(^  ([A-Z]+): number;)",
       Expected([](const Entry& e) { return Upper(e.name); })},
      {"bindings/node/index.d.ts", "type OptionName", ";", R"('(\w+)')",
       Expected([](const Entry& e) { return e.name; })},
      {"README.md", "| option | reads |", "\n\n", R"(^\| `(CHATSIEVE_\w+)` \|)",
       Expected([](const Entry& e) { return e.macro; })},
  };
  for (const List& list : lists) {
    EXPECT_EQ(Found(Part(list.file, list.from, list.to), list.pattern), list.expected)
        << list.file << " from \"" << list.from << '"';
  }
}

// Prose names the options among other words: each must be there.
TEST(OptionListsTest, NameEveryOptionWhereOperatorsReadThem) {
  struct Prose {
    std::string file, from, to;
  };
  const Prose proses[] = {
      {"doc/chatsieve.1.in", ".BI \\-\\-normalize", ".TP"},
      {"tools/chatsieve/filter_setup.cpp", "\"--normalize\"", "[&]"},
      {"include/chatsieve/filter.h", "The option bits named by", "chatsieve_options_from_names"},
  };
  for (const Prose& prose : proses) {
    const std::string part = Part(prose.file, prose.from, prose.to);
    for (const Entry& entry : Table()) {
      EXPECT_TRUE(std::regex_search(part, std::regex("\\b" + entry.name + "\\b")))
          << prose.file << " does not name " << entry.name;
    }
  }
}

// The names the library itself takes are the table's, each with its bits, and nothing else.
TEST(OptionListsTest, LibraryTakesTheTablesNames) {
  for (const Entry& entry : Table()) {
    EXPECT_EQ(Options::FromNames(entry.name).value_or(Options()).Bits(), entry.bits) << entry.name;
  }
  EXPECT_EQ(Options::FromNames("korean,separators").value_or(Options()).Bits(),
            uint32_t{CHATSIEVE_KOREAN | CHATSIEVE_SEPARATORS});
  for (const char* unknown : {"", "Korean", "width,", "widths", ",jamo"}) {
    EXPECT_FALSE(Options::FromNames(unknown)) << unknown;
  }
}

}  // namespace
}  // namespace chatsieve
