#include "contacts/imported_entry.h"

#include "contacts/entry_name.h"

namespace ormind {

std::string FormatEventLine(const ImportedEntry& entry) {
  return entry.name + "=" + FormatEventDate(entry.date);
}

void AddImportedEntry(ImportResult& result, EventSection section, std::string_view rawName,
                      const ContactDate& date, uint32_t line) {
  const CleanedName cleaned = CleanEntryName(rawName);
  if (cleaned.tooLong) {
    result.notes.push_back({line, "a name longer than " + std::to_string(kMaxEntryNameLength) +
                                      " characters, skipped"});
    return;
  }
  if (cleaned.name.empty()) {
    result.notes.push_back({line, "no name, skipped"});
    return;
  }
  // A card with a birthday and an anniversary says it once.
  const std::string note = "name cleaned to \"" + cleaned.name + "\"";
  if (cleaned.changed &&
      (result.notes.empty() || result.notes.back().line != line || result.notes.back().text != note))
    result.notes.push_back({line, note, false});
  result.entries.push_back({section, cleaned.name, date, line});
}

}  // namespace ormind
