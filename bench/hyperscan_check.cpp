#include "hyperscan_check.h"

#include <limits>
#include <stdexcept>

namespace chatsieve::bench {
namespace {

// Returning nonzero ends the scan at the first match.
int StopAtFirst(unsigned, unsigned long long, unsigned long long, unsigned, void*) {
  return 1;
}

}  // namespace

HyperscanCheck::HyperscanCheck(const std::vector<std::string>& words) {
  if (words.size() > std::numeric_limits<unsigned>::max())
    throw std::runtime_error("too many words for Hyperscan");
  std::vector<const char*> literals;
  std::vector<size_t> lengths;
  std::vector<unsigned> ids;
  for (const std::string& word : words) {
    literals.push_back(word.data());
    lengths.push_back(word.size());
    ids.push_back(static_cast<unsigned>(ids.size()));
  }
  // The filter reads A-Z as a-z and nothing else; Hyperscan's caseless literals fold
  // exactly the ASCII letters.
  const std::vector<unsigned> flags(words.size(), HS_FLAG_CASELESS | HS_FLAG_SINGLEMATCH);
  hs_database_t* database = nullptr;
  hs_compile_error_t* error = nullptr;
  if (hs_compile_lit_multi(literals.data(), flags.data(), ids.data(), lengths.data(),
                           static_cast<unsigned>(words.size()), HS_MODE_BLOCK, nullptr, &database,
                           &error) != HS_SUCCESS) {
    const std::string why = error != nullptr ? error->message : "unknown error";
    hs_free_compile_error(error);
    throw std::runtime_error("Hyperscan refused the words: " + why);
  }
  database_.reset(database);
}

HyperscanCheck::Scratch::Scratch(const HyperscanCheck& check) {
  hs_scratch_t* scratch = nullptr;
  if (hs_alloc_scratch(check.database_.get(), &scratch) != HS_SUCCESS)
    throw std::runtime_error("Hyperscan could not allocate scratch space");
  scratch_.reset(scratch);
}

bool HyperscanCheck::Check(Scratch& scratch, std::string_view line) const {
  if (line.size() > std::numeric_limits<unsigned>::max())
    throw std::runtime_error("line too long for Hyperscan");
  return hs_scan(database_.get(), line.data(), static_cast<unsigned>(line.size()), 0,
                 scratch.scratch_.get(), StopAtFirst, nullptr) == HS_SCAN_TERMINATED;
}

}  // namespace chatsieve::bench
