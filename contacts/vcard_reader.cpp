#include "contacts/vcard_reader.h"

#include <optional>
#include <string>

#include "contacts/property_text.h"

namespace ormind {
namespace {

struct CardDate {
  EventSection section;
  const ContentLine* line;
};

std::optional<EventSection> DateSection(std::string_view property) {
  if (property == "BDAY") return EventSection::Birthday;
  if (property == "ANNIVERSARY" || property == "X-ANNIVERSARY" ||
      property == "X-MS-ANNIVERSARY" || property == "X-EVOLUTION-ANNIVERSARY")
    return EventSection::Events;
  return std::nullopt;
}

std::string Trimmed(std::string text) {
  const size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string::npos) return {};
  return text.substr(begin, text.find_last_not_of(" \t") - begin + 1);
}

// N is family;given;additional;prefix;suffix: written as "given additional family".
std::string NameFromParts(std::string_view value) {
  const std::vector<std::string> parts = SplitTextComponents(value);
  std::string name;
  for (size_t index : {1u, 2u, 0u}) {
    if (index >= parts.size()) continue;
    const std::string part = Trimmed(parts[index]);
    if (part.empty()) continue;
    if (!name.empty()) name += ' ';
    name += part;
  }
  return name;
}

// A year the phone writes in place of none (BDAY;X-APPLE-OMIT-YEAR=1604:1604-03-05).
bool YearOmitted(const ContentLine& line, const ContactDate& date) {
  const std::string_view omitted = line.Parameter("X-APPLE-OMIT-YEAR");
  return !omitted.empty() && omitted == std::to_string(date.year);
}

}  // namespace

void ReadVCard(std::span<const ContentLine> lines, uint32_t begin, int codePage,
               ImportResult& result) {
  std::string formatted, parts;
  std::vector<CardDate> dates;
  for (const ContentLine& line : lines) {
    bool unknownCharset = false;
    if (line.name == "FN" && formatted.empty()) {
      formatted = Trimmed(UnescapeText(DecodedValue(line, codePage, &unknownCharset)));
    } else if (line.name == "N" && parts.empty()) {
      parts = NameFromParts(DecodedValue(line, codePage, &unknownCharset));
    } else if (const std::optional<EventSection> section = DateSection(line.name)) {
      dates.push_back({*section, &line});
    }
    if (unknownCharset)
      result.notes.push_back({line.line, "unknown charset \"" +
                                             std::string(line.Parameter("CHARSET")) +
                                             "\", the name read as it stands",
                              false});
  }
  const std::string& name = formatted.empty() ? parts : formatted;
  for (const CardDate& date : dates) {
    const std::string value = DecodedValue(*date.line, codePage);
    std::optional<ContactDate> parsed = ParseContactDate(value);
    if (!parsed) {
      result.notes.push_back({date.line->line, date.line->name + " \"" + value +
                                                   "\" is not a date understood here, skipped"});
      continue;
    }
    if (YearOmitted(*date.line, *parsed)) parsed->year = 0;
    AddImportedEntry(result, date.section, name, *parsed, begin);
  }
}

}  // namespace ormind
