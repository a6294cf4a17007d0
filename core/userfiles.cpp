#include "core/userfiles.h"

#include <filesystem>

namespace morna {

namespace {

// Joined with "/", which every platform takes and the toolkit's paths use.
std::string Join(const std::string& dir, const std::string& name) {
  if (!dir.empty() && dir.back() == '/') return dir + name;
  return dir + "/" + name;
}

}  // namespace

FilePlaces ChooseFilePlaces(const FileFacts& facts) {
  if ((facts.exeIniExists && facts.exeIniWritable) || facts.exeDirWritable)
    return FilePlaces{facts.exeIniPath, {}, false};
  const std::string iniName = std::filesystem::path(facts.exeIniPath).filename().string();
  return FilePlaces{Join(facts.userConfigDir, iniName), facts.userDataDir, true};
}

std::string ResolveDataFile(const std::string& name, const std::string& dataDir) {
  if (name.empty() || dataDir.empty()) return name;
  const std::filesystem::path path(name);
  // "\name" on Windows is relative to the drive, not to a folder: keep it.
  if (path.is_absolute() || path.has_root_path()) return name;
  return Join(dataDir, name);
}

std::string HomeFolder(std::string_view homeVariable,
                       const std::function<std::string()>& userDatabaseHome) {
  if (!homeVariable.empty()) return std::string(homeVariable);
  return userDatabaseHome ? userDatabaseHome() : std::string();
}

std::string XdgBaseFolder(std::string_view variable, const std::string& home,
                          std::string_view fallback) {
  if (!variable.empty() && variable.front() == '/') return std::string(variable);
  return Join(home, std::string(fallback));
}

}  // namespace morna
