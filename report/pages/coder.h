#pragma once
// The splay-tree coder of compressed pages. Every page starts from the same complete tree; each
// coded byte is the path from the root to the byte's leaf (1 = right), written least significant
// bit first, after which the leaf is splayed towards the root, so frequent bytes get short codes.
//
// Nodes 0..255 are inner nodes (0 is the root), node 256 + b is the leaf of byte b; node 512 is
// a leaf no byte uses. The encoder walks up from the leaf through the parent links; the decoder
// walks down and remembers its path, so it needs no parent links at all.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace ormind {

class TRptCompress {
 public:
  // Encoder appending its code to `output`.
  explicit TRptCompress(std::vector<uint8_t>& output);
  // Decoder reading its code from `input`; reading past its end throws ERptError.
  TRptCompress(const uint8_t* input, size_t size);
  // An encoder writes its partly filled last byte (see Finish).
  ~TRptCompress();
  TRptCompress(const TRptCompress&) = delete;
  TRptCompress& operator=(const TRptCompress&) = delete;

  void EncodeByte(uint8_t b);
  void Encode(const uint8_t* data, size_t size);
  // Writes the partly filled last byte, if any (bits beyond the code are zero). Idempotent.
  void Finish();

  // Throws ERptError when the code runs out or leads to the spare leaf 512.
  uint8_t DecodeByte();
  void Decode(uint8_t* data, size_t size);
  // Bits of code the encoder has produced so far (without the padding Finish adds).
  uint64_t BitsWritten() const { return uint64_t(fOutput->size()) * 8 + fPendingBits; }
  // Bytes of code the decoder has started reading so far.
  size_t BytesConsumed() const { return fInputPosition - fBitsAvailable / 8; }

  // The shape of the tree, for checks: FLeftChild, FRightChild and (encoder) FParentOf.
  uint16_t LeftChild(int node) const { return fChild[node][0]; }
  uint16_t RightChild(int node) const { return fChild[node][1]; }
  uint8_t ParentOf(int node) const { return uint8_t(fUp[node] & 0xFF); }

 private:
  void ResetTree();
  void PutBits(uint64_t bits, unsigned count);
  void PutLongCode(uint64_t low, unsigned lowCount, const uint64_t* words, int wordCount);
  void Refill();

  bool fEncoding;
  uint16_t fChild[256][2];   // [node][0] left child, [node][1] right child
  // The encoder's parent links, with the node's side (1 = right) in the high byte, so that a
  // climb needs one load a level. The decoder does not keep them.
  uint16_t fUp[513];

  // Encoder: bits not yet written, least significant first (fewer than 8 between bytes).
  std::vector<uint8_t>* fOutput = nullptr;
  uint64_t fPending = 0;
  unsigned fPendingBits = 0;

  // Decoder: bits read ahead from the input, least significant first.
  const uint8_t* fInput = nullptr;
  size_t fInputSize = 0;
  size_t fInputPosition = 0;
  uint64_t fBits = 0;
  unsigned fBitsAvailable = 0;
};

}  // namespace ormind
