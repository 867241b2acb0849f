#pragma once
// Adds imported entries to an event list's text, keeping every byte of it apart from the lines
// added: its lines, comments, line ends and encoding (the 8-bit code page only while every new
// name fits in it; otherwise the list becomes UTF-8 with a byte-order mark).
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/text_codec.h"
#include "contacts/imported_entry.h"

namespace ormind {

struct EventListMerge {
  std::string bytes;  // the new file
  TextEncoding encodingBefore = TextEncoding::Ansi;
  TextEncoding encodingAfter = TextEncoding::Ansi;
  std::vector<ImportedEntry> added;
  size_t alreadyThere = 0;  // the same name and date in that section (or twice in the import)
  // Added although the section has the name with another date.
  std::vector<ImportedEntry> otherDate;
};

// nullopt when the file's bytes would not survive being read and written back (text that
// is not what its encoding says, such as a lone UTF-16 surrogate): it is then left alone.
// `existing` empty is a new list.
std::optional<EventListMerge> MergeIntoEventList(std::string_view existing,
                                                 const std::vector<ImportedEntry>& entries,
                                                 int codePage);

}  // namespace ormind
