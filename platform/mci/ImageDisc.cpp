#include "platform/mci/ImageDisc.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/system/Ascii.h"

namespace platform::cd {

namespace {

// A sheet is a few kilobytes; anything far larger is some other file given by mistake.
constexpr off_t kMaxSheetBytes = 1 << 20;
// The minute byte of an absolute position must hold the lead-out.
constexpr Frame kMaxLeadOut = FromMsf(255, 59, 74);

std::string Where(const std::string& sheet, int line) { return sheet + ":" + std::to_string(line) + ": "; }

std::string MsfText(Frame f) {
  char text[16];
  std::snprintf(text, sizeof text, "%02u:%02u:%02u", Minutes(f), Seconds(f), Frames(f));
  return text;
}

// Opens a file for reading without waiting: a FIFO or a device named by mistake must not
// hold the program until someone writes to it.
int OpenForReading(const std::string& path) {
#ifdef _WIN32
  // Windows has no FIFOs to wait on; its files are read as bytes, never as text.
  return ::open(path.c_str(), O_RDONLY | O_BINARY);
#else
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd >= 0) ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
#endif
}

std::string ReadSheet(const std::string& path) {
  const int fd = OpenForReading(path);
  if (fd < 0) throw DiscImageError(path + ": cannot read the sheet: " + std::strerror(errno));
  struct stat st {};
  std::string text;
  try {
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
      throw DiscImageError(path + ": not a CUE sheet (not a plain file)");
    if (st.st_size > kMaxSheetBytes) throw DiscImageError(path + ": too large to be a CUE sheet");
    text.resize(static_cast<std::size_t>(st.st_size));
    std::size_t got = 0;
    while (got < text.size()) {
      // A sheet is far below the unsigned count Windows' read takes.
      const auto n = ::read(fd, text.data() + got, static_cast<unsigned>(text.size() - got));
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) throw DiscImageError(path + ": cannot read the sheet: " + std::strerror(errno));
      if (n == 0) break;
      got += static_cast<std::size_t>(n);
    }
    text.resize(got);
  } catch (...) {
    ::close(fd);
    throw;
  }
  ::close(fd);
  return text;
}

bool Exists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

// A name in the folder that differs from `name` only in letter case.
std::string CaseBlindMatch(const std::string& folder, const std::string& name) {
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) return {};
  std::string found;
  while (const dirent* e = ::readdir(dir)) {
    if (platform::EqualsNoCase(e->d_name, name)) {
      found = e->d_name;
      break;
    }
  }
  ::closedir(dir);
  return found;
}

// Where a FILE name points: relative to the sheet's folder. Sheets written on other systems
// use backslashes, another letter case or another encoding for the same name; those are
// tried when the name as written is not there.
std::string ResolveFile(const std::string& sheetPath, const std::string& name, bool latin1) {
  const auto slash = sheetPath.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : sheetPath.substr(0, slash + 1);
  auto place = [&](const std::string& n) { return !n.empty() && n[0] == '/' ? n : folder + n; };
  const std::string plain = place(name);
  if (Exists(plain)) return plain;
  std::vector<std::string> tries;
  std::string forward = name;
  std::replace(forward.begin(), forward.end(), '\\', '/');
  tries.push_back(forward);
  if (latin1) tries.push_back(Latin1ToUtf8(forward));
  for (const auto& t : tries) {
    const std::string p = place(t);
    if (Exists(p)) return p;
    const auto cut = p.rfind('/');
    const std::string dir = cut == std::string::npos ? "" : p.substr(0, cut);
    const std::string base = cut == std::string::npos ? p : p.substr(cut + 1);
    const std::string match = CaseBlindMatch(dir, base);
    if (!match.empty()) return (cut == std::string::npos ? "" : dir + "/") + match;
  }
  return plain;
}

std::uint32_t Le32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}
std::uint16_t Le16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

bool ReadAt(int fd, std::uint64_t offset, void* out, std::size_t bytes) {
  auto* p = static_cast<std::uint8_t*>(out);
  while (bytes > 0) {
#ifdef _WIN32
    // No positioned read there; each image has a descriptor of its own on one thread.
    if (::_lseeki64(fd, static_cast<long long>(offset), SEEK_SET) < 0) return false;
    const int n = ::read(fd, p, static_cast<unsigned>(std::min<std::size_t>(bytes, 1u << 20)));
#else
    const ssize_t n = ::pread(fd, p, bytes, static_cast<off_t>(offset));
#endif
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    p += n;
    offset += static_cast<std::uint64_t>(n);
    bytes -= static_cast<std::size_t>(n);
  }
  return true;
}

// Finds the samples of a RIFF WAVE file: walks the chunks for "fmt " and "data" and accepts
// only the CD's own format, since the samples are played as they are.
void ReadWaveLayout(int fd, std::uint64_t fileBytes, const std::string& where, const std::string& name,
                    std::uint64_t& dataStart, std::uint64_t& dataBytes, std::vector<std::string>& warnings) {
  std::uint8_t head[12];
  if (fileBytes < 12 || !ReadAt(fd, 0, head, 12) || std::memcmp(head, "RIFF", 4) != 0 ||
      std::memcmp(head + 8, "WAVE", 4) != 0)
    throw DiscImageError(where + "'" + name + "' is not a WAVE file");
  bool haveFormat = false;
  std::uint64_t at = 12;
  while (at + 8 <= fileBytes) {
    std::uint8_t chunk[8];
    if (!ReadAt(fd, at, chunk, 8)) break;
    const std::uint64_t size = Le32(chunk + 4);
    const std::uint64_t body = at + 8;
    if (std::memcmp(chunk, "fmt ", 4) == 0) {
      std::uint8_t fmt[40] = {};
      if (size < 16 || !ReadAt(fd, body, fmt, static_cast<std::size_t>(std::min<std::uint64_t>(size, 40))))
        throw DiscImageError(where + "'" + name + "' has a damaged format chunk");
      std::uint16_t tag = Le16(fmt);
      // WAVE_FORMAT_EXTENSIBLE names the real format in its sub-format's first two bytes.
      if (tag == 0xFFFE && size >= 40) tag = Le16(fmt + 24);
      const unsigned channels = Le16(fmt + 2), rate = Le32(fmt + 4), bits = Le16(fmt + 14);
      if (tag != 1 || channels != 2 || rate != 44100 || bits != 16)
        throw DiscImageError(where + "'" + name + "' is " + (tag == 1 ? "PCM" : "not PCM") + ", " +
                             std::to_string(channels) + " channel(s), " + std::to_string(rate) + " Hz, " +
                             std::to_string(bits) + " bits; only 16-bit stereo PCM at 44100 Hz can be played");
      haveFormat = true;
    } else if (std::memcmp(chunk, "data", 4) == 0) {
      if (!haveFormat) throw DiscImageError(where + "'" + name + "' has no format before its data");
      dataStart = body;
      dataBytes = size;
      if (body + size > fileBytes) {
        dataBytes = fileBytes - body;
        warnings.push_back(where + "'" + name + "' is shorter than its header says; playing what there is");
      }
      return;
    }
    at = body + size + (size & 1);  // chunks are padded to even lengths
  }
  throw DiscImageError(where + "'" + name + "' has no sample data");
}

// Each file's sector size is that of the tracks that lie in it.
std::vector<std::size_t> SectorSizes(const CueSheet& sheet, const std::string& sheetPath) {
  std::vector<std::size_t> sectorBytes(sheet.files.size(), 0);
  for (const auto& t : sheet.tracks) {
    for (const auto& i : t.indexes) {
      auto& b = sectorBytes[i.file];
      if (b != 0 && b != t.sectorBytes)
        throw DiscImageError(Where(sheetPath, i.line) + "tracks of different sector sizes in one file");
      b = t.sectorBytes;
    }
  }
  return sectorBytes;
}

void CheckIndexesInFiles(const CueSheet& sheet, const std::string& sheetPath, const std::vector<Frame>& fileSectors) {
  for (const auto& t : sheet.tracks)
    for (const auto& i : t.indexes)
      if (i.at >= fileSectors[i.file])
        throw DiscImageError(Where(sheetPath, i.line) + "INDEX " + std::to_string(i.number) + " at " + MsfText(i.at) +
                             " lies beyond the end of '" + sheet.files[i.file].name + "' (" +
                             MsfText(fileSectors[i.file]) + " long)");
}

}  // namespace

ImageDisc::~ImageDisc() {
  for (const auto& f : files_)
    if (f.fd >= 0) ::close(f.fd);
}

std::unique_ptr<ImageDisc> ImageDisc::Open(const std::string& sheetPath) {
  std::unique_ptr<ImageDisc> disc(new ImageDisc);
  disc->sheetPath_ = sheetPath;
  disc->sheet_ = CueSheet::Parse(ReadSheet(sheetPath), sheetPath);
  disc->warnings_ = disc->sheet_.warnings;

  const std::vector<std::size_t> sectorBytes = SectorSizes(disc->sheet_, sheetPath);
  std::vector<Frame> fileSectors;
  for (std::size_t n = 0; n < disc->sheet_.files.size(); ++n)
    fileSectors.push_back(disc->OpenDataFile(n, sectorBytes[n]));
  CheckIndexesInFiles(disc->sheet_, sheetPath, fileSectors);
  disc->MakeToc(disc->LaySegments(fileSectors));
  return disc;
}

Frame ImageDisc::OpenDataFile(std::size_t n, std::size_t sectorBytes) {
  const CueFile& cf = sheet_.files[n];
  const std::string where = Where(sheetPath_, cf.line);
  const std::string path = ResolveFile(sheetPath_, cf.name, sheet_.latin1);
  DataFile f;
  f.swap = cf.type == CueFileType::Motorola;
  f.sectorBytes = sectorBytes;
  f.fd = OpenForReading(path);
  if (f.fd < 0) throw DiscImageError(where + "cannot open '" + cf.name + "': " + std::strerror(errno));
  files_.push_back(f);  // closed by the destructor from here on
  struct stat st {};
  if (::fstat(f.fd, &st) != 0 || !S_ISREG(st.st_mode))
    throw DiscImageError(where + "'" + cf.name + "' is not a plain file");
  const auto size = static_cast<std::uint64_t>(st.st_size);
  if (cf.type == CueFileType::Wave) {
    ReadWaveLayout(f.fd, size, where, cf.name, f.dataStart, f.dataBytes, warnings_);
  } else {
    f.dataBytes = size;
  }
  files_.back() = f;
  // A short last sector is played padded with silence.
  const std::uint64_t sectors = (f.dataBytes + f.sectorBytes - 1) / f.sectorBytes;
  if (sectors > kMaxLeadOut) throw DiscImageError(where + "'" + cf.name + "' is too long for a CD");
  return static_cast<Frame>(sectors);
}

Frame ImageDisc::LaySegments(const std::vector<Frame>& fileSectors) {
  const CueSheet& sheet = sheet_;
  Frame disc_at = 0;
  auto add = [&](int file, Frame fileAt, Frame length, bool audio) {
    if (length == 0) return;
    segments_.push_back({disc_at, length, file, fileAt, audio});
    disc_at += length;
  };
  std::size_t next = 0;  // the next track whose data is yet to begin
  bool audio = sheet.tracks.front().audio;
  for (std::size_t n = 0; n < sheet.files.size(); ++n) {
    Frame pos = 0;
    while (next < sheet.tracks.size() && sheet.tracks[next].First().file == n) {
      const CueTrack& t = sheet.tracks[next];
      add(static_cast<int>(n), pos, t.First().at - pos, audio);
      if (next > 0) add(-1, 0, sheet.tracks[next - 1].postgap, true);
      add(-1, 0, t.pregap, true);
      pos = t.First().at;
      audio = t.audio;
      ++next;
    }
    add(static_cast<int>(n), pos, fileSectors[n] - pos, audio);
  }
  add(-1, 0, sheet.tracks.back().postgap, true);
  return disc_at;
}

void ImageDisc::MakeToc(Frame discLength) {
  // A track starts at its INDEX 01, wherever its file was put.
  for (const auto& t : sheet_.tracks) {
    const CueIndex& s = t.Start();
    Frame at = 0;
    for (const auto& seg : segments_) {
      if (seg.file == static_cast<int>(s.file) && s.at >= seg.fileAt && s.at < seg.fileAt + seg.length) {
        at = seg.start + (s.at - seg.fileAt);
        break;
      }
    }
    const Frame start = kLeadInFrames + at;
    if (!toc_.starts.empty() && start <= toc_.starts.back())
      throw DiscImageError(Where(sheetPath_, s.line) + "track " + std::to_string(t.number - 1) + " has no length");
    toc_.starts.push_back(start);
  }
  const std::uint64_t leadOut = std::uint64_t(kLeadInFrames) + discLength;
  if (leadOut > kMaxLeadOut) throw DiscImageError(sheetPath_ + ": the disc is too long for a CD");
  toc_.leadOut = static_cast<Frame>(leadOut);
  if (toc_.leadOut <= toc_.starts.back())
    throw DiscImageError(Where(sheetPath_, sheet_.tracks.back().line) + "track " +
                         std::to_string(sheet_.tracks.back().number) + " has no length");
}

bool ImageDisc::ReadSector(const Segment& s, Frame at, std::uint8_t* out) const {
  if (s.file < 0 || !s.audio) {
    std::memset(out, 0, kSectorBytes);
    return true;
  }
  const DataFile& f = files_[static_cast<std::size_t>(s.file)];
  const std::uint64_t offset = std::uint64_t(s.fileAt + at) * f.sectorBytes;
  const std::size_t bytes = static_cast<std::size_t>(std::min<std::uint64_t>(kSectorBytes, f.dataBytes - offset));
  if (!ReadAt(f.fd, f.dataStart + offset, out, bytes)) return false;
  std::memset(out + bytes, 0, kSectorBytes - bytes);
  if (f.swap)
    for (std::size_t i = 0; i + 1 < kSectorBytes; i += 2) std::swap(out[i], out[i + 1]);
  return true;
}

int ImageDisc::Read(Frame first, int count, std::uint8_t* out) {
  int done = 0;
  for (; done < count; ++done) {
    const std::uint64_t frame = std::uint64_t(first) + static_cast<std::uint64_t>(done);
    std::uint8_t* sector = out + static_cast<std::size_t>(done) * kSectorBytes;
    if (frame >= toc_.leadOut) break;
    if (frame < kLeadInFrames) {  // the lead-in gap before the first track is silent
      std::memset(sector, 0, kSectorBytes);
      continue;
    }
    const auto at = static_cast<Frame>(frame - kLeadInFrames);
    const auto it =
        std::upper_bound(segments_.begin(), segments_.end(), at, [](Frame f, const Segment& s) { return f < s.start; });
    if (it == segments_.begin()) break;
    const Segment& s = *std::prev(it);
    if (!ReadSector(s, at - s.start, sector)) break;
  }
  return done;
}

std::optional<std::string> ImageDisc::Title(int track) const {
  if (track < 0 || track > static_cast<int>(sheet_.tracks.size())) return std::nullopt;
  const std::string& t = track == 0 ? sheet_.title : sheet_.tracks[std::size_t(track) - 1].title;
  if (t.empty()) return std::nullopt;
  return t;
}

std::optional<std::string> ImageDisc::Performer(int track) const {
  if (track < 0 || track > static_cast<int>(sheet_.tracks.size())) return std::nullopt;
  const std::string& p = track == 0 ? sheet_.performer : sheet_.tracks[std::size_t(track) - 1].performer;
  if (p.empty()) return std::nullopt;
  return p;
}

}  // namespace platform::cd
