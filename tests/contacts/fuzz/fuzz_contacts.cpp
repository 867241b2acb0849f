// Any bytes read as contacts give entries that, written into a new event list, the event-list
// reader reads back with the same sections, names and dates.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "contacts/contact_file.h"
#include "contacts/event_list_merge.h"
#include "core/event_list_reader.h"

namespace {

struct ReadBack {
  struct Line {
    ormind::EventSection section;
    std::string name, value;
  };
  std::vector<Line> lines;
  void Entry(ormind::EventSection section, std::string_view name, std::string_view value,
             uint32_t) {
    lines.push_back({section, std::string(name), std::string(value)});
  }
};

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace ormind;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const ImportResult result = ReadContactFile(bytes, 1251);
  const std::optional<EventListMerge> merge = MergeIntoEventList("", result.entries, 1251);
  Require(merge.has_value());
  Require(merge->added.size() + merge->alreadyThere == result.entries.size());

  ReadBack sink;
  EventListReader<ReadBack> reader(1251, sink);
  reader.Feed(merge->bytes);
  reader.Finish();
  Require(sink.lines.size() == merge->added.size());
  // The list holds its sections one after the other, each in the order of the import.
  std::vector<ImportedEntry> added = merge->added;
  std::stable_sort(added.begin(), added.end(), [](const ImportedEntry& a, const ImportedEntry& b) {
    return a.section < b.section;
  });
  for (size_t i = 0; i < sink.lines.size(); ++i) {
    const ImportedEntry& entry = added[i];
    const ReadBack::Line& line = sink.lines[i];
    Require(line.section == entry.section);
    Require(reader.ToUtf8(line.name) == entry.name);
    const DecodedEvent decoded = DecodeEventValue(reader.ToUtf8(line.value), line.section);
    Require(decoded.valid && decoded.date.day == entry.date.day &&
            decoded.date.month == entry.date.month);
    Require(decoded.date.hasYear == (entry.date.year > 0));
    Require(!decoded.date.hasYear || decoded.date.year == entry.date.year);
  }
  return 0;
}
