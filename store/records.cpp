// Record lookup by number and the PalmDoc LZ77 decoder.
#include "store/records.h"

#include <cstring>

#include "frame/notices.h"
#include "store/record_source.h"

namespace qm {

namespace {

constexpr std::size_t kRecordHeaderSize = 6;
constexpr std::size_t kStreamHeaderSize = 4;
constexpr std::uint32_t kRecordIdOffset = 1000;

// Bytes the fast paths may write at once; they run only while this many fit in the buffer.
constexpr std::size_t kWideCopy = 16;

// Zero bytes after the text. A text cut short of its own terminators (a damaged record that
// still decodes) then ends, for a reader that walks it paragraph by paragraph (style,
// parameter, text, zero), within its buffer: at worst a style byte is last, and the three
// bytes after it read as an empty parameter, an empty text and the end of the document.
constexpr std::size_t kTextPadding = 4;

TextBuffer Fail(std::int32_t* status, LoadStatus reason) {
  if (status) *status = reason;
  return nullptr;
}

std::uint32_t ReadBigEndian16(const std::uint8_t* p) {
  return (std::uint32_t{p[0]} << 8) | p[1];
}

enum class DecodeEnd { Full, SourceEnded, Corrupt };

int g_quietDecoding = 0;

// Decodes tokens into out until textLength bytes are written; `out` holds textLength + 2 bytes.
// The first loop runs while every token fits whole, in the source and in the buffer, with wide
// copies that may write scratch bytes beyond the output; the second decodes the rest exactly.
DecodeEnd DecodeTokens(const std::uint8_t* in,
                       const std::uint8_t* const inEnd,
                       std::uint8_t* const begin,
                       const std::size_t textLength) {
  std::uint8_t* out = begin;
  std::uint8_t* const outEnd = begin + textLength;
  const std::size_t capacity = textLength + 2;
  // Below wideStop, kWideCopy bytes fit from out on (so any whole token fits before outEnd).
  std::uint8_t* const wideStop = capacity >= kWideCopy ? begin + (capacity - kWideCopy + 1) : begin;
  // A token, its operand or literal bytes, and the rest of an 8-byte literal copy.
  constexpr std::ptrdiff_t kLongestToken = 9;

  while (out < wideStop && inEnd - in >= kLongestToken) {
    const unsigned t = *in++;
    if (t < 0x80) {
      if (t - 1 < 8) {  // a literal run of t bytes
        std::memcpy(out, in, 8);
        out += t;
        in += t;
      } else {
        *out++ = static_cast<std::uint8_t>(t);
      }
    } else if (t < 0xC0) {
      const unsigned v = (t << 8) | *in++;
      const std::size_t distance = (v >> 3) & 0x7FF;
      const std::size_t length = (v & 7) + 3;
      if (distance == 0 || distance > static_cast<std::size_t>(out - begin)) {
        return DecodeEnd::Corrupt;
      }
      const std::uint8_t* from = out - distance;
      if (distance >= 8) {
        // Two 8-byte steps: the second reads only bytes the first has already written.
        std::memcpy(out, from, 8);
        std::memcpy(out + 8, from + 8, 8);
      } else {
        for (std::size_t i = 0; i < length; ++i)
          out[i] = from[i];
      }
      out += length;
    } else {
      out[0] = 0x20;
      out[1] = static_cast<std::uint8_t>(t ^ 0x80);
      out += 2;
    }
  }

  while (out < outEnd) {
    if (in == inEnd) return DecodeEnd::SourceEnded;
    const unsigned t = *in++;
    const std::size_t room = static_cast<std::size_t>(outEnd - out);
    if (t < 0x80) {
      if (t - 1 >= 8) {
        *out++ = static_cast<std::uint8_t>(t);
        continue;
      }
      const std::size_t count = t < room ? t : room;  // bytes past a full output are never read
      if (static_cast<std::size_t>(inEnd - in) < count) return DecodeEnd::Corrupt;
      std::memcpy(out, in, count);
      out += count;
      in += count;
    } else if (t < 0xC0) {
      if (in == inEnd) return DecodeEnd::Corrupt;
      const unsigned v = (t << 8) | *in++;
      const std::size_t distance = (v >> 3) & 0x7FF;
      const std::size_t length = (v & 7) + 3;
      if (distance == 0 || distance > static_cast<std::size_t>(out - begin)) {
        return DecodeEnd::Corrupt;
      }
      const std::uint8_t* from = out - distance;
      const std::size_t count = length < room ? length : room;
      for (std::size_t i = 0; i < count; ++i)
        out[i] = from[i];
      out += count;
    } else {
      *out++ = 0x20;
      if (out == outEnd) break;
      *out++ = static_cast<std::uint8_t>(t ^ 0x80);
    }
  }
  return DecodeEnd::Full;
}

}  // namespace

QuietDecoding::QuietDecoding() {
  ++g_quietDecoding;
}

QuietDecoding::~QuietDecoding() {
  --g_quietDecoding;
}

std::string_view LoadStatusName(std::int32_t status) {
  switch (status) {
    case RecordNotFound:
      return "RecordNotFound";
    case RecordUnreadable:
      return "RecordUnreadable";
    case BadStream:
      return "BadStream";
    case BadArgument:
      return "BadArgument";
    case LengthMismatch:
      return "LengthMismatch";
    case CorruptStream:
      return "CorruptStream";
    default:
      return "";
  }
}

TextBuffer Decompress(const std::uint8_t* source,
                      std::uint32_t sourceLength,
                      std::uint32_t textLength,
                      std::int32_t* status) {
  if (!source || textLength == 0) return Fail(status, BadArgument);
  TextBuffer text = AllocArray<std::uint8_t>(std::size_t{textLength} + kTextPadding);
  if (!text) return Fail(status, RecordUnreadable);

  const DecodeEnd end = DecodeTokens(source, source + sourceLength, text.get(), textLength);
  if (end == DecodeEnd::Full) {
    std::memset(text.get() + textLength, 0, kTextPadding);
    return text;
  }
  text.reset();
  if (g_quietDecoding == 0) ShowNotice(Notice::UncompressError);
  return Fail(status, end == DecodeEnd::Corrupt ? CorruptStream : LengthMismatch);
}

TextBuffer DecodeStream(const std::uint8_t* payload,
                        std::uint32_t payloadLength,
                        std::int32_t* status) {
  if (!payload) return Fail(status, BadArgument);
  if (payloadLength < kStreamHeaderSize + 1) return Fail(status, BadStream);
  const std::uint32_t compressedLength = ReadBigEndian16(payload);
  if (compressedLength == 0 || compressedLength > payloadLength - kStreamHeaderSize) {
    return Fail(status, BadStream);
  }
  const std::uint32_t textLength = ReadBigEndian16(payload + 2);
  return Decompress(payload + kStreamHeaderSize, compressedLength, textLength, status);
}

TextBuffer DecodeRecord(std::span<const std::uint8_t> record, std::int32_t* status) {
  if (record.size() < kRecordHeaderSize) return Fail(status, BadStream);
  const std::uint32_t payloadLength = ReadBigEndian16(record.data());
  if (payloadLength > record.size() - kRecordHeaderSize) return Fail(status, BadStream);
  return DecodeStream(record.data() + kRecordHeaderSize, payloadLength, status);
}

TextBuffer LoadRecord(std::int32_t number, std::int32_t* status) {
  if (number <= 0) return nullptr;
  const auto id =
      static_cast<std::uint16_t>((static_cast<std::uint32_t>(number) + kRecordIdOffset) & 0xFFFF);
  const RecordSource* source = CurrentRecordSource();
  if (!source) return Fail(status, RecordNotFound);
  std::span<const std::uint8_t> bytes;
  switch (source->Find(id, bytes)) {
    case RecordLookup::NotFound:
      return Fail(status, RecordNotFound);
    case RecordLookup::Unreadable:
      return Fail(status, RecordUnreadable);
    case RecordLookup::Found:
      break;
  }
  if (bytes.empty()) return Fail(status, RecordUnreadable);
  return DecodeRecord(bytes, status);
}

}  // namespace qm
