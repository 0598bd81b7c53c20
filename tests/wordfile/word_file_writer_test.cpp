#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/temporary_directory.h"
#include "support/word_file_builder.h"
#include "wordfile/legacy_word_list.h"
#include "wordfile/word_file_format.h"
#include "wordfile/word_file_test_support.h"

namespace chatsieve {
namespace {

using testing::IndexWords;
using testing::TemporaryDirectory;
using Words = std::vector<std::u16string>;

// A filter object holding `words`, added one by one.
LegacyWordList FilterWith(const Words& words) {
  LegacyWordList filter;
  for (const std::u16string& word : words)
    EXPECT_EQ(filter.AddWord(word.c_str()), 1);
  return filter;
}

std::vector<std::string> FilesIn(const std::filesystem::path& directory) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(directory))
    names.push_back(entry.path().filename().string());
  return names;
}

int32_t DeclaredCount(const std::string& file, size_t offset) {
  word_file::Int32Bytes bytes{};
  std::copy_n(file.begin() + static_cast<std::ptrdiff_t>(offset), 4, bytes.begin());
  return word_file::Int32FromBytes(bytes);
}

TEST(WideWordFileWriter, WritesBucketByBucketAndLoadsBack) {
  TemporaryDirectory directory;
  const std::string source =
      directory.Write("filter.bcd", testing::NarrowList(3, {"\xB0\xA1\xB3\xAA", "ab", "Zed"}));
  LegacyWordList filter;
  ASSERT_EQ(filter.LoadWordFile(source.c_str(), 1), 1);
  const std::string target = (directory.Path() / "filterW.bcd").string();
  std::string why;
  ASSERT_EQ(filter.SaveWordFileW(testing::WidePath(target).c_str(), &why), 1) << why;

  const std::string expected = testing::WideList(3, {u"Zed", u"ab", u"가나"});
  EXPECT_EQ(TemporaryDirectory::Read(target), expected);
  LegacyWordList loaded;
  EXPECT_EQ(loaded.LoadWordFileW(testing::WidePath(target).c_str(), 1), 1);
  EXPECT_EQ(IndexWords(loaded), IndexWords(filter));
  EXPECT_EQ(FilesIn(directory.Path()).size(), 2u) << "no temporary file is left behind";
}

TEST(WideWordFileWriter, CountsTheRecordsItWrites) {
  // A later record failed and another repeated a word, so the file declared 4 records
  // for 2 words.
  TemporaryDirectory directory;
  const std::string source =
      directory.Write("filter.bcd", testing::NarrowList(4, {"ab", "", "AB", "ab"}));
  LegacyWordList filter;
  ASSERT_EQ(filter.LoadWordFile(source.c_str(), 1), 1);
  ASSERT_EQ(filter.WordCount(), 4);
  const std::string target = (directory.Path() / "filterW.bcd").string();
  ASSERT_EQ(filter.SaveWordFileW(testing::WidePath(target).c_str()), 1);
  EXPECT_EQ(DeclaredCount(TemporaryDirectory::Read(target), 38), 2);
  LegacyWordList loaded;
  EXPECT_EQ(loaded.LoadWordFileW(testing::WidePath(target).c_str(), 1), 1);
  EXPECT_EQ(IndexWords(loaded), (Words{u"AB", u"ab"}));
}

TEST(NarrowWordFileWriter, LoadsBackToTheSameWords) {
  const Words lists[] = {
      {u"가나", u"ab", u"a b", u"시발", u"Fuck"},
      {u"x"},
      // A word ending in a byte that masks to CR, before a separator and at the end.
      {u"a\x18", u"b\x18"},
      // 13 bytes: a length byte of 0x0D followed by zeros.
      {u"abcdefghijklm"},
  };
  for (const Words& words : lists) {
    TemporaryDirectory directory;
    const LegacyWordList filter = FilterWith(words);
    const std::string target = (directory.Path() / "filter.bcd").string();
    std::string why;
    ASSERT_EQ(filter.SaveWordFile(target.c_str(), &why), 1) << why;
    LegacyWordList loaded;
    ASSERT_EQ(loaded.LoadWordFile(target.c_str(), 1), 1);
    LegacyWordList sorted = FilterWith(words);
    sorted.SortBuckets();
    EXPECT_EQ(IndexWords(loaded), IndexWords(sorted));
  }
}

TEST(NarrowWordFileWriter, RepeatsAWordWhenTheCountWouldNotReadBack) {
  const struct {
    size_t words;
    int32_t declared;
  } cases[] = {{25, 25}, {26, 27}, {0x0A0D, 0x0A0E}, {0x1A00, 0x1B00}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.words);
    Words words;
    for (size_t i = 0; i < c.words; ++i)
      words.push_back(std::u16string(1, static_cast<char16_t>(0xAC00 + i)) + u"w");
    const LegacyWordList filter = FilterWith(words);
    TemporaryDirectory directory;
    const std::string target = (directory.Path() / "filter.bcd").string();
    std::string why;
    ASSERT_EQ(filter.SaveWordFile(target.c_str(), &why), 1) << why;
    EXPECT_EQ(DeclaredCount(TemporaryDirectory::Read(target), 38), c.declared);
    LegacyWordList loaded;
    ASSERT_EQ(loaded.LoadWordFile(target.c_str(), 1), 1);
    EXPECT_EQ(IndexWords(loaded).size(), c.words);
  }
}

TEST(WordFileWriters, RefuseWhatTheyCannotCarryAndKeepTheOldFile) {
  const struct {
    const char* what;
    Words words;
    bool narrow;
    const char* reason;
  } cases[] = {
      {"nothing to write", {}, true, "no words"},
      {"nothing to write, wide", {}, false, "no words"},
      {"a word of 26 bytes", {std::u16string(26, u'a')}, true, "26 bytes long"},
      {"a word whose length holds CR LF", {std::u16string(0x0A0D, u'a')}, true, "2573 bytes long"},
      {"a byte that masks to 0x1A", {u"a\x0F"}, true, "0x0F"},
      {"bytes that mask to CR LF", {u"a\x18\x1F"}, true, "0x18"},
      {"a character code page 949 lacks", {u"a\U0001F600"}, true, "code page 949"},
      {"a run of spaces the loader would collapse", {u"a  b"}, true, "would not load back"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TemporaryDirectory directory;
    const std::string target = directory.Write("list.bcd", "old contents");
    const LegacyWordList filter = FilterWith(c.words);
    std::string why;
    const int32_t result = c.narrow ? filter.SaveWordFile(target.c_str(), &why)
                                    : filter.SaveWordFileW(testing::WidePath(target).c_str(), &why);
    EXPECT_EQ(result, 0);
    EXPECT_NE(why.find(c.reason), std::string::npos) << why;
    EXPECT_EQ(TemporaryDirectory::Read(target), "old contents");
    EXPECT_EQ(FilesIn(directory.Path()), std::vector<std::string>{"list.bcd"});
  }
}

TEST(WordFileWriters, ReportWhereTheyCannotWrite) {
  TemporaryDirectory directory;
  const LegacyWordList filter = FilterWith({u"ab"});
  const std::string target = (directory.Path() / "missing" / "list.bcd").string();
  std::string why;
  EXPECT_EQ(filter.SaveWordFile(target.c_str(), &why), 0);
  EXPECT_NE(why.find("cannot create"), std::string::npos) << why;
  EXPECT_EQ(filter.SaveWordFileW(testing::WidePath(target).c_str(), &why), 0);
  EXPECT_EQ(filter.SaveWordFileW(u"\xDC00", &why), 0);
  EXPECT_EQ(filter.SaveWordFile(nullptr), 0);
}

}  // namespace
}  // namespace chatsieve
