// Disc images as discs: the layout of the tracks, the samples read back, and every way a
// sheet or its files can be wrong. The simple dialect is checked against libcdio's own reader.
#include <gtest/gtest.h>
#include <cdio/cdio.h>
#include <cdio/logging.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/mci/ImageDisc.h"
#include "tests/support/TempDir.h"
#include "tests/support/ToneImage.h"

namespace {

using platform::cd::DiscImageError;
using platform::cd::Frame;
using platform::cd::FromMsf;
using platform::cd::ImageDisc;
using platform::cd::kLeadInFrames;
using platform::cd::kSectorBytes;
using Bytes = std::vector<std::uint8_t>;

// Sectors that tell where they came from: every sample of sector `s` of data set `tag`
// differs from every other sector's.
Bytes Pattern(int tag, Frame sectors, std::size_t extraBytes = 0) {
  Bytes b(sectors * kSectorBytes + extraBytes);
  for (std::size_t i = 0; i < b.size(); ++i) {
    const std::size_t s = i / kSectorBytes;
    b[i] = static_cast<std::uint8_t>((i * 7 + s * 131 + std::size_t(tag) * 29 + (i >> 8)) & 0xff);
  }
  return b;
}

Bytes Silence(Frame sectors) { return Bytes(sectors * kSectorBytes, 0); }

Bytes Slice(const Bytes& b, Frame firstSector, Frame sectors) {
  Bytes out(sectors * kSectorBytes, 0);
  const std::size_t from = firstSector * kSectorBytes;
  const std::size_t n = std::min(out.size(), b.size() - std::min(b.size(), from));
  std::memcpy(out.data(), b.data() + from, n);
  return out;
}

Bytes Cat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

Bytes Swapped(Bytes b) {
  for (std::size_t i = 0; i + 1 < b.size(); i += 2) std::swap(b[i], b[i + 1]);
  return b;
}

void Put(const TempDir& dir, const std::string& name, const Bytes& b) {
  dir.Write(name, std::string(b.begin(), b.end()));
}

std::string Le32(std::uint32_t v) {
  return {char(v & 0xff), char(v >> 8 & 0xff), char(v >> 16 & 0xff), char(v >> 24 & 0xff)};
}
std::string Le16(std::uint16_t v) { return {char(v & 0xff), char(v >> 8)}; }

std::string FmtChunk(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits) {
  const std::uint16_t align = static_cast<std::uint16_t>(channels * bits / 8);
  return "fmt " + Le32(16) + Le16(tag) + Le16(channels) + Le32(rate) + Le32(rate * align) + Le16(align) + Le16(bits);
}

// A WAVE file around the samples, with whatever chunks are given before the data.
std::string Wave(const Bytes& samples, const std::string& before = FmtChunk(1, 2, 44100, 16),
                 std::uint32_t claimedDataBytes = 0) {
  const std::string data = "data" + Le32(claimedDataBytes ? claimedDataBytes : std::uint32_t(samples.size())) +
                           std::string(samples.begin(), samples.end());
  return "RIFF" + Le32(std::uint32_t(4 + before.size() + data.size())) + "WAVE" + before + data;
}

// Everything the disc holds, from the first sector after the lead-in to the lead-out.
Bytes ReadAll(ImageDisc& disc) {
  const auto toc = disc.TableOfContents();
  const Frame n = toc.leadOut - kLeadInFrames;
  Bytes out(n * kSectorBytes);
  // Odd read sizes, so that reads cross the runs of silence and of each file.
  Frame at = 0;
  int step = 1;
  while (at < n) {
    const int count = std::min<int>(step, int(n - at));
    EXPECT_EQ(disc.Read(kLeadInFrames + at, count, out.data() + at * kSectorBytes), count);
    at += Frame(count);
    step = step % 23 + 4;
  }
  return out;
}

std::vector<Frame> Starts(std::initializer_list<Frame> imageSectors) {
  std::vector<Frame> s;
  for (Frame f : imageSectors) s.push_back(kLeadInFrames + f);
  return s;
}

class ImageDiscTest : public ::testing::Test {
 protected:
  std::unique_ptr<ImageDisc> Open(const std::string& sheet, const std::string& name = "disc.cue") {
    dir.Write(name, sheet);
    return ImageDisc::Open(dir.File(name));
  }
  // The error an image gives, with the folder taken out of it.
  std::string ErrorOf(const std::string& sheet) {
    try {
      Open(sheet);
    } catch (const DiscImageError& e) {
      std::string m = e.what();
      const std::string prefix = dir.Path() + "/";
      if (m.rfind(prefix, 0) == 0) m.erase(0, prefix.size());
      return m;
    }
    return "accepted";
  }
  TempDir dir;
};

// --- Against libcdio, in the one dialect it reads ---------------------------------------

struct CdioImage {
  explicit CdioImage(const std::string& cue) : p(cdio_open(cue.c_str(), DRIVER_BINCUE)) {}
  ~CdioImage() {
    if (p) cdio_destroy(p);
  }
  CdIo_t* p;
};

TEST_F(ImageDiscTest, TableAndSectorsAgreeWithLibcdio) {
  cdio_loglevel_default = CDIO_LOG_ERROR;
  struct Case {
    const char* name;
    std::vector<Frame> lengths;  // per track, in sectors
    std::vector<Frame> pregaps;  // INDEX 00 before INDEX 01, per track (0 for none)
  };
  const std::vector<Case> cases = {
      {"one short track", {1}, {0}},
      {"three tracks", {75 * 3, 75 * 2 + 13, 401}, {0, 0, 0}},
      {"INDEX 00 pregaps", {300, 222, 151, 80}, {0, 150, 1, 75}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Frame total = 0;
    for (Frame l : c.lengths) total += l;
    // Each track's INDEX 00 takes its pregap from the previous track's sectors.
    std::string sheet = "FILE \"image.bin\" BINARY\n";
    Frame at = 0;
    for (std::size_t t = 0; t < c.lengths.size(); ++t) {
      char line[120];
      std::snprintf(line, sizeof line, "  TRACK %02zu AUDIO\n", t + 1);
      sheet += line;
      if (c.pregaps[t]) {
        const Frame p = at - c.pregaps[t];
        std::snprintf(line, sizeof line, "    INDEX 00 %02u:%02u:%02u\n", p / 4500, p / 75 % 60, p % 75);
        sheet += line;
      }
      std::snprintf(line, sizeof line, "    INDEX 01 %02u:%02u:%02u\n", at / 4500, at / 75 % 60, at % 75);
      sheet += line;
      at += c.lengths[t];
    }
    const Bytes data = Pattern(3, total);
    Put(dir, "image.bin", data);
    dir.Write("image.cue", sheet);

    CdioImage ref(dir.File("image.cue"));
    ASSERT_NE(ref.p, nullptr);
    auto disc = ImageDisc::Open(dir.File("image.cue"));
    const auto toc = disc->TableOfContents();
    ASSERT_EQ(toc.TrackCount(), cdio_get_num_tracks(ref.p));
    for (int t = 1; t <= toc.TrackCount(); ++t)
      EXPECT_EQ(toc.starts[t - 1], Frame(cdio_get_track_lba(ref.p, track_t(t)))) << "track " << t;
    EXPECT_EQ(toc.leadOut, Frame(cdio_get_track_lba(ref.p, CDIO_CDROM_LEADOUT_TRACK)));

    // Every sector, in libcdio's largest reads, as absolute frame = its sector + lead-in.
    Bytes mine(25 * kSectorBytes), theirs(25 * kSectorBytes);
    for (Frame lsn = 0; lsn < total; lsn += 25) {
      const auto n = std::min<Frame>(25, total - lsn);
      ASSERT_EQ(cdio_read_audio_sectors(ref.p, theirs.data(), lsn_t(lsn), n), DRIVER_OP_SUCCESS);
      ASSERT_EQ(disc->Read(kLeadInFrames + lsn, int(n), mine.data()), int(n));
      ASSERT_EQ(std::memcmp(mine.data(), theirs.data(), n * kSectorBytes), 0) << "at sector " << lsn;
    }
  }
}

TEST_F(ImageDiscTest, TheToneImageIsThreeTracksOfItsTones) {
  tone_image::Layout layout;
  layout.secondsPerTrack = 2;
  auto disc = ImageDisc::Open(tone_image::Write(dir.Path(), layout));
  const auto toc = disc->TableOfContents();
  EXPECT_EQ(toc.starts, Starts({0, 150, 300}));
  EXPECT_EQ(toc.leadOut, kLeadInFrames + 450);
  EXPECT_EQ(ReadAll(*disc), tone_image::Samples(layout));
}

// --- Layout -----------------------------------------------------------------------------

TEST_F(ImageDiscTest, GapsAreSilenceAndTracksStartAtIndexOne) {
  Put(dir, "a.bin", Pattern(1, 200));
  auto disc = Open(
      "FILE a.bin BINARY\n"
      "TRACK 01 AUDIO\nPREGAP 00:00:10\nINDEX 01 00:00:00\n"
      "TRACK 02 AUDIO\nINDEX 00 00:01:00\nINDEX 01 00:01:20\nPOSTGAP 00:00:05\n"
      "TRACK 03 AUDIO\nPREGAP 00:00:07\nINDEX 01 00:02:00\nPOSTGAP 00:00:03\n");
  const Bytes a = Pattern(1, 200);
  // 10 silent, a[0,75) track 1, a[75,95) track 2's INDEX 00, a[95,150), 5 + 7 silent, a[150,200), 3 silent.
  EXPECT_EQ(disc->TableOfContents().starts, Starts({10, 10 + 95, 10 + 150 + 12}));
  EXPECT_EQ(disc->TableOfContents().leadOut, kLeadInFrames + 10 + 200 + 12 + 3);
  EXPECT_EQ(ReadAll(*disc), Cat({Silence(10), Slice(a, 0, 150), Silence(12), Slice(a, 150, 50), Silence(3)}));
}

TEST_F(ImageDiscTest, FilesFollowOneAnotherWithTheirOwnFormats) {
  const Bytes one = Pattern(1, 100), two = Pattern(2, 60), three = Pattern(3, 40, 1000);
  dir.Write("01 first.wav", Wave(one));
  Put(dir, "02.bin", Swapped(two));  // big-endian on file
  Put(dir, "03.bin", three);         // a short last sector
  auto disc = Open(
      "FILE \"01 first.wav\" WAVE\n"
      "TRACK 01 AUDIO\nINDEX 01 00:00:00\n"
      "TRACK 02 AUDIO\nINDEX 00 00:01:00\n"  // the gap lies at the end of the first file
      "FILE \"02.bin\" MOTOROLA\n"
      "INDEX 01 00:00:00\n"
      "FILE 03.bin BINARY\n"
      "TRACK 03 AUDIO\nINDEX 01 00:00:00\n");
  EXPECT_EQ(disc->TableOfContents().starts, Starts({0, 100, 160}));
  EXPECT_EQ(disc->TableOfContents().leadOut, kLeadInFrames + 201);
  EXPECT_EQ(ReadAll(*disc), Cat({one, two, three, Bytes(kSectorBytes - 1000, 0)}));
}

TEST_F(ImageDiscTest, WaveChunksAreWalkedToTheSamples) {
  const Bytes s = Pattern(4, 10, 8);
  struct Case {
    const char* name;
    std::string file;
  };
  std::string extensible = "fmt " + Le32(40) + Le16(0xFFFE) + Le16(2) + Le32(44100) + Le32(176400) + Le16(4) +
                           Le16(16) + Le16(22) + Le16(16) + Le32(3) + Le16(1) + std::string(14, '\x10');
  const std::vector<Case> cases = {
      {"plain", Wave(s)},
      {"chunks before and after fmt", Wave(s, "LIST" + Le32(5) + "INFOx" + std::string(1, '\0') +
                                                  FmtChunk(1, 2, 44100, 16) + "fact" + Le32(4) + "abcd")},
      {"extensible", Wave(s, extensible)},
      {"data longer than the file", Wave(s, FmtChunk(1, 2, 44100, 16), 0xFFFFFFF0u)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    dir.Write("w.wav", c.file);
    auto disc = Open("FILE w.wav WAVE\nTRACK 01 AUDIO\nINDEX 01 00:00:00\n");
    EXPECT_EQ(disc->TableOfContents().leadOut, kLeadInFrames + 11);
    EXPECT_EQ(ReadAll(*disc), Cat({s, Bytes(kSectorBytes - 8, 0)}));
  }
}

TEST_F(ImageDiscTest, DataTracksAreSilentAndTakeTheirSectorSize) {
  Put(dir, "data.bin", Bytes(2048 * 30, 0x55));
  Put(dir, "audio.bin", Pattern(5, 40));
  auto disc = Open(
      "FILE data.bin BINARY\nTRACK 01 MODE1/2048\nINDEX 01 00:00:00\n"
      "FILE audio.bin BINARY\nTRACK 02 AUDIO\nINDEX 01 00:00:00\n");
  EXPECT_EQ(disc->TableOfContents().starts, Starts({0, 30}));
  EXPECT_EQ(ReadAll(*disc), Cat({Silence(30), Pattern(5, 40)}));
}

TEST_F(ImageDiscTest, ReadsStopAtTheLeadOutAndTheLeadInIsSilent) {
  Put(dir, "a.bin", Pattern(1, 10));
  auto disc = Open("FILE a.bin BINARY\nTRACK 01 AUDIO\nINDEX 01 00:00:00\n");
  Bytes out(20 * kSectorBytes, 0xAA);
  EXPECT_EQ(disc->Read(kLeadInFrames + 6, 20, out.data()), 4);
  EXPECT_EQ(Bytes(out.begin(), out.begin() + 4 * kSectorBytes), Slice(Pattern(1, 10), 6, 4));
  EXPECT_EQ(disc->Read(kLeadInFrames + 10, 1, out.data()), 0);
  EXPECT_EQ(disc->Read(0xFFFFFFF0u, 20, out.data()), 0);
  EXPECT_EQ(disc->Read(kLeadInFrames - 2, 3, out.data()), 3);
  EXPECT_EQ(Bytes(out.begin(), out.begin() + 3 * kSectorBytes), Cat({Silence(2), Slice(Pattern(1, 10), 0, 1)}));
}

TEST_F(ImageDiscTest, TitlesAndPerformers) {
  Put(dir, "a.bin", Pattern(1, 10));
  auto disc = Open(
      "TITLE \"\xE3\x81\x82\xE3\x81\x8B\xE3\x81\x97\"\nPERFORMER Someone Else\nFILE a.bin BINARY\n"
      "TRACK 01 AUDIO\nTITLE \"First\"\nINDEX 01 00:00:00\nTRACK 02 AUDIO\nINDEX 01 00:00:05\n");
  EXPECT_EQ(disc->Title(0), "あかし");
  EXPECT_EQ(disc->Performer(0), "Someone Else");
  EXPECT_EQ(disc->Title(1), "First");
  EXPECT_EQ(disc->Title(2), std::nullopt);
  EXPECT_EQ(disc->Performer(1), std::nullopt);
  EXPECT_EQ(disc->Title(3), std::nullopt);
  EXPECT_EQ(disc->Title(-1), std::nullopt);
}

TEST_F(ImageDiscTest, NamesWrittenOnOtherSystemsAreFound) {
  Put(dir, "Track One.BIN", Pattern(1, 5));
  std::filesystem::create_directory(dir.File("sub"));
  Put(dir, "sub/two.bin", Pattern(2, 5));
  Put(dir, "Niño.bin", Pattern(3, 5));  // a UTF-8 name, written by a Latin-1 sheet
  auto disc = Open(
      "FILE \"track one.bin\" BINARY\nTRACK 01 AUDIO\nINDEX 01 00:00:00\n"
      "FILE \"sub\\two.bin\" BINARY\nTRACK 02 AUDIO\nINDEX 01 00:00:00\n"
      "FILE \"Ni\xF1o.bin\" BINARY\nTRACK 03 AUDIO\nINDEX 01 00:00:00\n");
  EXPECT_EQ(ReadAll(*disc), Cat({Pattern(1, 5), Pattern(2, 5), Pattern(3, 5)}));
  // A sheet given by a path of its own finds its files beside it, not in the current folder.
  EXPECT_EQ(ImageDisc::Open(dir.File("sub/../disc.cue"))->TableOfContents().TrackCount(), 3);
}

// --- Bad images -------------------------------------------------------------------------

TEST_F(ImageDiscTest, BadImagesNameTheSheetTheLineAndTheFile) {
  Put(dir, "a.bin", Pattern(1, 100));
  const std::string track = "TRACK 01 AUDIO\nINDEX 01 00:00:00\n";
  std::filesystem::create_directory(dir.File("folder.bin"));
  struct Bad {
    std::string name;
    std::string sheet;
    std::string message;
  };
  const std::vector<Bad> bad = {
      {"missing file", "REM x\nFILE \"gone.bin\" BINARY\n" + track,
       "disc.cue:2: cannot open 'gone.bin': No such file or directory"},
      {"a folder for a file", "FILE folder.bin BINARY\n" + track, "disc.cue:1: 'folder.bin' is not a plain file"},
      {"truncated BIN", "FILE a.bin BINARY\n" + track + "TRACK 02 AUDIO\nINDEX 01 00:01:25\n",
       "disc.cue:5: INDEX 1 at 00:01:25 lies beyond the end of 'a.bin' (00:01:25 long)"},
      {"empty track", "FILE a.bin BINARY\n" + track + "TRACK 02 AUDIO\nINDEX 01 00:00:00\n",
       "disc.cue:5: track 1 has no length"},
      {"mixed sector sizes", "FILE a.bin BINARY\n" + track + "TRACK 02 MODE1/2048\nINDEX 01 00:00:10\n",
       "disc.cue:5: tracks of different sector sizes in one file"},
      {"sheet of nonsense", "Lorem ipsum\ndolor sit amet\n", "disc.cue: the sheet names no track"},
  };
  for (const auto& b : bad) {
    SCOPED_TRACE(b.name);
    EXPECT_EQ(ErrorOf(b.sheet), b.message);
  }
  // An empty BIN has no sectors at all.
  Put(dir, "empty.bin", {});
  EXPECT_EQ(ErrorOf("FILE empty.bin BINARY\n" + track),
            "disc.cue:3: INDEX 1 at 00:00:00 lies beyond the end of 'empty.bin' (00:00:00 long)");
}

TEST_F(ImageDiscTest, WaveFilesInAnotherFormatAreRefused) {
  const Bytes s = Pattern(1, 4);
  const std::string track = "FILE w.wav WAVE\nTRACK 01 AUDIO\nINDEX 01 00:00:00\n";
  struct Bad {
    std::string name;
    std::string file;
    std::string message;
  };
  const std::vector<Bad> bad = {
      {"mono", Wave(s, FmtChunk(1, 1, 44100, 16)),
       "disc.cue:1: 'w.wav' is PCM, 1 channel(s), 44100 Hz, 16 bits; only 16-bit stereo PCM at 44100 Hz can be played"},
      {"48 kHz", Wave(s, FmtChunk(1, 2, 48000, 16)), "disc.cue:1: 'w.wav' is PCM, 2 channel(s), 48000 Hz"},
      {"8 bits", Wave(s, FmtChunk(1, 2, 44100, 8)), "disc.cue:1: 'w.wav' is PCM, 2 channel(s), 44100 Hz, 8 bits"},
      {"float", Wave(s, FmtChunk(3, 2, 44100, 32)), "disc.cue:1: 'w.wav' is not PCM"},
      {"not RIFF", std::string(s.begin(), s.end()), "disc.cue:1: 'w.wav' is not a WAVE file"},
      {"too short for a header", "RIFF", "disc.cue:1: 'w.wav' is not a WAVE file"},
      {"no data chunk", "RIFF" + Le32(28) + "WAVE" + FmtChunk(1, 2, 44100, 16),
       "disc.cue:1: 'w.wav' has no sample data"},
      {"data before the format", "RIFF" + Le32(100) + "WAVEdata" + Le32(4) + "abcd",
       "disc.cue:1: 'w.wav' has no format before its data"},
      {"short format chunk", "RIFF" + Le32(100) + "WAVEfmt " + Le32(4) + "abcd",
       "disc.cue:1: 'w.wav' has a damaged format chunk"},
      {"chunk size past the end", "RIFF" + Le32(100) + "WAVEJUNK" + Le32(0xFFFFFFFFu) + "ab",
       "disc.cue:1: 'w.wav' has no sample data"},
  };
  for (const auto& b : bad) {
    SCOPED_TRACE(b.name);
    dir.Write("w.wav", b.file);
    const std::string m = ErrorOf(track);
    EXPECT_EQ(m.substr(0, b.message.size()), b.message) << m;
  }
}

TEST_F(ImageDiscTest, SheetsThatCannotBeReadAtAll) {
  const auto error = [](const std::string& path) {
    try {
      ImageDisc::Open(path);
    } catch (const DiscImageError& e) {
      return std::string(e.what());
    }
    return std::string("accepted");
  };
  EXPECT_EQ(error(dir.File("none.cue")), dir.File("none.cue") + ": cannot read the sheet: No such file or directory");
  EXPECT_EQ(error(dir.Path()), dir.Path() + ": not a CUE sheet (not a plain file)");
  Put(dir, "big.cue", Bytes(2 << 20, 'A'));
  EXPECT_EQ(error(dir.File("big.cue")), dir.File("big.cue") + ": too large to be a CUE sheet");
  Put(dir, "a.bin", Pattern(1, 10));
  EXPECT_EQ(error(dir.File("a.bin")), dir.File("a.bin") + ": not a CUE sheet (it holds binary data)");
}

TEST_F(ImageDiscTest, AFileThatShrinksWhilePlayingEndsTheReadEarly) {
  const Bytes a = Pattern(1, 100);
  Put(dir, "a.bin", a);
  auto disc = Open("FILE a.bin BINARY\nTRACK 01 AUDIO\nINDEX 01 00:00:00\n");
  ASSERT_EQ(::truncate(dir.File("a.bin").c_str(), 40 * kSectorBytes + 100), 0);
  Bytes out(30 * kSectorBytes);
  EXPECT_EQ(disc->Read(kLeadInFrames + 20, 30, out.data()), 20);
  EXPECT_EQ(Bytes(out.begin(), out.begin() + 20 * kSectorBytes), Slice(a, 20, 20));
  EXPECT_EQ(disc->Read(kLeadInFrames + 60, 5, out.data()), 0);
  // A file removed while it plays is still read through the open handle.
  std::filesystem::remove(dir.File("a.bin"));
  EXPECT_EQ(disc->Read(kLeadInFrames, 5, out.data()), 5);
}

}  // namespace
