#pragma once
// One address-book card (versions 2.1, 3.0 and 4.0): its name from FN, else from N, and its
// birthday (BDAY) and anniversaries (ANNIVERSARY and the older X- forms) as entries.
#include <span>

#include "contacts/content_lines.h"
#include "contacts/imported_entry.h"

namespace ormind {

// `lines` are the card's lines between BEGIN:VCARD and END:VCARD; `begin` the line it starts on.
void ReadVCard(std::span<const ContentLine> lines, uint32_t begin, int codePage,
               ImportResult& result);

}  // namespace ormind
