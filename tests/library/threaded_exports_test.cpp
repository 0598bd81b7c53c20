// The exports from several threads at once while another thread changes the level
// between their calls, as a host's screening threads and its settings do. Every answer
// must be the one of level 1 or of level 2, never a mix; run under ThreadSanitizer
// (the tsan preset), it also shows that screening and SetLevel share nothing unguarded.
// Loads stay out of it: by contract a load overlaps no other call.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "chatsieve/chatsieve.h"
#include "support/temporary_directory.h"
#include "support/word_file_builder.h"

namespace {

using chatsieve::testing::TemporaryDirectory;
using chatsieve::testing::WordFileBuilder;

constexpr uint32_t kCapacity = 64;

// Wide and code page 949 texts whose answers differ between the levels: found or masked
// only once stripped, or masked further by the second pass.
const std::vector<std::u16string> kWideTexts = {u"b.a.d", u"xbadx b-a-d", u"너 바.보야", u"clean"};
const std::vector<std::string> kNarrowTexts = {"b.a.d", "xBADx b-a-d", "\xB3\xCA \xB9\xD9.\xBA\xB8",
                                               "clean"};

struct Answers {
  std::vector<int32_t> found;
  std::vector<int32_t> masked_result;
  std::vector<std::u16string> masked;
  std::vector<int32_t> narrow_found;
  std::vector<int32_t> narrow_masked_result;
  std::vector<std::string> narrow_masked;
};

std::u16string MaskedWide(const std::u16string& text, int32_t& result) {
  char16_t out[kCapacity];
  result = IsBadToRepW(text.c_str(), out, kCapacity, u'*');
  return out;
}

std::string MaskedNarrow(const std::string& text, int32_t& result) {
  char out[kCapacity];
  result = IsBadToRep(text.c_str(), out, static_cast<int32_t>(kCapacity), '*');
  return out;
}

Answers AnswersAt(int32_t level) {
  SetLevel(level);
  Answers answers;
  for (const auto& text : kWideTexts) {
    answers.found.push_back(IsBadW(text.c_str()));
    int32_t result = 0;
    answers.masked.push_back(MaskedWide(text, result));
    answers.masked_result.push_back(result);
  }
  for (const auto& text : kNarrowTexts) {
    answers.narrow_found.push_back(IsBad(text.c_str()));
    int32_t result = 0;
    answers.narrow_masked.push_back(MaskedNarrow(text, result));
    answers.narrow_masked_result.push_back(result);
  }
  return answers;
}

// Whether every answer of one round is that of one of the two levels.
bool RoundAgrees(const Answers (&levels)[2]) {
  bool agrees = true;
  const auto either = [&](const auto& value, const auto& member, size_t i) {
    agrees = agrees && (value == (levels[0].*member)[i] || value == (levels[1].*member)[i]);
  };
  for (size_t i = 0; i < kWideTexts.size(); ++i) {
    either(IsBadW(kWideTexts[i].c_str()), &Answers::found, i);
    int32_t result = 0;
    const std::u16string masked = MaskedWide(kWideTexts[i], result);
    either(masked, &Answers::masked, i);
    either(result, &Answers::masked_result, i);
  }
  for (size_t i = 0; i < kNarrowTexts.size(); ++i) {
    either(IsBad(kNarrowTexts[i].c_str()), &Answers::narrow_found, i);
    int32_t result = 0;
    const std::string masked = MaskedNarrow(kNarrowTexts[i], result);
    either(masked, &Answers::narrow_masked, i);
    either(result, &Answers::narrow_masked_result, i);
  }
  return agrees;
}

TEST(ThreadedExports, ScreenWhileAnotherThreadChangesTheLevel) {
  const TemporaryDirectory directory;
  WordFileBuilder list;
  list.WideHead(2);
  list.WideRecord(u"BAD");
  list.WideRecord(u"바보");
  const std::string path = directory.Write("listW.bcd", list.Data());
  ASSERT_EQ(InitBadChatManW(std::u16string(path.begin(), path.end()).c_str()), 1);
  const Answers levels[2] = {AnswersAt(1), AnswersAt(2)};
  ASSERT_NE(levels[0].found, levels[1].found);
  ASSERT_NE(levels[0].narrow_masked, levels[1].narrow_masked);

  constexpr int kThreads = 4;
  constexpr int kRounds = 1500;
  std::atomic<int> disagreeing_rounds{0};
  std::atomic<bool> screening{true};
  std::thread level_changer([&] {
    for (int32_t level = 1; screening.load(); level = 3 - level)
      SetLevel(level);
  });
  std::vector<std::thread> screeners;
  for (int t = 0; t < kThreads; ++t) {
    screeners.emplace_back([&] {
      for (int round = 0; round < kRounds; ++round) {
        if (!RoundAgrees(levels)) ++disagreeing_rounds;
      }
    });
  }
  for (auto& screener : screeners)
    screener.join();
  screening = false;
  level_changer.join();
  EXPECT_EQ(disagreeing_rounds.load(), 0);
}

}  // namespace
