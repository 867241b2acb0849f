#pragma once
// One calendar event (VEVENT) of a birthday calendar: an event that repeats every year
// (RRULE:FREQ=YEARLY) becomes a birthday named by its SUMMARY on the day of its DTSTART.
#include <span>

#include "contacts/content_lines.h"
#include "contacts/imported_entry.h"

namespace ormind {

void ReadCalendarEvent(std::span<const ContentLine> lines, uint32_t begin, int codePage,
                       ImportResult& result);

}  // namespace ormind
