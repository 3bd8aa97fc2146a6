#include "platform/archive.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <cstring>

#include "platform/text_encoding.h"

namespace kestrel {
namespace {

constexpr std::size_t kFileBufferBytes = 64 * 1024;
constexpr std::size_t kSinkFlushBytes = 64 * 1024;

// Counted-text markers after the 0xFF byte.
constexpr std::uint16_t kWideMarker = 0xFFFE;
constexpr std::uint16_t kLongMarker = 0xFFFF;

template <typename Unsigned>
Unsigned LoadLittleEndian(const unsigned char* bytes) {
  Unsigned value = 0;
  for (std::size_t i = 0; i < sizeof(Unsigned); ++i) {
    value |= static_cast<Unsigned>(static_cast<Unsigned>(bytes[i]) << (8 * i));
  }
  return value;
}

template <typename Unsigned>
void StoreLittleEndian(Unsigned value, unsigned char* bytes) {
  for (std::size_t i = 0; i < sizeof(Unsigned); ++i) {
    bytes[i] = static_cast<unsigned char>(value >> (8 * i));
  }
}

}  // namespace

// ---------------------------------------------------------------- reading

ArchiveReader::ArchiveReader(std::string_view bytes) : view_(bytes) {}

ArchiveReader::ArchiveReader(std::FILE* file) : file_(file), buffer_(kFileBufferBytes) {}

bool ArchiveReader::Fill() {
  if (!view_.empty()) return true;
  if (file_ == nullptr || readError_ != 0) return false;
  const std::size_t got = std::fread(buffer_.data(), 1, buffer_.size(), file_);
  view_ = std::string_view(buffer_.data(), got);
  if (got == 0 && std::ferror(file_)) {
    readError_ = errno != 0 ? errno : EIO;
    failed_ = true;
  }
  return got > 0;
}

bool ArchiveReader::Take(void* out, std::size_t count) {
  if (failed_) return false;
  if (view_.size() >= count) {  // the usual case: the field lies in the buffer
    std::memcpy(out, view_.data(), count);
    view_.remove_prefix(count);
    position_ += count;
    return true;
  }
  auto* target = static_cast<char*>(out);
  while (count > 0) {
    if (!Fill()) {
      failed_ = true;
      return false;
    }
    const std::size_t n = std::min(count, view_.size());
    std::memcpy(target, view_.data(), n);
    view_.remove_prefix(n);
    position_ += n;
    target += n;
    count -= n;
  }
  return true;
}

bool ArchiveReader::ReadU8(std::uint8_t& value) {
  unsigned char b[1];
  if (!Take(b, 1)) return false;
  value = b[0];
  return true;
}

bool ArchiveReader::ReadI8(std::int8_t& value) {
  std::uint8_t u = 0;
  if (!ReadU8(u)) return false;
  value = static_cast<std::int8_t>(u);
  return true;
}

bool ArchiveReader::ReadU16(std::uint16_t& value) {
  unsigned char b[2];
  if (!Take(b, 2)) return false;
  value = LoadLittleEndian<std::uint16_t>(b);
  return true;
}

bool ArchiveReader::ReadI16(std::int16_t& value) {
  std::uint16_t u = 0;
  if (!ReadU16(u)) return false;
  value = static_cast<std::int16_t>(u);
  return true;
}

bool ArchiveReader::ReadU32(std::uint32_t& value) {
  unsigned char b[4];
  if (!Take(b, 4)) return false;
  value = LoadLittleEndian<std::uint32_t>(b);
  return true;
}

bool ArchiveReader::ReadI32(std::int32_t& value) {
  std::uint32_t u = 0;
  if (!ReadU32(u)) return false;
  value = static_cast<std::int32_t>(u);
  return true;
}

bool ArchiveReader::ReadF32(float& value) {
  std::uint32_t u = 0;
  if (!ReadU32(u)) return false;
  value = std::bit_cast<float>(u);
  return true;
}

bool ArchiveReader::ReadF64(double& value) {
  unsigned char b[8];
  if (!Take(b, 8)) return false;
  value = std::bit_cast<double>(LoadLittleEndian<std::uint64_t>(b));
  return true;
}

bool ArchiveReader::ReadBytes(void* out, std::size_t count) { return Take(out, count); }

std::size_t ArchiveReader::ReadUpTo(void* out, std::size_t count) {
  if (failed_) return 0;
  auto* target = static_cast<char*>(out);
  std::size_t done = 0;
  while (done < count && Fill()) {
    const std::size_t n = std::min(count - done, view_.size());
    std::memcpy(target + done, view_.data(), n);
    view_.remove_prefix(n);
    position_ += n;
    done += n;
  }
  return done;
}

bool ArchiveReader::AtEnd() { return failed_ || !Fill(); }

bool ArchiveReader::ReadCString(std::string& text) {
  if (AtEnd()) {
    failed_ = true;
    return false;
  }
  // At least one byte is there, so the call succeeds from here on.
  text.clear();
  while (Fill()) {
    const void* zero = std::memchr(view_.data(), 0, view_.size());
    const std::size_t length =
        zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - view_.data())
             : view_.size();
    const std::size_t room = kMaxTextBytes - std::min(kMaxTextBytes, text.size());
    text.append(view_.data(), std::min(length, room));
    const std::size_t used = zero ? length + 1 : length;
    view_.remove_prefix(used);
    position_ += used;
    if (zero) break;
  }
  return true;
}

// Reads `length` bytes of which the first kMaxTextBytes are kept. The text is
// only replaced when every byte was there.
bool ArchiveReader::ReadText8(std::uint64_t length, std::string& text) {
  if (failed_) return false;
  if (view_.size() >= length && length <= kMaxTextBytes) {  // the usual case
    text.assign(view_.data(), static_cast<std::size_t>(length));
    view_.remove_prefix(static_cast<std::size_t>(length));
    position_ += length;
    return true;
  }
  if (file_ == nullptr && view_.size() < length) {  // a damaged length: fail before allocating
    position_ += view_.size();
    view_ = {};
    failed_ = true;
    return false;
  }
  std::string kept;
  kept.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(length, kMaxTextBytes)));
  while (length > 0) {
    if (!Fill()) {
      failed_ = true;
      return false;
    }
    const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(length, view_.size()));
    const std::size_t room = kMaxTextBytes - kept.size();
    kept.append(view_.data(), std::min(n, room));
    view_.remove_prefix(n);
    position_ += n;
    length -= n;
  }
  text = std::move(kept);
  return true;
}

// Reads `length` little-endian 16-bit characters and converts them, a chunk at
// a time so that only the kept text is held.
bool ArchiveReader::ReadText16(std::uint64_t length, std::string& text) {
  std::string kept;
  std::array<char16_t, 1024> units;
  std::size_t count = 0;
  while (length > 0) {
    std::uint16_t unit = 0;
    if (!ReadU16(unit)) return false;
    --length;
    units[count++] = static_cast<char16_t>(unit);
    if (count < units.size() && length > 0) continue;
    // A high surrogate at the end of a chunk waits for its partner.
    const bool holdLast = length > 0 && units[count - 1] >= 0xD800 && units[count - 1] <= 0xDBFF;
    const std::size_t convert = holdLast ? count - 1 : count;
    const std::string part = Utf16ToCp1252(std::u16string_view(units.data(), convert));
    kept.append(part, 0, std::min(part.size(), kMaxTextBytes - kept.size()));
    units[0] = units[count - 1];
    count -= convert;
  }
  text = std::move(kept);
  return true;
}

bool ArchiveReader::ReadCountLength(std::uint64_t& length, bool& wide) {
  std::uint8_t shortLength = 0;
  if (!ReadU8(shortLength)) return false;
  if (shortLength < 0xFF) {
    length = shortLength;
    return true;
  }
  std::uint16_t mediumLength = 0;
  if (!ReadU16(mediumLength)) return false;
  if (mediumLength == kWideMarker) {
    if (wide) {  // a second marker: the file is damaged
      failed_ = true;
      return false;
    }
    wide = true;
    return ReadCountLength(length, wide);
  }
  if (mediumLength < kWideMarker) {
    length = mediumLength;
    return true;
  }
  std::uint32_t longLength = 0;
  if (!ReadU32(longLength)) return false;
  length = longLength;
  return true;
}

bool ArchiveReader::ReadCountedText(std::string& text) {
  std::uint64_t length = 0;
  bool wide = false;
  if (!ReadCountLength(length, wide)) return false;
  return wide ? ReadText16(length, text) : ReadText8(length, text);
}

// ---------------------------------------------------------------- writing

ArchiveWriter::ArchiveWriter(std::FILE* sink) : sink_(sink) { buffer_.reserve(kSinkFlushBytes); }

void ArchiveWriter::NoteFailure() {
  ok_ = false;
  writeError_ = errno != 0 ? errno : EIO;
}

ArchiveWriter::~ArchiveWriter() {
  if (sink_) Flush();
}

void ArchiveWriter::Append(const void* data, std::size_t count) {
  buffer_.append(static_cast<const char*>(data), count);
  if (sink_ && buffer_.size() >= kSinkFlushBytes) {
    if (ok_ && std::fwrite(buffer_.data(), 1, buffer_.size(), sink_) != buffer_.size()) {
      NoteFailure();
    }
    written_ += buffer_.size();
    buffer_.clear();
  }
}

bool ArchiveWriter::Flush() {
  if (sink_ == nullptr) return ok_;
  if (ok_ && !buffer_.empty() &&
      std::fwrite(buffer_.data(), 1, buffer_.size(), sink_) != buffer_.size()) {
    NoteFailure();
  }
  written_ += buffer_.size();
  buffer_.clear();
  if (ok_ && std::fflush(sink_) != 0) NoteFailure();
  return ok_;
}

void ArchiveWriter::WriteU8(std::uint8_t value) { Append(&value, 1); }

void ArchiveWriter::WriteI8(std::int8_t value) { WriteU8(static_cast<std::uint8_t>(value)); }

void ArchiveWriter::WriteU16(std::uint16_t value) {
  unsigned char b[2];
  StoreLittleEndian(value, b);
  Append(b, sizeof b);
}

void ArchiveWriter::WriteI16(std::int16_t value) { WriteU16(static_cast<std::uint16_t>(value)); }

void ArchiveWriter::WriteU32(std::uint32_t value) {
  unsigned char b[4];
  StoreLittleEndian(value, b);
  Append(b, sizeof b);
}

void ArchiveWriter::WriteI32(std::int32_t value) { WriteU32(static_cast<std::uint32_t>(value)); }

void ArchiveWriter::WriteF32(float value) { WriteU32(std::bit_cast<std::uint32_t>(value)); }

void ArchiveWriter::WriteF64(double value) {
  unsigned char b[8];
  StoreLittleEndian(std::bit_cast<std::uint64_t>(value), b);
  Append(b, sizeof b);
}

void ArchiveWriter::WriteBytes(const void* data, std::size_t count) { Append(data, count); }

void ArchiveWriter::WriteZeros(std::size_t count) {
  static constexpr char kZeros[256] = {};
  while (count > 0) {
    const std::size_t n = std::min(count, sizeof kZeros);
    Append(kZeros, n);
    count -= n;
  }
}

void ArchiveWriter::WriteCString(std::string_view text) {
  // A zero byte inside the text would end it early on reading and leave the
  // rest to be read as the next fields; the text ends there instead.
  text = text.substr(0, text.find('\0'));
  Append(text.data(), text.size());
  WriteU8(0);
}

void ArchiveWriter::WriteCountedText(std::string_view text) {
  // A text beyond the 32-bit length cannot be counted; it is cut there.
  const std::uint64_t length = std::min<std::uint64_t>(text.size(), 0xFFFFFFFFu);
  if (length < 0xFF) {
    WriteU8(static_cast<std::uint8_t>(length));
  } else if (length < kWideMarker) {
    WriteU8(0xFF);
    WriteU16(static_cast<std::uint16_t>(length));
  } else {
    WriteU8(0xFF);
    WriteU16(kLongMarker);
    WriteU32(static_cast<std::uint32_t>(length));
  }
  Append(text.data(), static_cast<std::size_t>(length));
}

}  // namespace kestrel
