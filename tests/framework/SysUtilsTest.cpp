#include "framework/SysUtils.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "framework/Exceptions.h"

namespace {

struct FormatCase {
  const char* format;
  std::initializer_list<long long> args;
  const char* expected;
};

TEST(FormatTest, WritesIntegersAsAsked) {
  const FormatCase cases[] = {
      // The time display: precision pads to two digits but never cuts a longer number.
      {"%.2d:%.2d", {3, 7}, "03:07"},
      {"%.2d:%.2d", {0, 0}, "00:00"},
      {"%.2d:%.2d", {100, 5}, "100:05"},
      {"%.2d", {-5}, "-05"},
      {"%d", {-2147483648LL}, "-2147483648"},
      {"[%5d]", {42}, "[   42]"},
      {"[%-5d]", {42}, "[42   ]"},
      {"[%-5d]", {-42}, "[-42  ]"},
      {"[%05d]", {42}, "[00042]"},
      {"[%05d]", {-42}, "[-0042]"},
      {"[%-05d]", {42}, "[42   ]"},
      {"[%5.3d]", {7}, "[  007]"},
      {"[%2d]", {12345}, "[12345]"},
      {"100%%", {}, "100%"},
      {"Track %d of %d", {2, 12}, "Track 2 of 12"},
      {"no conversions", {}, "no conversions"},
      {"%x", {255}, "ff"},
      {"%X", {48879}, "BEEF"},
      {"%08X", {48879}, "0000BEEF"},
      // Unsigned conversions show the 32-bit pattern of a negative value.
      {"%X", {-1}, "FFFFFFFF"},
      {"%u", {-1}, "4294967295"},
      {"%u", {7}, "7"},
      // Surplus arguments are not an error; they are simply not shown.
      {"%d", {1, 2}, "1"},
  };
  for (const auto& c : cases) EXPECT_EQ(Format(c.format, c.args), c.expected) << c.format;
}

TEST(FormatTest, RejectsWhatItCannotFormatSafely) {
  // Each of these would make a printf-style formatter read an argument that is not there,
  // or of the wrong type, or build an enormous text.
  const struct {
    const char* format;
    std::initializer_list<long long> args;
  } cases[] = {
      {"%s", {1}},     {"%f", {1}},      {"%n", {1}},       {"%p", {1}},  {"%", {1}},
      {"abc%", {1}},   {"%5", {1}},      {"%.", {1}},       {"%ld", {1}}, {"%-%", {1}},
      {"%*d", {5, 1}}, {"%99999d", {1}}, {"%.99999d", {1}}, {"%d", {}},   {"%.2d:%.2d:%.2d", {1, 2}},
  };
  for (const auto& c : cases) EXPECT_THROW(Format(c.format, c.args), EConvertError) << c.format;
}

TEST(StrToIntTest, ReadsDecimalAndHexadecimal) {
  const struct {
    const char* text;
    int expected;
  } cases[] = {
      {"0", 0},
      {"42", 42},
      {"+42", 42},
      {"-42", -42},
      {"  17", 17},
      {"\t-3", -3},
      {"$64", 100},
      {"0x64", 100},
      {"0X64", 100},
      {"$ff", 255},
      {"-$10", -16},
      {"$FFFFFFFF", -1},
      {"$80000000", -2147483647 - 1},
      {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StrToInt(c.text), c.expected) << c.text;
    EXPECT_EQ(StrToIntDef(c.text, 99), c.expected) << c.text;
    int v = 0;
    EXPECT_TRUE(TryStrToInt(c.text, v)) << c.text;
    EXPECT_EQ(v, c.expected) << c.text;
  }
}

TEST(StrToIntTest, RejectsWhatIsNotAThirtyTwoBitInteger) {
  for (const char* text : {"", " ", "+", "-", "$", "0x", "12a", "1 2", "12 ", "- 5", "1.5", "2147483648", "-2147483649",
                           "4294967296", "$100000000", "0xG"}) {
    try {
      StrToInt(text);
      ADD_FAILURE() << "no error for '" << text << "'";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), "'" + std::string(text) + "' は整数ではありません");
    }
    EXPECT_EQ(StrToIntDef(text, -7), -7) << text;
    // A failed conversion leaves the caller's variable as it was.
    int v = 123;
    EXPECT_FALSE(TryStrToInt(text, v)) << text;
    EXPECT_EQ(v, 123) << text;
  }
}

TEST(IntToStrTest, WritesDecimal) {
  EXPECT_EQ(IntToStr(0), "0");
  EXPECT_EQ(IntToStr(-2147483648LL), "-2147483648");
  EXPECT_EQ(StrToInt(IntToStr(2147483647)), 2147483647);
}

}  // namespace
