// The CUE reader over sheets written here in the dialects that ripping programs produce, and
// over sheets that describe no disc.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/mci/CueSheet.h"
#include "platform/system/Ascii.h"

namespace {

using platform::cd::CueFileType;
using platform::cd::CueSheet;
using platform::cd::DiscImageError;
using platform::cd::FromMsf;

// The same three-track disc, written plainly.
const std::string kPlain =
    "PERFORMER \"The Band\"\n"
    "TITLE \"Album\"\n"
    "FILE \"disc.bin\" BINARY\n"
    "  TRACK 01 AUDIO\n"
    "    TITLE \"One\"\n"
    "    INDEX 01 00:00:00\n"
    "  TRACK 02 AUDIO\n"
    "    TITLE \"Two\"\n"
    "    PERFORMER \"Guest\"\n"
    "    INDEX 00 03:58:10\n"
    "    INDEX 01 04:00:00\n"
    "  TRACK 03 AUDIO\n"
    "    INDEX 01 07:30:74\n";

void ExpectPlainDisc(const CueSheet& s, const std::string& fileName = "disc.bin") {
  EXPECT_EQ(s.title, "Album");
  EXPECT_EQ(s.performer, "The Band");
  ASSERT_EQ(s.files.size(), 1u);
  EXPECT_EQ(s.files[0].name, fileName);
  EXPECT_EQ(s.files[0].type, CueFileType::Binary);
  ASSERT_EQ(s.tracks.size(), 3u);
  EXPECT_EQ(s.tracks[0].title, "One");
  EXPECT_EQ(s.tracks[1].title, "Two");
  EXPECT_EQ(s.tracks[1].performer, "Guest");
  EXPECT_EQ(s.tracks[2].title, "");
  EXPECT_EQ(s.tracks[0].Start().at, 0u);
  ASSERT_EQ(s.tracks[1].indexes.size(), 2u);
  EXPECT_EQ(s.tracks[1].First().number, 0);
  EXPECT_EQ(s.tracks[1].First().at, FromMsf(3, 58, 10));
  EXPECT_EQ(s.tracks[1].Start().at, FromMsf(4, 0, 0));
  EXPECT_EQ(s.tracks[2].Start().at, FromMsf(7, 30, 74));
  for (const auto& t : s.tracks) EXPECT_TRUE(t.audio);
  EXPECT_TRUE(s.warnings.empty());
  EXPECT_FALSE(s.latin1);
}

std::string Replace(std::string s, const std::string& from, const std::string& to) {
  for (std::size_t at = 0; (at = s.find(from, at)) != std::string::npos; at += to.size())
    s.replace(at, from.size(), to);
  return s;
}

std::string Lower(std::string s) {
  // Keywords only: the quoted texts keep their case.
  for (const char* k : {"PERFORMER", "TITLE", "FILE", "TRACK", "AUDIO", "INDEX", "BINARY"}) {
    const std::string lower = platform::AsciiLower(k);
    s = Replace(s, std::string(k) + " ", lower + " ");
    s = Replace(s, std::string(" ") + k + "\n", " " + lower + "\n");
  }
  return s;
}

TEST(CueSheetTest, ReadsThePlainSheet) { ExpectPlainDisc(CueSheet::Parse(kPlain, "plain.cue")); }

TEST(CueSheetTest, ReadsTheSameDiscInEveryDialect) {
  struct Dialect {
    const char* name;
    std::string text;
  };
  const std::vector<Dialect> dialects = {
      {"lower-case keywords", Lower(kPlain)},
      {"mixed case", Replace(Replace(kPlain, "TRACK", "Track"), "INDEX", "iNdEx")},
      {"CR LF", Replace(kPlain, "\n", "\r\n")},
      {"lone CR", Replace(kPlain, "\n", "\r")},
      {"byte-order mark", "\xEF\xBB\xBF" + Replace(kPlain, "\n", "\r\n")},
      {"tabs and blank lines", Replace(Replace(kPlain, "  ", "\t"), "\n", "\n\n \t\n")},
      {"no final line end", kPlain.substr(0, kPlain.size() - 1)},
      {"bare texts", Replace(Replace(kPlain, "\"The Band\"", "The Band"), "\"One\"", "One")},
      {"bare file name", Replace(kPlain, "\"disc.bin\"", "disc.bin")},
      {"comments and other commands",
       "REM GENRE Rock\nREM DATE 1999\nCATALOG 0000000000000\nCDTEXTFILE \"x.cdt\"\n" +
           Replace(Replace(kPlain, "    TITLE \"One\"\n", "    TITLE \"One\"\n    FLAGS DCP\n    ISRC ABCDE9900001\n"),
                   "    PERFORMER \"Guest\"\n", "    PERFORMER \"Guest\"\n    SONGWRITER \"Someone\"\n")},
  };
  for (const auto& d : dialects) {
    SCOPED_TRACE(d.name);
    try {
      ExpectPlainDisc(CueSheet::Parse(d.text, "dialect.cue"));
    } catch (const DiscImageError& e) {
      ADD_FAILURE() << e.what();
    }
  }
}

TEST(CueSheetTest, NamesWithSpacesQuotedOrBare) {
  ExpectPlainDisc(CueSheet::Parse(Replace(kPlain, "\"disc.bin\"", "\"My Disc (1999).bin\""), "q.cue"),
                  "My Disc (1999).bin");
  ExpectPlainDisc(CueSheet::Parse(Replace(kPlain, "\"disc.bin\"", "My Disc (1999).bin"), "b.cue"),
                  "My Disc (1999).bin");
  // Spaces between the name and the type do not belong to the name.
  ExpectPlainDisc(CueSheet::Parse(Replace(kPlain, "\"disc.bin\" BINARY", "\"disc.bin\"\t  binary  "), "t.cue"));
}

TEST(CueSheetTest, FileTypes) {
  for (const auto& [word, type] : std::vector<std::pair<std::string, CueFileType>>{{"BINARY", CueFileType::Binary},
                                                                                   {"binary", CueFileType::Binary},
                                                                                   {"MOTOROLA", CueFileType::Motorola},
                                                                                   {"Motorola", CueFileType::Motorola},
                                                                                   {"WAVE", CueFileType::Wave},
                                                                                   {"wave", CueFileType::Wave}}) {
    const auto s = CueSheet::Parse("FILE \"a\" " + word + "\nTRACK 1 AUDIO\nINDEX 1 0:0:0\n", "t.cue");
    EXPECT_EQ(s.files.at(0).type, type) << word;
  }
}

TEST(CueSheetTest, SeveralFilesEachWithItsOwnPositions) {
  // The layout of rippers that give each track a file and leave the gap at the end of the
  // previous one: track 2's INDEX 00 lies in the first file, its INDEX 01 in the second.
  const auto s = CueSheet::Parse(
      "FILE \"01.wav\" WAVE\n"
      "  TRACK 01 AUDIO\n"
      "    INDEX 01 00:00:00\n"
      "  TRACK 02 AUDIO\n"
      "    INDEX 00 03:10:00\n"
      "FILE \"02.wav\" WAVE\n"
      "    INDEX 01 00:00:00\n"
      "FILE \"03.bin\" MOTOROLA\n"
      "  TRACK 03 AUDIO\n"
      "    PREGAP 00:02:00\n"
      "    INDEX 01 00:00:00\n"
      "    INDEX 02 00:30:00\n"
      "    POSTGAP 00:01:37\n",
      "eac.cue");
  ASSERT_EQ(s.files.size(), 3u);
  ASSERT_EQ(s.tracks.size(), 3u);
  EXPECT_EQ(s.tracks[1].First().file, 0u);
  EXPECT_EQ(s.tracks[1].First().at, FromMsf(3, 10, 0));
  EXPECT_EQ(s.tracks[1].Start().file, 1u);
  EXPECT_EQ(s.tracks[1].Start().at, 0u);
  EXPECT_EQ(s.tracks[2].Start().file, 2u);
  EXPECT_EQ(s.tracks[2].pregap, FromMsf(0, 2, 0));
  EXPECT_EQ(s.tracks[2].postgap, FromMsf(0, 1, 37));
  EXPECT_EQ(s.tracks[2].indexes.size(), 2u);
  EXPECT_EQ(s.tracks[0].pregap, 0u);
  EXPECT_EQ(s.files[2].line, 8);
}

TEST(CueSheetTest, DataTracksKeepTheirSectorSize) {
  const auto s = CueSheet::Parse(
      "FILE \"a.bin\" BINARY\nTRACK 01 MODE1/2048\nINDEX 01 00:00:00\n"
      "FILE \"b.bin\" BINARY\nTRACK 02 AUDIO\nINDEX 01 00:00:00\nTRACK 03 mode2/2352\nINDEX 01 01:00:00\n",
      "mixed.cue");
  EXPECT_FALSE(s.tracks[0].audio);
  EXPECT_EQ(s.tracks[0].sectorBytes, 2048u);
  EXPECT_TRUE(s.tracks[1].audio);
  EXPECT_FALSE(s.tracks[2].audio);
  EXPECT_EQ(s.tracks[2].sectorBytes, 2352u);
}

TEST(CueSheetTest, TextsAreUtf8OrElseLatin1) {
  const std::string utf8 =
      "TITLE \"\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\"\nFILE \"a.bin\" BINARY\nTRACK 01 AUDIO\n"
      "PERFORMER \"Caf\xC3\xA9\"\nINDEX 01 00:00:00\n";
  const auto u = CueSheet::Parse(utf8, "u.cue");
  EXPECT_FALSE(u.latin1);
  EXPECT_EQ(u.title, "日本語");
  EXPECT_EQ(u.tracks[0].performer, "Café");

  // A lone é (0xE9) is no UTF-8: the whole sheet is Latin-1, and so is every text in it.
  const auto l = CueSheet::Parse(
      "TITLE \"Caf\xE9\"\nFILE \"Ni\xF1o.bin\" BINARY\nTRACK 01 AUDIO\nTITLE \"\xC0 la \xBD\"\nINDEX 01 00:00:00\n",
      "l.cue");
  EXPECT_TRUE(l.latin1);
  EXPECT_EQ(l.title, "Café");
  EXPECT_EQ(l.tracks[0].title, "À la ½");
  // File names stay as the sheet's bytes: they are looked up as such first.
  EXPECT_EQ(l.files[0].name, "Ni\xF1o.bin");

  // UTF-8 look-alikes that are not UTF-8 (an overlong form, a surrogate, a cut sequence).
  for (const std::string bad : {"\xC0\xAF", "\xED\xA0\x80", "\xE6\x97"}) {
    const auto s = CueSheet::Parse("TITLE \"" + bad + "\"\nFILE a BINARY\nTRACK 1 AUDIO\nINDEX 1 0:0:0\n", "x.cue");
    EXPECT_TRUE(s.latin1);
  }
}

TEST(CueSheetTest, UnknownCommandsAreWarnedAboutAndPassedOver) {
  const auto s = CueSheet::Parse("FILE a BINARY\nTRACK 1 AUDIO\nHELLO there\nINDEX 1 0:0:0\nREM fine\n", "w.cue");
  ASSERT_EQ(s.warnings.size(), 1u);
  EXPECT_EQ(s.warnings[0], "w.cue:3: ignored: not a CUE command");
  EXPECT_EQ(s.tracks.size(), 1u);
}

TEST(CueSheetTest, SheetsThatDescribeNoDiscNameTheirLine) {
  const std::string head = "FILE \"a.bin\" BINARY\n";
  const std::string ok = "TRACK 01 AUDIO\nINDEX 01 00:00:00\n";
  struct Bad {
    std::string text;
    std::string message;  // the start of the error, after the sheet's name
  };
  const std::vector<Bad> bad = {
      {"", ": the sheet names no track"},
      {"\xEF\xBB\xBF\r\n\r\n", ": the sheet names no track"},
      {"REM only a comment\n", ": the sheet names no track"},
      {"All work and no play\nmakes a dull sheet\n", ": the sheet names no track"},
      {head, ": the sheet names no track"},
      {std::string("RIFF\0\0\0\0WAVEfmt ", 16), ": not a CUE sheet (it holds binary data)"},
      {"TRACK 01 AUDIO\n", ":1: TRACK before any FILE"},
      {head + "INDEX 01 00:00:00\n", ":2: INDEX before any TRACK"},
      {head + "PREGAP 00:02:00\n", ":2: PREGAP before any TRACK"},
      {head + "TRACK 01 AUDIO\nTRACK 02 AUDIO\nINDEX 01 00:00:00\n", ":2: track 1 has no INDEX 01"},
      {head + "TRACK 01 AUDIO\nINDEX 00 00:00:00\n", ":2: track 1 has no INDEX 01"},
      {head + "TRACK 01 AUDIO\nINDEX 01 00:60:00\n", ":3: INDEX: '00:60:00' is not a time"},
      {head + "TRACK 01 AUDIO\nINDEX 01 00:00:75\n", ":3: INDEX: '00:00:75' is not a time"},
      {head + "TRACK 01 AUDIO\nINDEX 01 1:2\n", ":3: INDEX: '1:2' is not a time"},
      {head + "TRACK 01 AUDIO\nINDEX 01 aa:bb:cc\n", ":3: INDEX: 'aa:bb:cc' is not a time"},
      {head + "TRACK 01 AUDIO\nINDEX 01 -1:00:00\n", ":3: INDEX: '-1:00:00' is not a time"},
      {head + "TRACK 01 AUDIO\nINDEX 01 99999999999:00:00\n", ":3: INDEX: '99999999999:00:00' is not a time"},
      {head + "TRACK 01 AUDIO\nINDEX\n", ":3: INDEX: the number must be 0 to 99"},
      {head + "TRACK 01 AUDIO\nINDEX 100 00:00:00\n", ":3: INDEX: the number must be 0 to 99"},
      {head + "TRACK 01 AUDIO\nINDEX 02 00:00:00\n", ":3: INDEX 2 out of order"},
      {head + "TRACK 01 AUDIO\nINDEX 01 00:00:00\nINDEX 00 00:00:00\n", ":4: INDEX 0 out of order"},
      {head + "TRACK 01 AUDIO\nINDEX 01 00:05:00\nTRACK 02 AUDIO\nINDEX 01 00:04:74\n",
       ":5: INDEX goes back before the one on line 3"},
      {head + ok + "TRACK 03 AUDIO\nINDEX 01 00:01:00\n", ":4: TRACK 3: expected track 2"},
      {head + "TRACK 02 AUDIO\nINDEX 01 00:00:00\n", ":2: TRACK 2: expected track 1"},
      {head + "TRACK 00 AUDIO\n", ":2: TRACK: the number must be 1 to 99"},
      {head + "TRACK 100 AUDIO\n", ":2: TRACK: the number must be 1 to 99"},
      {head + "TRACK one AUDIO\n", ":2: TRACK: the number must be 1 to 99"},
      {head + "TRACK 01 VIDEO\n", ":2: TRACK: unknown track type 'VIDEO'"},
      {head + "TRACK 01 AUDIO\nPOSTGAP 2 seconds\n", ":3: POSTGAP: '2' is not a length"},
      {"FILE \"a.mp3\" MP3\n" + ok, ":1: FILE: type MP3 cannot be read"},
      {"FILE \"a.aiff\" AIFF\n" + ok, ":1: FILE: type AIFF cannot be read"},
      {"FILE \"a.bin\"\n" + ok, ":1: FILE: no file type"},
      {"FILE \"a.bin BINARY\n" + ok, ":1: FILE: the name has no closing quote"},
      {"FILE \"\" BINARY\n" + ok, ":1: FILE: no file name"},
      {"FILE BINARY\n" + ok, ":1: FILE: no file name"},
      {head + "FILE \"b.bin\" BINARY\n" + ok, ":1: FILE 'a.bin' holds no INDEX"},
      {head + ok + "FILE \"b.bin\" BINARY\n", ":4: FILE 'b.bin' holds no INDEX"},
  };
  for (const auto& b : bad) {
    SCOPED_TRACE(b.text);
    try {
      CueSheet::Parse(b.text, "bad.cue");
      ADD_FAILURE() << "accepted";
    } catch (const DiscImageError& e) {
      EXPECT_EQ(std::string(e.what()).rfind("bad.cue" + b.message, 0), 0u) << e.what();
    }
  }
}

TEST(CueSheetTest, NinetyNineTracksAndNoMore) {
  std::string text = "FILE a.bin BINARY\n";
  for (int t = 1; t <= 99; ++t)
    text += "TRACK " + std::to_string(t) + " AUDIO\nINDEX 01 " + std::to_string(t) + ":00:00\n";
  EXPECT_EQ(CueSheet::Parse(text, "99.cue").tracks.size(), 99u);
  EXPECT_THROW(CueSheet::Parse(text + "TRACK 100 AUDIO\nINDEX 01 100:00:00\n", "100.cue"), DiscImageError);
}

}  // namespace
