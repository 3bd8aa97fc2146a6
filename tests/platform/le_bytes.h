#pragma once
// Little-endian bytes written by hand, field by field, as the files and the
// link frames lay them out.
#include <bit>
#include <cstdint>
#include <string>

namespace kestrel::testing {

struct LeBytes {
  std::string s;
  LeBytes& Le(std::uint64_t v, int n) {
    for (int i = 0; i < n; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
    return *this;
  }
  LeBytes& F32(float v) { return Le(std::bit_cast<std::uint32_t>(v), 4); }
  LeBytes& F64(double v) { return Le(std::bit_cast<std::uint64_t>(v), 8); }
  LeBytes& Raw(const std::string& t) {
    s += t;
    return *this;
  }
  LeBytes& Text(const std::string& t) { return Raw(t + '\0'); }  // ended by a zero byte
};

// A link frame's header: its code, then its payload's length.
inline std::string FrameHeader(std::uint32_t code, std::uint32_t length) {
  return LeBytes().Le(code, 4).Le(length, 4).s;
}

}  // namespace kestrel::testing
