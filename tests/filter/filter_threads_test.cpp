// Screening threads on one filter while another thread keeps replacing its words: every
// call sees one whole list, the old or the new, never a mix.
#include <gtest/gtest.h>

#include <atomic>
#include <chatsieve/filter.hpp>
#include <thread>
#include <vector>

namespace chatsieve {
namespace {

TEST(FilterThreadsTest, EveryCallSeesOneWholeList) {
  // Both lists hold two words; a mix of the two would find one of each or three.
  const std::string lists[] = {"apple\nberry\n", "cherry\ndate\n"};
  const std::string text = "apple berry cherry date";
  Filter filter;
  filter.LoadText(lists[0]);
  std::atomic<bool> done{false};
  std::atomic<int> mixed{0};
  std::vector<std::thread> screeners;
  for (int t = 0; t < 3; ++t) {
    screeners.emplace_back([&] {
      while (!done.load()) {
        const std::vector<Match> found = filter.Find(text);
        const bool first_list = found.size() == 2 && found[0].begin == 0 && found[1].begin == 6;
        const bool second_list = found.size() == 2 && found[0].begin == 12 && found[1].begin == 19;
        if (!first_list && !second_list) ++mixed;
        if (!filter.Check(text)) ++mixed;
      }
    });
  }
  for (int reload = 0; reload < 200; ++reload)
    filter.LoadText(lists[reload % 2]);
  done = true;
  for (std::thread& screener : screeners)
    screener.join();
  EXPECT_EQ(mixed.load(), 0);
}

}  // namespace
}  // namespace chatsieve
