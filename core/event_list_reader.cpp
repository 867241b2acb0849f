#include "core/event_list_reader.h"

#include <cstring>


namespace ormind {
namespace {

bool StartsWith(std::string_view s, std::string_view prefix) {
  return s.substr(0, prefix.size()) == prefix;
}

// Offset one past the last complete line break, or 0. A CR at the very end may be the first
// half of CR LF, so it does not count yet.
size_t EndOfLastLine(std::string_view piece) {
  size_t i = piece.size();
  if (i > 0 && piece[i - 1] == '\r') --i;
  for (; i > 0; --i)
    if (piece[i - 1] == '\n' || piece[i - 1] == '\r') return i;
  return 0;
}

// Offset one past the first complete line break (CR LF taken whole), or 0.
size_t EndOfFirstLine(std::string_view piece) {
  const size_t at = piece.find_first_of("\r\n");
  if (at == std::string_view::npos) return 0;
  if (piece[at] == '\n') return at + 1;
  if (at + 1 == piece.size()) return 0;
  return piece[at + 1] == '\n' ? at + 2 : at + 1;
}

}  // namespace

bool HasNonAscii(std::string_view text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return true;
  return false;
}

void EventListReaderBase::Feed(std::string_view piece) {
  if (!started_) {
    // The byte-order mark decides; it needs the first three bytes, which the first piece
    // nearly always holds (then it is not copied).
    if (head_.empty() && piece.size() >= 3) return Start(piece);
    head_.append(piece);
    if (head_.size() < 3) return;
    const std::string head = std::move(head_);
    head_.clear();
    return Start(head);
  }
  if (utf16_)
    utf16Bytes_.append(piece);
  else
    FeedText(piece);
}

void EventListReaderBase::Start(std::string_view head) {
  started_ = true;
  if (StartsWith(head, "\xFF\xFE") || StartsWith(head, "\xFE\xFF")) {
    utf16_ = true;
    encoding_ = StartsWith(head, "\xFF\xFE") ? TextEncoding::Utf16Le : TextEncoding::Utf16Be;
    utf16Bytes_.assign(head);
    return;
  }
  if (StartsWith(head, "\xEF\xBB\xBF")) {
    encoding_ = TextEncoding::Utf8Bom;
    head.remove_prefix(3);
  }
  FeedText(head);
}

void EventListReaderBase::FeedText(std::string_view piece) {
  // Only whole lines are scanned; the rest waits for the next piece.
  if (!carry_.empty()) {
    // Finish the waiting line first, so that the rest of the piece is scanned in place.
    const size_t end = EndOfFirstLine(piece);
    if (end == 0) {
      carry_.append(piece);
      return;
    }
    carry_.append(piece.substr(0, end));
    ScanLines(carry_);
    carry_.clear();
    piece.remove_prefix(end);
  }
  const size_t end = EndOfLastLine(piece);
  ScanLines(piece.substr(0, end));
  carry_.assign(piece.substr(end));
}

void EventListReaderBase::NoteUtf8(std::string_view lines) {
  // UTF-8 sequences never hold a CR or LF, so whole lines can be checked one batch at a time.
  if (!validUtf8_) return;
  const Utf8Check check = CheckUtf8(lines);
  validUtf8_ = check.valid;
  sawNonAscii_ |= !check.ascii;
}

void EventListReaderBase::Finish() {
  if (!started_) {
    // A file of fewer than three bytes.
    const std::string head = std::move(head_);
    head_.clear();
    Start(head);
  }
  if (utf16_) {
    utf16_ = false;
    const std::string text = DecodeText(utf16Bytes_, codePage_).utf8;
    utf16Bytes_.clear();
    FeedText(text);
    ScanLines(carry_);
    carry_.clear();
    return;  // the encoding stays UTF-16; the text handed over is UTF-8 already
  }
  ScanLines(carry_);
  carry_.clear();
  if (encoding_ == TextEncoding::Ansi && validUtf8_ && sawNonAscii_) encoding_ = TextEncoding::Utf8;
}

std::string EventListReaderBase::ToUtf8(std::string_view raw) const {
  switch (encoding_) {
    case TextEncoding::Ansi:
      return AnsiToUtf8(raw, codePage_);
    case TextEncoding::Utf8Bom:
      // Invalid bytes after the mark become U+FFFD, as when the whole file is decoded.
      return HasNonAscii(raw) ? Utf16ToUtf8(Utf8ToUtf16(raw)) : std::string(raw);
    default:
      return std::string(raw);
  }
}

}  // namespace ormind
