// Fuzzes the event-list reader. The first input byte says how many of the next bytes give the
// sizes of the pieces the file arrives in (used in turn; 0 is an empty piece); the rest is the
// file. What the reader hands over - entries, other lines with their reasons and numbers, the
// encoding and the entries' text - must be the same for the file fed whole and in pieces, with
// the AVX2, SSE2 and plain loops alike. The line index must also agree with a byte search.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/cpu_features.h"
#include "core/event_list_reader.h"
#include "core/line_index.h"

using namespace ormind;

namespace {

struct Recording {
  std::vector<std::string> lines;
  TextEncoding encoding = TextEncoding::Ansi;
  bool operator==(const Recording&) const = default;
};

struct RecordingSink {
  std::vector<std::string>* lines;
  void Entry(EventSection section, std::string_view name, std::string_view value, uint32_t line) {
    lines->push_back("E" + std::to_string(static_cast<int>(section)) + ':' +
                     std::to_string(line) + ':' + std::string(name) + '=' + std::string(value));
  }
  void Other(OtherLine kind, uint32_t line, std::string_view section, std::string_view text) {
    lines->push_back("O" + std::to_string(static_cast<int>(kind)) + ':' + std::to_string(line) +
                     ':' + std::string(section) + ':' + std::string(text));
  }
};

Recording Read(std::string_view file, std::string_view pieceSizes, VectorLoops loops) {
  LimitVectorLoops(loops);
  Recording out;
  RecordingSink sink{&out.lines};
  EventListReader<RecordingSink> reader(1251, sink);
  if (pieceSizes.empty()) {
    reader.Feed(file);
  } else {
    bool anyNonZero = false;
    for (char c : pieceSizes) anyNonZero |= c != 0;
    size_t at = 0;
    for (size_t turn = 0; at < file.size(); ++turn) {
      size_t size = static_cast<unsigned char>(pieceSizes[turn % pieceSizes.size()]);
      if (!anyNonZero) size = 1;
      size = std::min(size, file.size() - at);
      // A piece in a buffer of its own, so that the reader cannot look past its end.
      const std::string piece(file.substr(at, size));
      reader.Feed(piece);
      at += size;
    }
  }
  reader.Finish();
  out.encoding = reader.Encoding();
  // The entries' text as UTF-8, which depends on the encoding the reader settled on.
  for (const std::string& line : std::vector<std::string>(out.lines)) out.lines.push_back(reader.ToUtf8(line));
  LimitVectorLoops(VectorLoops::Avx2);
  return out;
}

void CheckLineIndex(std::string_view text, VectorLoops loops) {
  LimitVectorLoops(loops);
  LineIndex index;
  index.Build(text);
  // From the end back: where the next break and the next "=" are, byte by byte.
  size_t nextBreak = text.size(), nextEquals = text.size();
  for (size_t pos = text.size() + 1; pos-- > 0;) {
    if (pos < text.size() && (text[pos] == '\r' || text[pos] == '\n')) nextBreak = pos;
    if (pos < text.size() && text[pos] == '=') nextEquals = pos;
    if (index.NextBreak(pos) != nextBreak) __builtin_trap();
    if (index.NextEquals(pos, text.size()) != nextEquals) __builtin_trap();
    // A limit short of the text's end stops the search there.
    const size_t limit = pos + (text.size() - pos) / 2;
    if (index.NextEquals(pos, limit) != std::min(nextEquals, limit)) __builtin_trap();
  }
  LimitVectorLoops(VectorLoops::Avx2);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const size_t sizesCount = std::min<size_t>(data[0] % 16, size - 1);
  const std::string_view pieceSizes = input.substr(1, sizesCount);
  const std::string file(input.substr(1 + sizesCount));

  const Recording whole = Read(file, {}, VectorLoops::Avx2);
  if (Read(file, {}, VectorLoops::Plain) != whole) __builtin_trap();
  if (Read(file, {}, VectorLoops::Sse2) != whole) __builtin_trap();
  if (!pieceSizes.empty()) {
    if (Read(file, pieceSizes, VectorLoops::Avx2) != whole) __builtin_trap();
    if (Read(file, pieceSizes, VectorLoops::Plain) != whole) __builtin_trap();
  }
  for (VectorLoops loops : {VectorLoops::Plain, VectorLoops::Sse2, VectorLoops::Avx2})
    CheckLineIndex(file, loops);
  return 0;
}
