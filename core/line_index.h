#pragma once
// Where the line breaks (CR, LF) and the "=" signs of a text are, one bit a byte, found
// sixteen bytes at a time: a reader then walks from line to line by bit arithmetic instead of
// looking at every byte, and lines of any length cost about the same.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace ormind {

class LineIndex {
 public:
  // Indexes `text`; the text must stay alive while the index is used.
  void Build(std::string_view text);

  // Offset of the first CR or LF at or after `pos`, or the text's size.
  size_t NextBreak(size_t pos) const { return Next(breaks_, pos, size_); }
  // Offset of the first "=" in [pos, limit), or `limit`.
  size_t NextEquals(size_t pos, size_t limit) const { return Next(equals_, pos, limit); }

 private:
  static size_t Next(const std::vector<uint64_t>& bits, size_t pos, size_t limit) {
    size_t word = pos >> 6;
    uint64_t m = word < bits.size() ? bits[word] & (~uint64_t{0} << (pos & 63)) : 0;
    while (m == 0) {
      if (((++word) << 6) >= limit) return limit;
      m = bits[word];
    }
    const size_t at = (word << 6) + static_cast<size_t>(__builtin_ctzll(m));
    return at < limit ? at : limit;
  }

  std::vector<uint64_t> breaks_, equals_;
  size_t size_ = 0;
};

}  // namespace ormind
