// Test helper: builds PalmDoc token streams, stream payloads and whole records by hand.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace qm::test {

class StreamBuilder {
 public:
  // A single byte token (0x00 or 0x09..0x7F) that stands for itself.
  StreamBuilder& Byte(std::uint8_t b) { return Raw({b}); }
  // A literal run: the count 1..8, then the bytes.
  StreamBuilder& Run(std::initializer_list<std::uint8_t> bytes) {
    tokens.push_back(static_cast<std::uint8_t>(bytes.size()));
    tokens.insert(tokens.end(), bytes);
    return *this;
  }
  // A back-reference, distance 0..2047, length 3..10.
  StreamBuilder& Back(unsigned distance, unsigned length) {
    const unsigned v = 0x8000 | (distance << 3) | (length - 3);
    return Raw({static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v)});
  }
  // A space followed by the letter 0x40..0x7F.
  StreamBuilder& SpaceLetter(std::uint8_t letter) {
    return Raw({static_cast<std::uint8_t>(letter ^ 0x80)});
  }
  StreamBuilder& Raw(std::initializer_list<std::uint8_t> bytes) {
    tokens.insert(tokens.end(), bytes);
    return *this;
  }

  // Stream header, tokens and the four-byte trailer.
  std::vector<std::uint8_t> Payload(std::uint32_t textLength) const {
    return PayloadWith(static_cast<std::uint32_t>(tokens.size()), textLength);
  }
  std::vector<std::uint8_t> PayloadWith(std::uint32_t compressedLength,
                                        std::uint32_t textLength) const {
    std::vector<std::uint8_t> p;
    PutBigEndian16(p, compressedLength);
    PutBigEndian16(p, textLength);
    p.insert(p.end(), tokens.begin(), tokens.end());
    p.insert(p.end(), 4, 0);
    return p;
  }
  // The 6-byte record header (PayloadLength, sequence numbers) and the payload.
  std::vector<std::uint8_t> Record(std::uint32_t textLength, std::uint16_t sequence = 21) const {
    const std::vector<std::uint8_t> payload = Payload(textLength);
    std::vector<std::uint8_t> r;
    PutBigEndian16(r, static_cast<std::uint32_t>(payload.size()));
    PutBigEndian16(r, sequence);
    PutBigEndian16(r, sequence);
    r.insert(r.end(), payload.begin(), payload.end());
    return r;
  }

  std::vector<std::uint8_t> tokens;

 private:
  static void PutBigEndian16(std::vector<std::uint8_t>& v, std::uint32_t x) {
    v.push_back(static_cast<std::uint8_t>(x >> 8));
    v.push_back(static_cast<std::uint8_t>(x));
  }
};

}  // namespace qm::test
