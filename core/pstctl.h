// The settings controller: reads and writes the settings file.
#pragma once

#include <string>

#include "core/settings.h"

namespace morna {

class TPstCtl {
 public:
  // Reads the file at `path` (a native path; a missing file gives every
  // default) into `s` and the registration window's position. Values out of
  // range are brought back into range afterwards (see NormaliseSettings).
  void LoadSettings(const std::string& path, Settings& s, WindowPos& pos) const;

  // Writes `s` and `pos`. Returns false when a value could not be written;
  // the save stops at that key, keys written before it keep their new values.
  bool SaveSettings(const std::string& path, const Settings& s, const WindowPos& pos) const;
};

// Brings every value a user can type into the file back into a range the
// program can work with (DataCnt 1..50 and so on).
void NormaliseSettings(Settings& s);

}  // namespace morna
