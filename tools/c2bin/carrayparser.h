#pragma once
// Reads the bytes of the first array initialiser in a C source file.
#include <stdexcept>
#include <string>
#include <string_view>

namespace tovix::c2bin {

// A source that holds no well-formed byte array; what() names the line.
class ParseError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The values of the first brace initialiser ("{ 0x00, 1, 0377, ... }"),
// each a decimal, hexadecimal or octal integer from 0 to 255, comments
// allowed, a trailing comma allowed. When the declaration before the brace
// gives a size ("[1234]"), the count must match it. Throws ParseError.
std::string ParseCArray(std::string_view source);

}  // namespace tovix::c2bin
