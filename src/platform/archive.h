#pragma once
// The little-endian archive through which every binary file is read and
// written, field by field (never by copying structs).
//
// Reading is bounds-checked: a read past the end of the data fails, leaves the
// target untouched, and every later read fails too, so a truncated or damaged
// file ends reading cleanly. Texts are bounded (kMaxTextBytes) so that a file
// without the expected terminators cannot make the reader allocate without
// bound.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

class ArchiveReader {
 public:
  // Longest text kept from a file; the rest of a longer text is read and
  // dropped. Field-book texts are a few dozen characters.
  static constexpr std::size_t kMaxTextBytes = 64 * 1024;

  // Reads from bytes the caller keeps alive for the reader's lifetime.
  explicit ArchiveReader(std::string_view bytes);
  // Reads from an open file through a buffer; the caller keeps the file open
  // and closes it.
  explicit ArchiveReader(std::FILE* file);

  ArchiveReader(const ArchiveReader&) = delete;
  ArchiveReader& operator=(const ArchiveReader&) = delete;

  bool ReadU8(std::uint8_t& value);
  bool ReadI8(std::int8_t& value);
  bool ReadU16(std::uint16_t& value);
  bool ReadI16(std::int16_t& value);
  bool ReadU32(std::uint32_t& value);
  bool ReadI32(std::int32_t& value);
  bool ReadF32(float& value);
  bool ReadF64(double& value);
  // Exactly `count` bytes, or fails (and then `out` is unspecified).
  bool ReadBytes(void* out, std::size_t count);
  // Reads as many of `count` bytes as there are; returns how many.
  std::size_t ReadUpTo(void* out, std::size_t count);

  // A text up to and including its terminating zero byte. When the data ends
  // inside the text, the text read so far is returned, the call succeeds when
  // at least one byte was read, and the reader is then at its end.
  bool ReadCString(std::string& text);

  // A counted text: a length byte below 0xFF; or 0xFF and a 16-bit length
  // below 0xFFFE; or 0xFF, 0xFFFF and a 32-bit length; then the characters.
  // 0xFF followed by 0xFFFE announces 16-bit characters (a length in the
  // following counted form), converted to Windows-1252.
  bool ReadCountedText(std::string& text);

  // True when no further byte can be read.
  bool AtEnd();
  // True once any read has failed.
  bool Failed() const { return failed_; }
  // The errno of a read from the file that failed (an input error rather than
  // the end of the file), else 0. Data that could not be read is not the end
  // of the data: a caller that reads "to the end" checks this afterwards.
  int ReadError() const { return readError_; }
  // Bytes consumed so far.
  std::uint64_t Position() const { return position_; }

 private:
  bool Fill();
  bool Take(void* out, std::size_t count);
  bool ReadCountLength(std::uint64_t& length, bool& wide);
  bool ReadText8(std::uint64_t length, std::string& text);
  bool ReadText16(std::uint64_t length, std::string& text);

  std::FILE* file_ = nullptr;
  std::vector<char> buffer_;
  std::string_view view_;  // the unread part of the current buffer
  std::uint64_t position_ = 0;
  bool failed_ = false;
  int readError_ = 0;
};

// Writes fields into memory; the caller then stores the bytes (see
// file_access.h). When a sink file is given, full buffers are written to it as
// they fill so that large sheets are not held twice in memory.
class ArchiveWriter {
 public:
  ArchiveWriter() = default;
  explicit ArchiveWriter(std::FILE* sink);
  ~ArchiveWriter();

  ArchiveWriter(const ArchiveWriter&) = delete;
  ArchiveWriter& operator=(const ArchiveWriter&) = delete;

  void WriteU8(std::uint8_t value);
  void WriteI8(std::int8_t value);
  void WriteU16(std::uint16_t value);
  void WriteI16(std::int16_t value);
  void WriteU32(std::uint32_t value);
  void WriteI32(std::int32_t value);
  void WriteF32(float value);
  void WriteF64(double value);
  void WriteBytes(const void* data, std::size_t count);
  void WriteZeros(std::size_t count);
  // The text's bytes, then one zero byte.
  void WriteCString(std::string_view text);
  // The counted form described at ArchiveReader::ReadCountedText (8-bit
  // characters only).
  void WriteCountedText(std::string_view text);

  // Writes any buffered bytes to the sink; false when a write failed.
  bool Flush();
  // False once a write to the sink has failed.
  bool Ok() const { return ok_; }
  // The errno of the first failed write to the sink, else 0.
  int WriteError() const { return writeError_; }
  // Without a sink: every byte written so far.
  const std::string& Bytes() const { return buffer_; }
  std::uint64_t Size() const { return written_ + buffer_.size(); }

 private:
  void Append(const void* data, std::size_t count);
  void NoteFailure();

  std::FILE* sink_ = nullptr;
  std::string buffer_;
  std::uint64_t written_ = 0;
  bool ok_ = true;
  int writeError_ = 0;
};

}  // namespace kestrel
