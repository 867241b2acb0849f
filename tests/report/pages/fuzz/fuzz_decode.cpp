// Fuzzes the splay decoder on arbitrary code. Whatever it decodes must encode back to exactly
// the bits it read, so the two sides can never drift apart.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "report/pages/coder.h"
#include "report/pages/error.h"

using namespace ormind;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> decoded;
  {
    TRptCompress decoder(data, size);
    try {
      for (;;) decoded.push_back(decoder.DecodeByte());
    } catch (const ERptError&) {
    }
  }
  std::vector<uint8_t> code;
  TRptCompress encoder(code);
  encoder.Encode(decoded.data(), decoded.size());
  const uint64_t bits = encoder.BitsWritten();
  encoder.Finish();
  if (code.size() > size) __builtin_trap();
  for (size_t i = 0; i < code.size(); ++i) {
    const bool last = i + 1 == code.size() && bits % 8 != 0;
    const uint8_t mask = last ? uint8_t((1u << (bits % 8)) - 1) : 0xFF;
    if ((data[i] & mask) != code[i]) __builtin_trap();
  }
  return 0;
}
