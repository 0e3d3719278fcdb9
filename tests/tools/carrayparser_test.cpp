// The C array reader behind c2bin.
#include "carrayparser.h"

#include <gtest/gtest.h>

#include <string>

namespace tovix::c2bin {
namespace {

TEST(CArrayParser, ReadsTheArrayMklogoWrites) {
  const std::string src =
      "/* One MPEG-2 still picture. */\n"
      "const unsigned char e2logo[5] = {\n"
      "  0x00, 0x00, 0x01, 0xb3,\n"
      "  0xFF\n"
      "};\n";
  EXPECT_EQ(ParseCArray(src), std::string("\x00\x00\x01\xB3\xFF", 5));
}

TEST(CArrayParser, NumberFormsCommentsAndTrailingComma) {
  EXPECT_EQ(ParseCArray("x[] = { 10, 0x0a, 012, 0, 255u, // note\n 7 /* { 9 } */ , };"),
            std::string("\x0a\x0a\x0a\x00\xff\x07", 6));
  // A brace inside a comment before the array is not the array.
  EXPECT_EQ(ParseCArray("/* { 1, 2 } */ unsigned char a[1] = {3};"), "\x03");
  EXPECT_EQ(ParseCArray("int n = 4; unsigned char a[] = {4};"), "\x04");
}

TEST(CArrayParser, MalformedSourcesAreRefused) {
  const char* bad[] = {
      "",                                // nothing at all
      "unsigned char a[2];",             // no initialiser
      "unsigned char a[] = { 1, 2",      // not closed
      "unsigned char a[] = { 1 2 };",    // missing comma
      "unsigned char a[] = { 256 };",    // not a byte
      "unsigned char a[] = { 0x1FF };",  // not a byte
      "unsigned char a[] = { 99999999999999999999 };",
      "unsigned char a[] = { -1 };",      // negative
      "unsigned char a[] = { 0x };",      // no digits
      "unsigned char a[] = { 09 };",      // bad octal
      "unsigned char a[] = { 12ab };",    // junk after a number
      "unsigned char a[] = { 'a' };",     // not a number
      "unsigned char a[] = { };",         // empty
      "unsigned char a[] = { 1, , 2 };",  // empty element
      "unsigned char a[3] = { 1, 2 };",   // fewer than declared
      "unsigned char a[1] = { 1, 2 };",   // more than declared
      "unsigned char a[N] = { 1 };",      // size not a number
      "unsigned char a[] = { 1, /* open comment",
  };
  for (const char* src : bad) EXPECT_THROW(ParseCArray(src), ParseError) << src;
}

TEST(CArrayParser, ErrorNamesTheLine) {
  try {
    ParseCArray("unsigned char a[] = {\n 1,\n 2,\n 300\n};");
    FAIL() << "accepted";
  } catch (const ParseError& e) {
    EXPECT_NE(std::string(e.what()).find("line 4"), std::string::npos) << e.what();
  }
}

}  // namespace
}  // namespace tovix::c2bin
