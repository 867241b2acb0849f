#include "contacts/icalendar_reader.h"

#include <optional>
#include <string>

#include "contacts/property_text.h"

namespace ormind {

void ReadCalendarEvent(std::span<const ContentLine> lines, uint32_t begin, int codePage,
                       ImportResult& result) {
  const ContentLine *summary = nullptr, *start = nullptr;
  bool yearly = false;
  for (const ContentLine& line : lines) {
    if (line.name == "SUMMARY" && !summary) summary = &line;
    if (line.name == "DTSTART" && !start) start = &line;
    if (line.name == "RRULE") {
      const std::string rule = AsciiUpper(line.value);
      yearly = yearly || (";" + rule + ";").find(";FREQ=YEARLY;") != std::string::npos;
    }
  }
  const std::string name = summary ? UnescapeText(DecodedValue(*summary, codePage)) : "";
  if (!start) {
    result.notes.push_back({begin, "event \"" + name + "\" has no DTSTART, skipped"});
    return;
  }
  if (!yearly) {
    result.notes.push_back({begin, "event \"" + name + "\" does not repeat yearly, skipped"});
    return;
  }
  const std::optional<ContactDate> date = ParseContactDate(start->value);
  if (!date) {
    result.notes.push_back({start->line, "DTSTART \"" + start->value +
                                             "\" is not a date understood here, skipped"});
    return;
  }
  AddImportedEntry(result, EventSection::Birthday, name, *date, begin);
}

}  // namespace ormind
