// What screening and loading cost in memory, counted by this program's operator new,
// which the library's allocations bind to: what a thread keeps after a large call, what
// freeing a filter or replacing its words gives back while other threads idle, and the
// most a long text's screening holds at once.
#include <gtest/gtest.h>

#include <atomic>
#include <chatsieve/filter.hpp>
#include <cstdlib>
#include <new>
#include <string>
#include <thread>

#include "support/counted_allocations.h"

namespace chatsieve {
namespace {

constexpr size_t kMiB = size_t{1} << 20;

std::atomic<size_t>& live_bytes = testing::Allocations().live_bytes;
std::atomic<size_t>& peak_bytes = testing::Allocations().peak_bytes;

std::string Repeated(const std::string& piece, size_t bytes) {
  std::string text;
  text.reserve(bytes + piece.size());
  while (text.size() < bytes)
    text += piece;
  return text;
}

std::string ManyWords(int count) {
  std::string list;
  for (int k = 0; k < count; ++k)
    list.append("w").append(std::to_string(k)).append("\n");
  return list;
}

TEST(FilterMemoryTest, AThreadKeepsLittleAfterALargeCall) {
  Filter korean(Option::kKorean);
  korean.LoadText("ㅅㅅ\n");  // found at every other character of the text below
  Filter plain;
  plain.LoadText("bad\n");
  const std::string jamo = Repeated("ㅅ", 4 * kMiB);
  const std::string long_text = Repeated("x bad ", 16 * kMiB);
  const size_t before = live_bytes;
  korean.Find(jamo);
  std::string masked = plain.Mask(long_text);
  masked = korean.Mask(jamo);
  masked.clear();
  masked.shrink_to_fit();
  EXPECT_LT(live_bytes - before, kMiB);
}

TEST(FilterMemoryTest, FreedAndReplacedWordsAreGivenBackWhileOtherThreadsIdle) {
  const std::string list = ManyWords(100000);
  const size_t before = live_bytes;
  std::atomic<bool> screened{false}, done{false};
  {
    Filter filter;
    filter.LoadText(list);
    std::thread idle([&] {
      filter.Check("w12");
      screened = true;
      while (!done)
        std::this_thread::yield();
    });
    while (!screened)
      std::this_thread::yield();
    const size_t loaded = live_bytes;
    filter.LoadText("small\n");
    EXPECT_LT(live_bytes + kMiB, loaded);  // the old words went although `idle` used them
    filter.LoadText(list);
    done = true;
    idle.join();
  }
  EXPECT_LT(live_bytes, before + 64 * 1024);
}

TEST(FilterMemoryTest, ALongTextIsReadInPieces) {
  Filter filter(Option::kKorean | Option::kSeparators);
  filter.LoadText("시발\n");
  const std::string text = "시발 " + Repeated("오늘 같이 게임 할 사람 ㅋㅋ ", 16 * kMiB);
  peak_bytes = live_bytes.load();
  const size_t before = live_bytes;
  EXPECT_TRUE(filter.Check(text));
  EXPECT_LT(peak_bytes - before, kMiB);  // the check stopped at the first piece
  peak_bytes = live_bytes.load();
  std::string masked = filter.Mask(text);
  EXPECT_LT(peak_bytes - before, masked.capacity() + 4 * kMiB);
}

TEST(FilterMemoryTest, ALoadStaysWithinASmallMultipleOfTheList) {
  std::string list;
  for (int k = 0; list.size() < 4 * kMiB; ++k)
    list += std::to_string(k) + std::string(CHATSIEVE_MAX_WORD_LENGTH - 10, 'a') + "\n";
  peak_bytes = live_bytes.load();
  const size_t before = live_bytes;
  Filter filter;
  filter.LoadText(list);
  // A key's character costs a trie node: about 18 bytes kept, 25 at the build's peak.
  EXPECT_LT(peak_bytes - before, 32 * list.size());
  EXPECT_LT(live_bytes - before, 20 * list.size());
}

TEST(FilterMemoryTest, AConversationScreensChatWithoutAllocating) {
  const Filter filter = Filter::Korean();
  chatsieve_conversation* conversation = chatsieve_conversation_new(filter.Handle(), nullptr);
  ASSERT_NE(conversation, nullptr);
  // Clean lines: as with a plain filter, what is found may cost an allocation.
  const std::string lines[] = {"오늘 같이 게임 할 사람", "ㅋㅋㅋㅋ", "시", "간", "좋아 나도 갈게"};
  char out[256];
  size_t length = 0;
  const auto screen = [&](int rounds) {
    for (int round = 0; round < rounds; ++round) {
      for (const std::string& line : lines) {
        chatsieve_conversation_check(conversation, line.data(), line.size(), round);
        chatsieve_conversation_mask(conversation, line.data(), line.size(), round, '*', out,
                                    sizeof out, &length);
      }
    }
  };
  screen(3);  // a thread's first screenings set up its buffers
  peak_bytes = live_bytes.load();
  const size_t before = live_bytes;
  screen(100);
  EXPECT_EQ(peak_bytes, before);
  EXPECT_LT(chatsieve_conversation_memory(conversation), 1024u);
  chatsieve_conversation_free(conversation);
}

}  // namespace
}  // namespace chatsieve
