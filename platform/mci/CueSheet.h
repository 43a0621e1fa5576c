// A CUE sheet: the text file that lays out a disc image's tracks over one or more data
// files. This reader takes the sheets that ripping programs write, not only the narrow form
// libcdio reads: keywords in any case, CR/LF line ends, a UTF-8 byte-order mark, quoted or
// bare names with spaces, BINARY, MOTOROLA and WAVE files, several FILE lines, INDEX 00
// and 01 (and higher, which are only checked), PREGAP, POSTGAP, and TITLE and PERFORMER
// for the disc and each track. Other commands (REM, CATALOG, FLAGS, ISRC, SONGWRITER, ...)
// are ignored.
//
// The reader only reads text; ImageDisc opens the files and checks the positions against
// them.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/mci/CdFrames.h"

namespace platform::cd {

// A sheet or image that cannot be used. The message names the sheet and, where one is to
// blame, its line: "<sheet>:<line>: <what>". It is a kind of invalid_argument so that
// whoever reads a disc description (which may name an image) catches one kind of error.
class DiscImageError : public std::invalid_argument {
 public:
  using std::invalid_argument::invalid_argument;
};

enum class CueFileType {
  Binary,    // raw sectors, samples little-endian
  Motorola,  // raw sectors, samples big-endian
  Wave,      // a RIFF WAVE file of 16-bit stereo PCM at 44.1 kHz
};

struct CueFile {
  std::string name;  // as the sheet writes it (bytes of the sheet, unconverted)
  CueFileType type = CueFileType::Binary;
  int line = 0;
};

struct CueIndex {
  int number = 0;        // 0 (the pregap) to 99
  std::size_t file = 0;  // into CueSheet::files
  Frame at = 0;          // sectors from the start of that file
  int line = 0;
};

struct CueTrack {
  int number = 0;
  int line = 0;  // of the TRACK command
  bool audio = true;
  std::size_t sectorBytes = 2352;  // in the file; data tracks may use smaller sectors
  std::vector<CueIndex> indexes;   // in the sheet's order, numbers ascending
  Frame pregap = 0;                // silence before the track, not in any file
  Frame postgap = 0;               // silence after it
  std::string title;               // UTF-8
  std::string performer;

  // The INDEX that starts the track's data (00 where there is one) and INDEX 01.
  const CueIndex& First() const { return indexes.front(); }
  const CueIndex& Start() const;
};

struct CueSheet {
  std::string title;  // UTF-8
  std::string performer;
  std::vector<CueFile> files;
  std::vector<CueTrack> tracks;
  // Texts were not UTF-8 and were read as Latin-1.
  bool latin1 = false;
  // Lines that were passed over although they might matter, as "<sheet>:<line>: <what>".
  std::vector<std::string> warnings;

  // Reads a sheet's text; `sheetName` only goes into the messages. Throws DiscImageError
  // for a sheet that describes no usable disc: no track, a TRACK before any FILE, a track
  // without INDEX 01, positions that go backwards, unknown file or track types, bad
  // numbers, binary data.
  static CueSheet Parse(std::string_view text, const std::string& sheetName);
};

// A Latin-1 text in UTF-8, for sheets (and the file names in them) written in Latin-1.
std::string Latin1ToUtf8(std::string_view s);

}  // namespace platform::cd
