#include "platform/system/Ascii.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace {

using namespace platform;

TEST(AsciiTest, OnlyTheTwentySixLettersChangeCase) {
  // The neighbours of each letter range stay as they are.
  EXPECT_EQ(AsciiLower("@AZ[`az{"), "@az[`az{");
  EXPECT_EQ(AsciiUpper("@AZ[`az{"), "@AZ[`AZ{");
  EXPECT_EQ(AsciiLower("Mixed_Case 09"), "mixed_case 09");
  EXPECT_EQ(AsciiLower(""), "");
  EXPECT_TRUE(IsAsciiLetter('a'));
  EXPECT_TRUE(IsAsciiLetter('Z'));
  for (char c : std::string_view("@[`{_0 \xC4")) EXPECT_FALSE(IsAsciiLetter(c)) << static_cast<int>(c);
}

TEST(AsciiTest, BytesBeyondAsciiStayWhateverTheLocale) {
  // A Latin-1 locale, where one is installed, would fold 0xC4 and 0xE4 with std::toupper.
  const char* saved = std::setlocale(LC_CTYPE, nullptr);
  const std::string before = saved ? saved : "C";
  std::setlocale(LC_CTYPE, "de_DE.ISO-8859-1");
  const std::string utf8 = "\xC3\xA4\xC3\x84";  // ä Ä
  EXPECT_EQ(AsciiUpper(utf8), utf8);
  EXPECT_EQ(AsciiLower("\xC4\xE4"), "\xC4\xE4");
  std::setlocale(LC_CTYPE, before.c_str());
}

TEST(AsciiTest, NamesCompareWithoutCaseButByLength) {
  EXPECT_TRUE(EqualsNoCase("CDAudio", "cdaudio"));
  EXPECT_TRUE(EqualsNoCase("", ""));
  EXPECT_FALSE(EqualsNoCase("cdaudio", "cdaudio "));
  EXPECT_FALSE(EqualsNoCase("[", "{"));  // 0x5B and 0x7B differ by the case bit only
  EXPECT_FALSE(EqualsNoCase("\xC4", "\xE4"));
  static_assert(EqualsNoCase("Key", "KEY"));
}

}  // namespace
