#include "report/pages/coder.h"

#include <cstring>

#include "report/pages/error.h"

namespace ormind {

TRptCompress::TRptCompress(std::vector<uint8_t>& output) : fEncoding(true), fOutput(&output) {
  ResetTree();
}

TRptCompress::TRptCompress(const uint8_t* input, size_t size)
    : fEncoding(false), fInput(input), fInputSize(size) {
  ResetTree();
}

TRptCompress::~TRptCompress() {
  if (fEncoding) Finish();
}

void TRptCompress::ResetTree() {
  fUp[0] = 0;
  for (int i = 1; i <= 512; ++i) fUp[i] = static_cast<uint16_t>((i - 1) / 2 | (i % 2 ? 0 : 0x100));
  for (int i = 0; i < 256; ++i) {
    fChild[i][0] = static_cast<uint16_t>(2 * i + 1);
    fChild[i][1] = static_cast<uint16_t>(2 * i + 2);
  }
}

// Appends `count` (at most 56) bits, least significant first, and writes every whole byte.
inline void TRptCompress::PutBits(uint64_t bits, unsigned count) {
  fPending |= bits << fPendingBits;
  fPendingBits += count;
  if (fPendingBits >= 8) {
    const unsigned whole = fPendingBits / 8;
    std::vector<uint8_t>& out = *fOutput;
    const size_t at = out.size();
    out.resize(at + whole);
    for (unsigned i = 0; i < whole; ++i) out[at + i] = static_cast<uint8_t>(fPending >> (8 * i));
    fPending = whole == 8 ? 0 : fPending >> (8 * whole);
    fPendingBits -= 8 * whole;
  }
}

// A code longer than 64 bits: `low` holds the bits nearest the root (first bit lowest), the
// words hold the deeper ones, the deepest in words[0], each with its shallowest bit lowest.
void TRptCompress::PutLongCode(uint64_t low, unsigned lowCount, const uint64_t* words,
                               int wordCount) {
  auto put64 = [this](uint64_t v, unsigned n) {
    if (n > 32) {
      PutBits(v & 0xFFFFFFFFu, 32);
      PutBits(v >> 32, n - 32);
    } else if (n > 0) {
      PutBits(v, n);
    }
  };
  put64(low, lowCount);
  for (int w = wordCount - 1; w >= 0; --w) put64(words[w], 64);
}

void TRptCompress::EncodeByte(uint8_t b) {
  // Climb from the leaf, noting the side of each node and splaying on the way: a pass changes
  // only the links below the grandparent, so the sides of the nodes above are still those of
  // the tree the code is taken from.
  uint64_t code = 0;  // the newest (shallowest) bit lowest
  unsigned length = 0;
  uint64_t deep[5];   // 64-bit groups of a code longer than 64 bits, deepest first
  int deepCount = 0;
  auto note = [&](unsigned bit) {
    if (length == 64) {
      deep[deepCount++] = code;
      code = 0;
      length = 0;
    }
    code = (code << 1) | bit;
    ++length;
  };

  unsigned a = b + 256u;
  for (;;) {
    const unsigned upA = fUp[a];
    const unsigned c = upA & 0xFF, sideA = upA >> 8;
    note(sideA);
    if (c == 0) break;
    const unsigned upC = fUp[c];
    const unsigned d = upC & 0xFF, sideC = upC >> 8;
    note(sideC);
    // Swap a with c's sibling u.
    const unsigned other = sideC ^ 1u;
    const unsigned u = fChild[d][other];
    fChild[d][other] = static_cast<uint16_t>(a);
    fUp[a] = static_cast<uint16_t>(d | other << 8);
    fChild[c][sideA] = static_cast<uint16_t>(u);
    fUp[u] = static_cast<uint16_t>(c | sideA << 8);
    if (d == 0) break;
    a = d;
  }

  if (deepCount == 0 && length <= 56)
    PutBits(code, length);
  else
    PutLongCode(code, length, deep, deepCount);
}

void TRptCompress::Encode(const uint8_t* data, size_t size) {
  fOutput->reserve(fOutput->size() + size + size / 4 + 16);
  for (size_t i = 0; i < size; ++i) EncodeByte(data[i]);
}

void TRptCompress::Finish() {
  if (!fEncoding || fPendingBits == 0) return;
  fOutput->push_back(static_cast<uint8_t>(fPending));
  fPending = 0;
  fPendingBits = 0;
}

void TRptCompress::Refill() {
  if (fInputSize - fInputPosition >= 8) {
    uint64_t v = 0;
    for (int i = 7; i >= 0; --i) v = (v << 8) | fInput[fInputPosition + i];
    fBits = v;
    fBitsAvailable = 64;
    fInputPosition += 8;
  } else if (fInputPosition < fInputSize) {
    fBits = fInput[fInputPosition++];
    fBitsAvailable = 8;
  } else {
    throw InvalidReportFile("the compressed page data runs past its record");
  }
}

uint8_t TRptCompress::DecodeByte() {
  // Walk down, remembering the path; the splay then works along that path, the sides known
  // from the bits, so no parent links are needed.
  uint16_t path[260];
  uint8_t side[260];
  unsigned depth = 0;
  unsigned node = 0;
  path[0] = 0;
  uint64_t bits = fBits;
  unsigned available = fBitsAvailable;
  do {
    if (available == 0) {
      Refill();
      bits = fBits;
      available = fBitsAvailable;
    }
    const unsigned bit = static_cast<unsigned>(bits & 1u);
    bits >>= 1;
    --available;
    node = fChild[node][bit];
    ++depth;
    path[depth] = static_cast<uint16_t>(node);
    side[depth] = static_cast<uint8_t>(bit);
  } while (node < 256);
  fBits = bits;
  fBitsAvailable = available;
  // The spare leaf 512 stands for no byte: no encoder ever leads there.
  if (node == 512) throw InvalidReportFile("the compressed page data is damaged");

  for (unsigned k = depth; k >= 2; k -= 2) {
    const unsigned a = path[k], c = path[k - 1], d = path[k - 2];
    const unsigned sideA = side[k], sideC = side[k - 1];
    const unsigned u = fChild[d][sideC ^ 1u];
    fChild[d][sideC ^ 1u] = static_cast<uint16_t>(a);
    fChild[c][sideA] = static_cast<uint16_t>(u);
  }
  return static_cast<uint8_t>(node - 256);
}

void TRptCompress::Decode(uint8_t* data, size_t size) {
  for (size_t i = 0; i < size; ++i) data[i] = DecodeByte();
}

}  // namespace ormind
