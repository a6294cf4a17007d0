// Where the program keeps its two files.
//
// A copy that can write its settings file beside the executable (an unpacked
// copy, the build folder, a prepared settings file in a shared folder) keeps
// the settings there and takes a relative data file name from the current
// folder. An installed copy can write neither the file nor the folder beside
// it; it keeps the settings in the user's config folder and takes a relative
// data file name from the user's data folder.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace morna {

// What the program finds at start-up; paths are native.
struct FileFacts {
  std::string exeIniPath;       // the executable's path with ".ini" in place of its extension
  bool exeIniExists = false;
  bool exeIniWritable = false;
  bool exeDirWritable = false;  // the executable's folder
  std::string userConfigDir;    // e.g. ~/.config/Moranote
  std::string userDataDir;      // e.g. ~/.local/share/Moranote
};

struct FilePlaces {
  std::string iniPath;
  // Where a relative data file name lives; empty: the current folder.
  std::string dataDir;
  // The files live in the user's folders, which may still have to be made.
  bool perUser = false;
};

FilePlaces ChooseFilePlaces(const FileFacts& facts);

// A data file name from the settings as the path to open: a relative name is
// taken inside `dataDir` when there is one. An empty name stays empty.
std::string ResolveDataFile(const std::string& name, const std::string& dataDir);

// The home folder: HOME when it is set and not empty, else what
// `userDatabaseHome` gives (asked only then).
std::string HomeFolder(std::string_view homeVariable,
                       const std::function<std::string()>& userDatabaseHome);

// A per-user base folder of the XDG base directory rules: the value of its
// variable (XDG_CONFIG_HOME, XDG_DATA_HOME) when that is an absolute path;
// otherwise (unset, empty, or relative, which the rules say to ignore)
// `fallback` (".config", ".local/share") inside `home`.
std::string XdgBaseFolder(std::string_view variable, const std::string& home,
                          std::string_view fallback);

}  // namespace morna
