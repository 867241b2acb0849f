#pragma once
// Reads a file of address-book cards (.vcf, any number of cards) or a calendar (.ics), or both
// kinds of block in one text, into event-list entries. The file's own byte-order mark is
// honoured (UTF-16 is decoded whole); values are otherwise decoded line by line, by the
// charset each names.
#include <string_view>

#include "contacts/imported_entry.h"

namespace ormind {

ImportResult ReadContactFile(std::string_view bytes, int codePage);

}  // namespace ormind
