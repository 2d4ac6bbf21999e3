#pragma once
// MD5 message digest (RFC 1321) and the digest text of the salted password
// form: 32 upper-case hexadecimal digits of the ANSI bytes of a text.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vantrel::storage {

using Md5Digest = std::array<std::uint8_t, 16>;

// Incremental MD5: Update any number of times, then Finish once.
class Md5 {
 public:
  Md5();
  void Update(std::string_view bytes);
  Md5Digest Finish();

 private:
  void Transform(const std::uint8_t* block);

  std::array<std::uint32_t, 4> state_;
  std::array<std::uint8_t, 64> buffer_{};
  std::uint64_t length_ = 0;  // bytes seen so far
};

// Digest of a whole byte string.
Md5Digest Md5Of(std::string_view bytes);

// The 16 bytes in order, two upper-case hexadecimal digits each.
std::string HexUpper(const Md5Digest& digest);

// Digest text of `text` converted to the system ANSI code page (characters the
// code page cannot hold count as '?').
std::u16string MD5Hex(std::u16string_view text);

}  // namespace vantrel::storage
