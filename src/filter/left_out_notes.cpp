#include "filter/left_out_notes.h"

namespace chatsieve {

std::string NoteOf(const ListedWords& listed, const LeftOutEntry& entry) {
  const std::string place = listed.PlaceOf(entry.word) + ": ";
  switch (entry.reason) {
    case LeftOutEntry::Reason::kSameAsEarlier:
      return place + "the same word as " + listed.PlaceOf(entry.earlier) +
             " as the filter's options read it: merged into it";
    case LeftOutEntry::Reason::kReadAsOneChar:
      return place +
             "the filter's options read this entry as one character it does not consist of "
             "alone, which would flag ordinary words: left out";
    case LeftOutEntry::Reason::kReadAsNothing:
      return place + "the filter's options leave nothing of this entry: left out";
  }
  return place;
}

std::string LeftOutSummary(const ListedWords& listed, const std::vector<LeftOutEntry>& left_out) {
  if (left_out.empty()) return {};
  std::string summary = NoteOf(listed, left_out.front());
  if (left_out.size() > 1)
    summary += " (and " + std::to_string(left_out.size() - 1) + " more entries left out or merged)";
  return summary;
}

}  // namespace chatsieve
