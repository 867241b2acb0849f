#pragma once
// What the readers of contacts and calendars hand over: entries for the event list, and notes
// on what they passed over or changed, each with the file and line it concerns.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "contacts/contact_date.h"
#include "core/event_list.h"

namespace ormind {

struct ImportedEntry {
  EventSection section = EventSection::Birthday;
  std::string name;  // cleaned: an event-list line reads it back as it is
  ContactDate date;
  uint32_t line = 0;  // where the card or event starts
};

struct ImportNote {
  uint32_t line = 0;  // 0: the file as a whole
  std::string text;
  bool skipped = true;  // something was passed over (not only changed)
};

struct ImportResult {
  std::vector<ImportedEntry> entries;
  std::vector<ImportNote> notes;
};

// "Name=dd.mm.yyyy" (or "Name=dd.mm").
std::string FormatEventLine(const ImportedEntry& entry);

// Adds the entry under its cleaned name, with a note when the name had to be cleaned; a name
// that is empty once cleaned, or too long, gives a note instead.
void AddImportedEntry(ImportResult& result, EventSection section, std::string_view rawName,
                      const ContactDate& date, uint32_t line);

}  // namespace ormind
