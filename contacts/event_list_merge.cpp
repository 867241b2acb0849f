#include "contacts/event_list_merge.h"

#include <algorithm>
#include <array>
#include <map>
#include <unordered_map>

#include "core/ini_document.h"
#include "core/ini_scanner.h"

namespace ormind {
namespace {

constexpr std::array<EventSection, 3> kSections = {EventSection::Birthday, EventSection::Events,
                                                   EventSection::Nameday};

// Names are looked up as the list compares them: without regard to the case of ASCII letters
// (blanks around them are gone already), within their section.
std::string NameKey(EventSection section, std::string_view name) {
  std::string key(1, static_cast<char>('0' + static_cast<int>(section)));
  for (char c : name) key += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  return key;
}

// The dates under each name, of the list and of what is added.
using DatesByName = std::unordered_map<std::string, std::vector<ContactDate>>;

// What the list already holds, and where each section's last block ends (after its last line
// that is not blank).
struct ListLayout {
  DatesByName entries;
  std::array<std::optional<size_t>, 3> insertAt;
  std::string lineBreak = "\r\n";  // a list without one is written the Windows way
};

ListLayout ScanList(std::string_view text) {
  ListLayout layout;
  const char* base = text.data();
  const size_t size = text.size();
  if (const size_t brk = text.find_first_of("\r\n"); brk != std::string_view::npos)
    layout.lineBreak = text.substr(brk, 2) == "\r\n" ? "\r\n" : std::string(1, text[brk]);
  int section = -1;
  for (size_t pos = 0; pos < size;) {
    const size_t end = FindEither(base, pos, size, '\n', '\r');
    const IniLine line = ClassifyIniLine(base, pos, end);
    const auto view = [&](uint32_t b, uint32_t e) { return text.substr(b, e - b); };
    if (line.kind == IniLineKind::Section) {
      section = -1;
      for (EventSection s : kSections)
        if (IniNamesEqual(view(line.nameBegin, line.nameEnd), SectionName(s)))
          section = static_cast<int>(s);
    }
    if (section >= 0 && line.kind != IniLineKind::Blank) layout.insertAt[section] = end;
    if (section >= 0 && line.kind == IniLineKind::Entry) {
      const EventSection s = static_cast<EventSection>(section);
      const std::string_view value = StripIniQuotes(view(line.valueBegin, line.valueEnd));
      const EventDate date = DecodeEventValue(value, s).date;
      layout.entries[NameKey(s, view(line.nameBegin, line.nameEnd))].push_back(
          {date.day, date.month, date.hasYear ? date.year : 0});
    }
    pos = AfterLineBreak(base, end, size);
  }
  return layout;
}

enum class Found { No, SameDate, OtherDate };

Found FindInList(const DatesByName& listed, const DatesByName& added, const std::string& key,
                 const ContactDate& date) {
  const auto has = [&](const DatesByName& dates) {
    const auto it = dates.find(key);
    if (it == dates.end()) return Found::No;
    return std::find(it->second.begin(), it->second.end(), date) != it->second.end()
               ? Found::SameDate
               : Found::OtherDate;
  };
  const Found inList = has(listed);
  if (inList == Found::SameDate || has(added) == Found::SameDate) return Found::SameDate;
  return inList;
}

// Encodes the new text in the list's encoding; 8-bit text that would read back as UTF-8 (a
// few Cyrillic letters happen to look like it) is written as UTF-8 with a byte-order mark.
std::string Encode(const std::string& text, TextEncoding encoding, int codePage,
                   TextEncoding& used) {
  std::string bytes = EncodeText(text, encoding, codePage, &used);
  if (used == TextEncoding::Ansi && DetectEncoding(bytes) != TextEncoding::Ansi) {
    used = TextEncoding::Utf8Bom;
    bytes = EncodeText(text, used, codePage);
  }
  return bytes;
}

}  // namespace

std::optional<EventListMerge> MergeIntoEventList(std::string_view existing,
                                                 const std::vector<ImportedEntry>& entries,
                                                 int codePage) {
  EventListMerge merge;
  merge.encodingBefore = existing.empty() ? TextEncoding::Utf8Bom : DetectEncoding(existing);
  const std::string text = existing.empty() ? std::string() : DecodeText(existing, codePage).utf8;
  if (!existing.empty() && EncodeText(text, merge.encodingBefore, codePage) != existing)
    return std::nullopt;
  const ListLayout layout = ScanList(text);

  std::array<std::string, 3> newLines;
  DatesByName added;
  for (const ImportedEntry& entry : entries) {
    const std::string key = NameKey(entry.section, entry.name);
    const Found found = FindInList(layout.entries, added, key, entry.date);
    if (found == Found::SameDate) {
      ++merge.alreadyThere;
      continue;
    }
    if (found == Found::OtherDate) merge.otherDate.push_back(entry);
    merge.added.push_back(entry);
    added[key].push_back(entry.date);
    newLines[static_cast<int>(entry.section)] += layout.lineBreak + FormatEventLine(entry);
  }
  merge.encodingAfter = merge.encodingBefore;
  if (merge.added.empty()) {
    merge.bytes.assign(existing);
    return merge;
  }

  // Into the sections the list has, from the end backwards so that offsets stay true; the
  // sections it lacks go at its end.
  std::map<size_t, std::string, std::greater<>> insertions;
  std::string appended;
  for (EventSection s : kSections) {
    const int index = static_cast<int>(s);
    if (newLines[index].empty()) continue;
    if (layout.insertAt[index]) {
      insertions[*layout.insertAt[index]] += newLines[index];
    } else {
      appended += "[" + std::string(SectionName(s)) + "]" + newLines[index] + layout.lineBreak;
    }
  }
  std::string result = text;
  for (const auto& [offset, lines] : insertions) result.insert(offset, lines);
  if (!appended.empty()) {
    if (!result.empty() && result.back() != '\n' && result.back() != '\r')
      result += layout.lineBreak;
    result += appended;
  }
  merge.bytes = Encode(result, merge.encodingBefore, codePage, merge.encodingAfter);
  return merge;
}

}  // namespace ormind
