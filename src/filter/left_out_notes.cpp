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

std::string LeftOutNotes(const ListedWords& listed, const std::vector<LeftOutEntry>& left_out,
                         size_t capacity) {
  const auto more_after = [&](size_t shown) {
    std::string more = "\n(and ";
    more += std::to_string(left_out.size() - shown);
    more += " more entries left out or merged)";
    return more;
  };
  std::string notes;
  for (size_t k = 0; k < left_out.size(); ++k) {
    std::string note = k > 0 ? "\n" : "";
    note += NoteOf(listed, left_out[k]);
    // The last note needs no room for the count of those after it.
    const size_t room = note.size() + (k + 1 < left_out.size() ? more_after(k + 1).size() : 0);
    if (notes.size() + room >= capacity) {
      if (k == 0) return note.substr(0, capacity > 0 ? capacity - 1 : 0);
      return notes + more_after(k);
    }
    notes += note;
  }
  return notes;
}

}  // namespace chatsieve
