#pragma once
// Reads an event list in one pass, piece by piece as it comes from the file, without keeping
// the file: every entry line of the sections Birthday, Events and Nameday is handed over in
// file order.
//
// Lines, section headers and the "=" are ASCII, so the 8-bit code pages and UTF-8 share the
// structure of a file and it can be split before its encoding is known. What is handed over is
// the raw bytes of the name and value; ToUtf8 turns them into text once Finish has settled the
// encoding (UTF-16 files are collected and decoded whole, then read the same way).
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/event_list.h"
#include "core/text_codec.h"

namespace ormind {

class EventListReader {
 public:
  // `order` counts the entry lines handed over, from 0.
  using Visit = std::function<void(EventSection section, std::string_view name,
                                   std::string_view value, uint32_t order)>;
  EventListReader(int codePage, Visit visit);

  void Feed(std::string_view piece);
  void Finish();

  // Known after Finish: the encoding the file turned out to be in.
  TextEncoding Encoding() const { return encoding_; }
  // Raw bytes handed over by the reader as UTF-8 text, by the file's encoding.
  std::string ToUtf8(std::string_view raw) const;

 private:
  void FeedText(std::string_view piece);
  void ScanLines(std::string_view lines);

  int codePage_;
  Visit visit_;
  std::string head_;   // the first bytes, until the byte-order mark can be told
  bool started_ = false;
  bool utf16_ = false;
  std::string utf16Bytes_;
  std::string carry_;  // an unfinished last line
  bool validUtf8_ = true, sawNonAscii_ = false;
  int section_ = -1;
  uint32_t order_ = 0;
  TextEncoding encoding_ = TextEncoding::Ansi;
};

// Whether a byte of the text is outside ASCII.
bool HasNonAscii(std::string_view text);

}  // namespace ormind
