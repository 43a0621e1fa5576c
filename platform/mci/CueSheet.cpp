#include "platform/mci/CueSheet.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>

#include "platform/system/Ascii.h"

namespace platform::cd {

namespace {

// The largest MSF a sheet may write; the disc as a whole is checked against the
// interface's minute byte when the files are known.
constexpr std::uint32_t kMaxMinutes = 999;
constexpr int kMaxTrack = 99;

std::string Upper(std::string_view s) { return platform::AsciiUpper(s); }

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\f' || c == '\v'; }

std::string_view TrimView(std::string_view s) {
  while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
  return s;
}

// Splits off the first word of `rest`.
std::string_view NextWord(std::string_view& rest) {
  rest = TrimView(rest);
  std::size_t n = 0;
  while (n < rest.size() && !IsSpace(rest[n])) ++n;
  const std::string_view word = rest.substr(0, n);
  rest = TrimView(rest.substr(n));
  return word;
}

// A text argument: everything between the quotes when it is quoted (a missing closing
// quote takes the rest of the line), else the rest of the line.
std::string_view TextArgument(std::string_view rest) {
  rest = TrimView(rest);
  if (!rest.empty() && rest.front() == '"') {
    rest.remove_prefix(1);
    const auto close = rest.find('"');
    return close == std::string_view::npos ? rest : rest.substr(0, close);
  }
  return rest;
}

bool ValidUtf8(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const auto c = static_cast<unsigned char>(s[i]);
    std::size_t extra;
    std::uint32_t cp;
    if (c < 0x80) {
      ++i;
      continue;
    } else if ((c & 0xE0) == 0xC0) {
      extra = 1;
      cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
      extra = 2;
      cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
      extra = 3;
      cp = c & 0x07;
    } else {
      return false;
    }
    if (s.size() - i <= extra) return false;
    for (std::size_t k = 1; k <= extra; ++k) {
      const auto d = static_cast<unsigned char>(s[i + k]);
      if ((d & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (d & 0x3F);
    }
    // Overlong forms, surrogates and values past Unicode are not UTF-8.
    static constexpr std::array<std::uint32_t, 4> kMin{0, 0x80, 0x800, 0x10000};
    if (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += extra + 1;
  }
  return true;
}

std::optional<std::uint32_t> Number(std::string_view s) {
  std::uint32_t v = 0;
  if (s.empty() || s.size() > 9) return std::nullopt;
  auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || p != s.data() + s.size()) return std::nullopt;
  return v;
}

// "mm:ss:ff" with seconds below 60 and frames below 75.
std::optional<Frame> Msf(std::string_view s) {
  const auto c1 = s.find(':');
  if (c1 == std::string_view::npos) return std::nullopt;
  const auto c2 = s.find(':', c1 + 1);
  if (c2 == std::string_view::npos) return std::nullopt;
  const auto m = Number(s.substr(0, c1));
  const auto sec = Number(s.substr(c1 + 1, c2 - c1 - 1));
  const auto f = Number(s.substr(c2 + 1));
  if (!m || !sec || !f || *m > kMaxMinutes || *sec >= 60 || *f >= kFramesPerSecond) return std::nullopt;
  return FromMsf(*m, *sec, *f);
}

struct TrackMode {
  const char* name;
  bool audio;
  std::size_t sectorBytes;
};
constexpr std::array<TrackMode, 8> kModes{{
    {"AUDIO", true, 2352},
    {"CDG", false, 2448},
    {"MODE1/2048", false, 2048},
    {"MODE1/2352", false, 2352},
    {"MODE2/2336", false, 2336},
    {"MODE2/2352", false, 2352},
    {"CDI/2336", false, 2336},
    {"CDI/2352", false, 2352},
}};

class Parser {
 public:
  Parser(std::string_view text, const std::string& name) : text_(text), name_(name) {}

  CueSheet Run() {
    if (text_.substr(0, 3) == "\xEF\xBB\xBF") text_.remove_prefix(3);
    if (text_.find('\0') != std::string_view::npos)
      throw DiscImageError(name_ + ": not a CUE sheet (it holds binary data)");
    sheet_.latin1 = !ValidUtf8(text_);
    std::size_t at = 0;
    while (at < text_.size()) {
      // Lines end with LF, CR LF or a lone CR.
      std::size_t end = at;
      while (end < text_.size() && text_[end] != '\n' && text_[end] != '\r') ++end;
      ++line_;
      Line(text_.substr(at, end - at));
      if (end < text_.size() && text_[end] == '\r' && end + 1 < text_.size() && text_[end + 1] == '\n') ++end;
      at = end + 1;
    }
    if (sheet_.tracks.empty()) throw DiscImageError(name_ + ": the sheet names no track");
    CloseTrack();
    CloseFile();
    return std::move(sheet_);
  }

 private:
  [[noreturn]] void Fail(const std::string& what) const {
    throw DiscImageError(name_ + ":" + std::to_string(line_) + ": " + what);
  }
  void Warn(const std::string& what) { sheet_.warnings.push_back(name_ + ":" + std::to_string(line_) + ": " + what); }
  std::string Text(std::string_view raw) const { return sheet_.latin1 ? Latin1ToUtf8(raw) : std::string(raw); }
  CueTrack* Current() { return sheet_.tracks.empty() ? nullptr : &sheet_.tracks.back(); }

  void Line(std::string_view raw) {
    std::string_view rest = raw;
    const std::string keyword = Upper(NextWord(rest));
    if (keyword.empty()) return;
    if (keyword == "FILE") {
      File(rest);
    } else if (keyword == "TRACK") {
      Track(rest);
    } else if (keyword == "INDEX") {
      Index(rest);
    } else if (keyword == "PREGAP" || keyword == "POSTGAP") {
      Gap(keyword, rest);
    } else if (keyword == "TITLE" || keyword == "PERFORMER") {
      const std::string value = Text(TextArgument(rest));
      CueTrack* t = Current();
      std::string& target = keyword == "TITLE" ? (t ? t->title : sheet_.title) : (t ? t->performer : sheet_.performer);
      target = value;
    } else if (keyword == "REM" || keyword == "CATALOG" || keyword == "CDTEXTFILE" || keyword == "FLAGS" ||
               keyword == "ISRC" || keyword == "SONGWRITER" || keyword == "COMPOSER" || keyword == "ARRANGER" ||
               keyword == "MESSAGE" || keyword == "DISC_ID" || keyword == "GENRE" || keyword == "UPC_EAN" ||
               keyword == "TOC_INFO1" || keyword == "TOC_INFO2" || keyword == "SIZE_INFO") {
      // Known and of no use to a player.
    } else {
      Warn("ignored: not a CUE command");
    }
  }

  void File(std::string_view rest) {
    rest = TrimView(rest);
    std::string_view name;
    std::string_view type;
    if (!rest.empty() && rest.front() == '"') {
      const auto close = rest.find('"', 1);
      if (close == std::string_view::npos) Fail("FILE: the name has no closing quote");
      name = rest.substr(1, close - 1);
      type = TrimView(rest.substr(close + 1));
    } else {
      // A bare name may hold spaces: the type is the last word.
      std::size_t split = rest.size();
      while (split > 0 && !IsSpace(rest[split - 1])) --split;
      name = TrimView(rest.substr(0, split));
      type = rest.substr(split);
    }
    if (name.empty()) Fail("FILE: no file name");
    CloseFile();
    const std::string t = Upper(type);
    CueFile file{std::string(name), CueFileType::Binary, line_};
    if (t == "BINARY") {
      file.type = CueFileType::Binary;
    } else if (t == "MOTOROLA") {
      file.type = CueFileType::Motorola;
    } else if (t == "WAVE") {
      file.type = CueFileType::Wave;
    } else if (t.empty()) {
      Fail("FILE: no file type (BINARY, MOTOROLA or WAVE)");
    } else {
      Fail("FILE: type " + std::string(type) + " cannot be read (BINARY, MOTOROLA or WAVE)");
    }
    sheet_.files.push_back(std::move(file));
    indexInFile_ = false;
  }

  void Track(std::string_view rest) {
    if (sheet_.files.empty()) Fail("TRACK before any FILE");
    const auto number = Number(NextWord(rest));
    const std::string mode = Upper(NextWord(rest));
    if (!number || *number < 1 || *number > kMaxTrack) Fail("TRACK: the number must be 1 to 99");
    const int expected = sheet_.tracks.empty() ? 1 : sheet_.tracks.back().number + 1;
    if (static_cast<int>(*number) != expected)
      Fail("TRACK " + std::to_string(*number) + ": expected track " + std::to_string(expected));
    const auto m = std::find_if(kModes.begin(), kModes.end(), [&](const TrackMode& k) { return mode == k.name; });
    if (m == kModes.end()) Fail("TRACK: unknown track type '" + mode + "'");
    CloseTrack();
    CueTrack track;
    track.number = static_cast<int>(*number);
    track.line = line_;
    track.audio = m->audio;
    track.sectorBytes = m->sectorBytes;
    sheet_.tracks.push_back(std::move(track));
  }

  // Checks that the track just finished can be placed.
  void CloseTrack() {
    CueTrack* t = Current();
    if (!t) return;
    const bool hasStart =
        std::any_of(t->indexes.begin(), t->indexes.end(), [](const CueIndex& i) { return i.number == 1; });
    if (!hasStart)
      throw DiscImageError(name_ + ":" + std::to_string(t->line) + ": track " + std::to_string(t->number) +
                           " has no INDEX 01");
  }

  // A file must hold at least one INDEX, or nothing would say which track its data is.
  void CloseFile() const {
    if (sheet_.files.empty() || indexInFile_) return;
    throw DiscImageError(name_ + ":" + std::to_string(sheet_.files.back().line) + ": FILE '" +
                         sheet_.files.back().name + "' holds no INDEX");
  }

  void Index(std::string_view rest) {
    CueTrack* t = Current();
    if (!t) Fail("INDEX before any TRACK");
    const auto number = Number(NextWord(rest));
    const std::string_view time = NextWord(rest);
    if (!number || *number > 99) Fail("INDEX: the number must be 0 to 99");
    const auto at = Msf(time);
    if (!at) Fail("INDEX: '" + std::string(time) + "' is not a time mm:ss:ff");
    if (t->indexes.empty() ? *number > 1 : static_cast<int>(*number) != t->indexes.back().number + 1)
      Fail("INDEX " + std::to_string(*number) + " out of order");
    const CueIndex index{static_cast<int>(*number), sheet_.files.size() - 1, *at, line_};
    // Within one file the positions go forward; a new file starts from its own beginning.
    if (last_ && last_->file == index.file && index.at < last_->at)
      Fail("INDEX goes back before the one on line " + std::to_string(last_->line));
    last_ = index;
    indexInFile_ = true;
    t->indexes.push_back(index);
  }

  void Gap(const std::string& keyword, std::string_view rest) {
    CueTrack* t = Current();
    if (!t) Fail(keyword + " before any TRACK");
    const std::string_view time = NextWord(rest);
    const auto length = Msf(time);
    if (!length) Fail(keyword + ": '" + std::string(time) + "' is not a length mm:ss:ff");
    (keyword == "PREGAP" ? t->pregap : t->postgap) = *length;
  }

  std::string_view text_;
  const std::string& name_;
  CueSheet sheet_;
  int line_ = 0;
  std::optional<CueIndex> last_;
  bool indexInFile_ = false;
};

}  // namespace

const CueIndex& CueTrack::Start() const {
  for (const auto& i : indexes)
    if (i.number == 1) return i;
  return indexes.front();
}

CueSheet CueSheet::Parse(std::string_view text, const std::string& sheetName) { return Parser(text, sheetName).Run(); }

std::string Latin1ToUtf8(std::string_view s) {
  std::string out;
  out.reserve(s.size() * 2);
  for (char ch : s) {
    const auto c = static_cast<unsigned char>(ch);
    if (c < 0x80) {
      out.push_back(ch);
    } else {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

}  // namespace platform::cd
