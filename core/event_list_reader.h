#pragma once
// Reads an event list in one pass, piece by piece as it comes from the file, without keeping
// the file: every entry line of the sections Birthday, Events and Nameday is handed over in
// file order, with its line number.
//
// Lines, section headers and the "=" are ASCII, so the 8-bit code pages and UTF-8 share the
// structure of a file and it can be split before its encoding is known. What is handed over is
// the raw bytes of the name and value; ToUtf8 turns them into text once Finish has settled the
// encoding (UTF-16 files are collected and decoded whole, then read the same way).
#include <cstdint>
#include <string>
#include <string_view>

#include "core/event_list.h"
#include "core/ini_document.h"
#include "core/ini_scanner.h"
#include "core/line_index.h"
#include "base/text_codec.h"

namespace ormind {

// The part of the reader that does not depend on who receives the lines: byte-order mark,
// UTF-16, lines split across pieces, the encoding.
class EventListReaderBase {
 public:
  explicit EventListReaderBase(int codePage) : codePage_(codePage) {}
  virtual ~EventListReaderBase() = default;

  void Feed(std::string_view piece);
  void Finish();

  // Known after Finish: the encoding the file turned out to be in.
  TextEncoding Encoding() const { return encoding_; }
  // Raw bytes handed over by the reader as UTF-8 text, by the file's encoding.
  std::string ToUtf8(std::string_view raw) const;

 protected:
  // Whole lines (the last one may lack its line break only at the end of the file).
  virtual void ScanLines(std::string_view lines) = 0;
  // Keeps track of whether the file is valid UTF-8.
  void NoteUtf8(std::string_view lines);

 private:
  void Start(std::string_view head);
  void FeedText(std::string_view piece);

  int codePage_;
  std::string head_;   // the first bytes, until the byte-order mark can be told
  bool started_ = false;
  bool utf16_ = false;
  std::string utf16Bytes_;
  std::string carry_;  // an unfinished last line
  bool validUtf8_ = true, sawNonAscii_ = false;
  TextEncoding encoding_ = TextEncoding::Ansi;
};

// Lines that are not entries of the three sections, for those who want them (see Sink).
enum class OtherLine { NoEquals, OutsideSections };

// Sink::Entry(EventSection, std::string_view name, std::string_view value, uint32_t line) is
// called for every entry of the three sections; Sink::Other(OtherLine, uint32_t line,
// std::string_view sectionName, std::string_view text), when the sink has it, for every other
// line that is neither blank, a comment nor a section header. Lines count from 1; CR, LF and
// CR LF each end a line. The sink is called directly: no call through a pointer per line.
template <typename Sink>
class EventListReader final : public EventListReaderBase {
 public:
  EventListReader(int codePage, Sink& sink) : EventListReaderBase(codePage), sink_(sink) {}

 private:
  void ScanLines(std::string_view lines) override {
    NoteUtf8(lines);
    index_.Build(lines);
    const char* const base = lines.data();
    const size_t size = lines.size();
    for (size_t pos = 0; pos < size;) {
      const size_t end = index_.NextBreak(pos);
      const size_t next = AfterLineBreak(base, end, size);
      ++line_;
      if (!PassedOver(base, pos, end)) Dispatch(lines, ClassifyIniLine(base, pos, end));
      pos = next;
    }
  }

  // Sinks with PassesOver(value) turn most entry lines down by the start of their value; such
  // a line is passed over before it is classified, when it plainly is an entry of a section
  // that counts (it starts with neither a blank nor "[", and a non-blank follows its "=").
  // Comments turned down this way were never going to be handed over anyway.
  bool PassedOver(const char* base, size_t pos, size_t end) const {
    if constexpr (requires { sink_.PassesOver(std::string_view()); }) {
      if (section_ < 0 || IsIniBlank(base[pos]) || base[pos] == '[') return false;
      const size_t equals = index_.NextEquals(pos, end);
      if (equals + 1 >= end || IsIniBlank(base[equals + 1])) return false;
      return sink_.PassesOver(std::string_view(base + equals + 1, end - equals - 1));
    }
    return false;
  }

  void Dispatch(std::string_view lines, const IniLine& line) {
    const auto view = [&](uint32_t b, uint32_t e) { return lines.substr(b, e - b); };
    switch (line.kind) {
      case IniLineKind::Section: EnterSection(view(line.nameBegin, line.nameEnd)); break;
      case IniLineKind::Entry:
        if (section_ >= 0) {
          sink_.Entry(static_cast<EventSection>(section_), view(line.nameBegin, line.nameEnd),
                      StripIniQuotes(view(line.valueBegin, line.valueEnd)), line_);
          break;
        }
        [[fallthrough]];
      case IniLineKind::NoEquals:
        if constexpr (requires { sink_.Other(OtherLine::NoEquals, 0u, "", ""); })
          sink_.Other(section_ >= 0 ? OtherLine::NoEquals : OtherLine::OutsideSections, line_,
                      sectionName_, view(line.begin, line.end));
        break;
      default: break;
    }
  }

  void EnterSection(std::string_view name) {
    section_ = -1;
    for (EventSection s : {EventSection::Birthday, EventSection::Events, EventSection::Nameday})
      if (IniNamesEqual(name, SectionName(s))) section_ = static_cast<int>(s);
    if constexpr (requires { sink_.Other(OtherLine::NoEquals, 0u, "", ""); })
      sectionName_.assign(name);
  }

  Sink& sink_;
  LineIndex index_;
  int section_ = -1;
  uint32_t line_ = 0;
  std::string sectionName_;  // as written; kept only for sinks that take other lines
};

// Whether a byte of the text is outside ASCII.
bool HasNonAscii(std::string_view text);

}  // namespace ormind
