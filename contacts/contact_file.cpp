#include "contacts/contact_file.h"

#include <vector>

#include "base/text_codec.h"
#include "contacts/icalendar_reader.h"
#include "contacts/property_text.h"
#include "contacts/vcard_reader.h"

namespace ormind {
namespace {

// The file as text with ASCII structure: UTF-16 decoded, a UTF-8 byte-order mark dropped.
std::string StructuredText(std::string_view bytes, int codePage) {
  const TextEncoding encoding = DetectEncoding(bytes);
  if (encoding == TextEncoding::Utf16Le || encoding == TextEncoding::Utf16Be)
    return DecodeText(bytes, codePage).utf8;
  if (encoding == TextEncoding::Utf8Bom) bytes.remove_prefix(3);
  return std::string(bytes);
}

enum class Block { None, Card, Event };

}  // namespace

ImportResult ReadContactFile(std::string_view bytes, int codePage) {
  ImportResult result;
  const std::vector<ContentLine> lines = SplitContentLines(StructuredText(bytes, codePage));
  Block block = Block::None;
  size_t first = 0;
  uint32_t begin = 0;
  size_t blocks = 0;
  const auto close = [&](size_t end) {
    const std::span<const ContentLine> body(lines.data() + first, end - first);
    if (block == Block::Card) ReadVCard(body, begin, codePage, result);
    if (block == Block::Event) ReadCalendarEvent(body, begin, codePage, result);
    block = Block::None;
  };
  for (size_t i = 0; i < lines.size(); ++i) {
    const ContentLine& line = lines[i];
    if (line.name != "BEGIN" && line.name != "END") continue;
    std::string value = AsciiUpper(line.value);
    while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) value.pop_back();
    const Block kind = value == "VCARD" ? Block::Card : value == "VEVENT" ? Block::Event
                                                                           : Block::None;
    if (kind == Block::None) continue;  // VCALENDAR, VALARM, ...
    if (line.name == "BEGIN") {
      // A block left open by a cut-off card ends where the next one begins.
      if (block != Block::None) close(i);
      block = kind;
      first = i + 1;
      begin = line.line;
      ++blocks;
    } else if (kind == block) {
      close(i);
    }
  }
  if (block != Block::None) close(lines.size());
  if (blocks == 0) result.notes.push_back({0, "no contact cards or calendar events found"});
  return result;
}

}  // namespace ormind
