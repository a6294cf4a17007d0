// The settings controller: reads and writes the settings file.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/result.h"
#include "core/settings.h"

namespace morna {

class IniFile;

class TPstCtl {
 public:
  // Reads the file at `path` (a native path; a missing file gives every
  // default) into `s` and the registration window's position. Values are
  // kept as the file has them, in range or not, so that a save writes back
  // what the user wrote; whatever uses a value keeps it within what it can
  // work with. An empty value takes the default, text or number. A FileName
  // or WaveFileName too long to be read whole is refused: its default is
  // used and listed in `s.Refused`, and a save keeps the user's line.
  void LoadSettings(const std::string& path, Settings& s, WindowPos& pos) const;

  // Writes `s` and `pos`. All keys are set in memory and the file is then
  // replaced in one go, so the only write that can fail is that of the file
  // itself (it cannot be created or replaced, or it exists but cannot be
  // read): the save then stops before its first key, returns the system's
  // reason, and the file keeps every old value. Other lines of the file stay
  // as they were, and a save that changes nothing leaves the file untouched.
  FileResult SaveSettings(const std::string& path, const Settings& s, const WindowPos& pos) const;

  // The two halves of the above on a file in memory: every key read into
  // `s` and `pos` (then normalised), and every key written from them.
  void ReadSettings(const IniFile& ini, Settings& s, WindowPos& pos) const;
  void WriteSettings(IniFile& ini, const Settings& s, const WindowPos& pos) const;
};

// Reads an integer value of the settings file: decimal with an optional
// sign, or hexadecimal after "$", "0x" or "0X" (32 bits). Anything else,
// the empty text included, is not an integer.
std::optional<int> ParseIniInt(std::string_view text);

}  // namespace morna
