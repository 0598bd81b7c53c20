// Hyperscan's literal matcher asked the filter's check question of the same words, as a
// peer to measure the filter against: does any word occur in a line? Built only where
// the library is installed (bench/CMakeLists.txt).
#pragma once

#include <hs.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace chatsieve::bench {

class HyperscanCheck {
 public:
  // Scratch space for scans; each thread that scans needs its own.
  class Scratch {
   public:
    explicit Scratch(const HyperscanCheck& check);

   private:
    friend class HyperscanCheck;
    struct Free {
      void operator()(hs_scratch_t* scratch) const { hs_free_scratch(scratch); }
    };
    std::unique_ptr<hs_scratch_t, Free> scratch_;
  };

  // Throws std::runtime_error when Hyperscan refuses the words.
  explicit HyperscanCheck(const std::vector<std::string>& words);

  // Whether any word occurs in `line`, ASCII letters compared without case as the filter
  // compares them; the scan stops at the first occurrence.
  bool Check(Scratch& scratch, std::string_view line) const;

 private:
  struct Free {
    void operator()(hs_database_t* database) const { hs_free_database(database); }
  };
  std::unique_ptr<hs_database_t, Free> database_;
};

}  // namespace chatsieve::bench
