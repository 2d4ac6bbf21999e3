// Directed cases for code page 932 (Shift-JIS): trail bytes that look like
// syntax, full-width letters, the ideographic space, cuts inside characters.
#include "compare.hpp"

namespace compare {
namespace {

// 83 5D (trail ']'), 83 5B (trail '['), 83 5C (trail '\'), 95 5C, 82 60 (full-width A),
// 82 81 (full-width a), 81 40 (ideographic space), 81 81 (full-width '='), 83 41 (katakana A).
const std::string kFile =
    "[\x83\x5D]\r\n"
    "\x83\x41=\x83\x5B\x83\x5D\r\n"
    "k=a\x83\x41\x83\x41\r\n"
    "sp=\x81\x40v\x81\x40\r\n"
    "a\x81\x81z\r\n"
    "[\x82\x60]\r\n"
    "x=1\r\n"
    "[\x95\x5C]\r\n"
    "\x83\x5C\x83\x5C=\x83\x5C\r\n";

}  // namespace

std::vector<Case> DoubleByteCases() {
  std::vector<Case> cases;
  cases.push_back(Make("trail bytes are not syntax", kFile,
                       {Get(std::nullopt, std::nullopt), Get("\x83\x5D", std::nullopt), Get("\x83\x5D", "\x83\x41"),
                        Get("\x83\x5D", "k"), Get("\x83\x5D", "sp"), Get("\x83\x5D", "a\x81\x81z"),
                        GetSec("\x83\x5D"), Get("\x95\x5C", "\x83\x5C\x83\x5C")}));
  cases.push_back(Make("full-width letters match exactly", kFile,
                       {Get("\x82\x60", "x"), Get("\x82\x81", "x"), Get("\x82\x60", "X")}));
  cases.push_back(Make("writes with double-byte names", kFile,
                       {Put("\x83\x5D", "\x83\x41", "\x83\x5C"), Put("\x83\x5D", "new\x83\x5D", "\x83\x5B"),
                        Put("\x95\x5C\x95\x5C", "\x83\x5C", "v"), Get("\x95\x5C\x95\x5C", "\x83\x5C"),
                        Put("\x82\x60", "x", std::nullopt), PutSec("\x95\x5C", "\x83\x41=\x83\x5D"),
                        Get(std::nullopt, std::nullopt)}));
  cases.push_back(Make("cuts that end on whole characters", kFile,
                       {Get("\x83\x5D", "k", "d", 2), Get("\x83\x5D", "k", "d", 4), Get("\x83\x5D", "k", "d", 6)}));
  // Wine leaves the byte of a split character unwritten but counts it; the
  // engine ends the text after the last whole character.
  cases.push_back(Make("cuts inside a character", kFile,
                       {Known(Get("\x83\x5D", "k", "d", 3), "a cut never splits a character", "a"),
                        Known(Get("\x83\x5D", "k", "d", 5), "a cut never splits a character", "a\x83\x41"),
                        Known(Get("\x83\x5D", "\x83\x41", "d", 4), "a cut never splits a character", "\x83\x5B")}));
  // kernel32 cuts double-byte lists by characters and may drop the list's last NUL;
  // the engine cuts by bytes at whole characters and always ends the list.
  cases.push_back(Make("list cuts inside a character", kFile,
                       {Known(Get(std::nullopt, std::nullopt, "", 6), "lists are cut by bytes at whole characters",
                              "\x83\x5D")}));
  return cases;
}

}  // namespace compare
