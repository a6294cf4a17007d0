// A small INI (private-profile) file over Shift-JIS bytes.
//
// The file is read into lines once, every read and write works on those
// lines in memory, and Save() puts the whole file back in one go. Lines the
// program does not write (other keys, comments, other sections, blank lines
// and their line ends) stay byte for byte as they were.
//
// Rules:
// - section and key names match without regard to ASCII case; the bytes of a
//   double-byte Shift-JIS character are never folded;
// - a value loses its surrounding blanks and is read up to 1023 bytes (never
//   ending in half a double-byte character); a longer value is cut there,
//   and writing back what was read leaves its line whole;
// - a key present with an empty value reads as the empty text;
// - writing an existing key replaces its value in its own line; a new key
//   goes after the last key line of its section, and a missing section is
//   added at the end of the file; new lines end with CR LF;
// - the first section of a name and the first key of a name in it count.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/result.h"

namespace morna {

inline constexpr std::size_t kIniMaxValueBytes = 1023;

class IniFile {
 public:
  // Reads the file at `path`, after removing the temporary files that
  // killed saves of it left behind. A missing file (in a folder that
  // exists) gives an empty file that Save() creates; a file that exists but
  // cannot be read, or is no regular file, gives Failed, and Save() then
  // refuses to replace it.
  FileResult Load(const std::string& path);
  // Takes the bytes of a file as read, for no file on disk (Load() reads
  // the file and hands its bytes here).
  void Parse(std::string_view bytes);

  // The value of `key` in `section`, or nothing when the key is absent.
  std::optional<std::string> Read(std::string_view section, std::string_view key) const;
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view fallback) const;
  // Whether the value of `key` is longer than Read() gives, so that what
  // Read() gives is only its first part.
  bool IsCut(std::string_view section, std::string_view key) const;

  // Sets `key` in `section` to `value` in memory. CR and LF bytes are left
  // out of the value, so a value can never break into further lines. A
  // value equal to what Read() gives leaves the line as it is, so a value
  // that was cut is never written back cut.
  void Write(std::string_view section, std::string_view key, std::string_view value);

  // Writes the file when anything changed since Load(), with SaveWholeFile
  // (core/files.h), so the old file stays whole when the write fails.
  // A failure carries the system's text; nothing on disk has changed then.
  FileResult Save();

  bool Changed() const { return changed_; }
  // The whole file as it would be written.
  std::string Contents() const;

 private:
  struct Line {
    std::string text;  // without its line end
    std::string end;   // "\r\n", "\n", "\r" or "" for a last line without one
  };
  struct Section {
    std::size_t header = 0;     // index of its [NAME] line
    std::size_t lastKey = 0;    // index of its last key line (header when none)
    std::size_t end = 0;        // one past its last line
  };

  std::optional<Section> FindSection(std::string_view section) const;
  std::optional<std::size_t> FindKey(const Section& s, std::string_view key) const;
  // The value part of key line `j`, without its surrounding blanks.
  std::string_view RawValue(std::size_t j) const;
  void Insert(std::size_t at, std::string text);

  std::string path_;
  std::vector<Line> lines_;
  // Indexes of the section lines, found once after each change of lines:
  // every Read and Write looks a section up.
  mutable std::vector<std::size_t> headers_;
  mutable bool headersKnown_ = false;
  bool readFailed_ = false;
  int readError_ = 0;  // a platform::ErrorCode
  bool changed_ = false;
};

}  // namespace morna
