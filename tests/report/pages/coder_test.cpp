// The splay coder: bit-exact against a literal, bit-by-bit model of the coding rules, and
// round trips over the inputs that stress it.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "report/pages/coder.h"
#include "report/pages/error.h"

namespace ormind {
namespace {

// The coding rules written out one bit at a time, with parent links on both sides.
class ModelCoder {
 public:
  ModelCoder() {
    for (int i = 1; i <= 512; ++i) parent[i] = (i - 1) / 2;
    for (int i = 0; i < 256; ++i) left[i] = 2 * i + 1, right[i] = 2 * i + 2;
  }
  void Encode(uint8_t b, std::vector<uint8_t>& out) {
    int bits[600], n = 0;
    for (int node = b + 256;;) {
      const int p = parent[node];
      bits[n++] = right[p] == node ? 1 : 0;
      if (p == 0) break;
      node = p;
    }
    while (n > 0) {
      if (bits[--n]) pending |= 1 << bitIndex;
      if (bitIndex == 7) {
        out.push_back(uint8_t(pending));
        bitIndex = 0;
        pending = 0;
      } else {
        ++bitIndex;
      }
    }
    Splay(b);
  }
  void Flush(std::vector<uint8_t>& out) {
    if (bitIndex != 0) out.push_back(uint8_t(pending));
  }
  uint8_t Decode(const std::vector<uint8_t>& in, size_t& at) {
    int node = 0;
    do {
      if (decodeIndex == 7) {
        current = in.at(at++);
        decodeIndex = 0;
      } else {
        ++decodeIndex;
      }
      node = (current >> decodeIndex) & 1 ? right[node] : left[node];
    } while (node <= 255);
    Splay(node - 256);
    return uint8_t(node - 256);
  }

 private:
  void Splay(int b) {
    int a = b + 256;
    do {
      const int c = parent[a];
      if (c == 0) break;
      const int d = parent[c];
      int u;
      if (left[d] == c) {
        u = right[d];
        right[d] = a;
      } else {
        u = left[d];
        left[d] = a;
      }
      if (left[c] == a)
        left[c] = u;
      else
        right[c] = u;
      parent[a] = d;
      parent[u] = c;
      a = d;
    } while (a != 0);
  }
  int parent[513] = {}, left[256], right[256];
  int bitIndex = 0, pending = 0, decodeIndex = 7, current = 0;
};

std::vector<uint8_t> Encoded(const std::vector<uint8_t>& data) {
  std::vector<uint8_t> out;
  TRptCompress coder(out);
  coder.Encode(data.data(), data.size());
  coder.Finish();
  return out;
}

std::vector<uint8_t> ModelEncoded(const std::vector<uint8_t>& data) {
  ModelCoder model;
  std::vector<uint8_t> out;
  for (uint8_t b : data) model.Encode(b, out);
  model.Flush(out);
  return out;
}

std::vector<uint8_t> Random(size_t n, uint32_t seed, int spread) {
  std::mt19937 rng(seed);
  std::vector<uint8_t> v(n);
  for (auto& b : v) b = uint8_t(rng() % spread);
  return v;
}

// Byte values swept from each turning point to the next, no value repeated at a turn.
std::vector<uint8_t> Sweeps(std::initializer_list<int> turns) {
  int at = *turns.begin();
  std::vector<uint8_t> v = {uint8_t(at)};
  for (int to : turns)
    while (at != to) v.push_back(uint8_t(at += to > at ? 1 : -1));
  return v;
}

struct CoderCase {
  const char* name;
  std::vector<uint8_t> data;
};

std::vector<CoderCase> Cases() {
  std::vector<uint8_t> all;
  for (int i = 0; i < 256; ++i) all.push_back(uint8_t(i));
  std::vector<uint8_t> allTwice = all;
  allTwice.insert(allTwice.end(), all.rbegin(), all.rend());
  std::vector<uint8_t> runs;
  for (int b : {0, 255, 7, 0}) runs.insert(runs.end(), 100000, uint8_t(b));
  // Alternating far-apart leaves keep the tree deep: long codes over many passes.
  std::vector<uint8_t> seesaw;
  for (int i = 0; i < 5000; ++i) seesaw.push_back(uint8_t(i % 2 ? 255 : (i * 37) % 256));
  return {
      {"empty", {}},
      {"one byte", {0x41}},
      {"all byte values", all},
      {"all byte values up and down", allTwice},
      // Sweeps up and down make the longest codes: 60 bits begun with 7 bits pending, 73 bits.
      {"sweeps to 60-bit codes", Sweeps({0, 255, 0, 255})},
      {"sweeps to 73-bit codes", Sweeps({192, 0, 192, 0, 255})},
      {"long runs", runs},
      {"seesaw", seesaw},
      {"random", Random(200000, 1, 256)},
      {"skewed", Random(200000, 2, 5)},
  };
}

TEST(RptCompress, MatchesTheModelBitForBitAndRoundTrips) {
  for (const CoderCase& c : Cases()) {
    SCOPED_TRACE(c.name);
    const std::vector<uint8_t> code = Encoded(c.data);
    ASSERT_EQ(code, ModelEncoded(c.data));

    TRptCompress decoder(code.data(), code.size());
    std::vector<uint8_t> back(c.data.size());
    decoder.Decode(back.data(), back.size());
    EXPECT_EQ(back, c.data);
    // The decoder reads exactly the bytes the encoder wrote.
    EXPECT_EQ(decoder.BytesConsumed(), code.size());

    ModelCoder model;
    size_t at = 0;
    for (size_t i = 0; i < c.data.size(); ++i) ASSERT_EQ(model.Decode(code, at), c.data[i]);
    EXPECT_EQ(at, code.size());
  }
}

TEST(RptCompress, FirstCodesFollowTheStartingTree) {
  // In the starting tree bytes 0..254 sit at depth 8 and byte 255 at depth 9; the first bit
  // (from the root) is the lowest bit of the first code byte.
  const struct {
    std::vector<uint8_t> data;
    std::vector<uint8_t> code;
  } cases[] = {
      {{}, {}},                 // nothing written for an empty page
      {{127}, {0x01}},          // right, then seven times left
      {{0}, {0x80}},            // seven times left, then right
      {{254}, {0xFF}},          // always right; ends on a byte boundary, no extra byte
      {{255}, {0x00, 0x00}},    // nine times left: one bit into a second, zero-padded byte
  };
  for (const auto& c : cases) EXPECT_EQ(Encoded(c.data), c.code);
}

TEST(RptCompress, DecoderStopsAtTheEndOfItsInput) {
  const std::vector<uint8_t> code = Encoded({1, 2, 3});
  TRptCompress decoder(code.data(), code.size());
  std::vector<uint8_t> out(4);
  try {
    decoder.Decode(out.data(), out.size());
    FAIL() << "decoded past the end";
  } catch (const ERptError& e) {
    EXPECT_STREQ(e.what(),
                 "Not a valid report file: the compressed page data runs past its record");
  }
}

TEST(RptCompress, CodeLeadingToTheSpareLeafIsRefused) {
  // Nine left turns reach the leaf of byte 255; the spare leaf 512 is its right sibling.
  const std::vector<uint8_t> code = {0x00, 0x01};
  TRptCompress decoder(code.data(), code.size());
  try {
    decoder.DecodeByte();
    FAIL() << "decoded the spare leaf";
  } catch (const ERptError& e) {
    EXPECT_STREQ(e.what(), "Not a valid report file: the compressed page data is damaged");
  }
}

TEST(RptCompress, SplayingAnEncodedByteKeepsTheTreeWhole) {
  std::vector<uint8_t> out;
  TRptCompress coder(out);
  coder.Encode(Random(5000, 3, 256).data(), 5000);
  // Every node but the root is the child of its parent exactly once.
  std::vector<int> seen(513, 0);
  for (int n = 0; n < 256; ++n) {
    for (int child : {coder.LeftChild(n), coder.RightChild(n)}) {
      ASSERT_GT(child, 0);
      ASSERT_LE(child, 512);
      ++seen[child];
      EXPECT_EQ(coder.ParentOf(child), n);
    }
  }
  for (int n = 1; n <= 512; ++n) EXPECT_EQ(seen[n], 1) << n;
}

}  // namespace
}  // namespace ormind
