// The system information the settings dialog shows, from this platform's
// sources: the operating system's name and version, the user's name, the
// processor and the total physical memory.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace morna::ui {

struct SystemInfo {
  std::optional<QString> os;         // nothing: the line keeps its text
  QString user;
  std::optional<QString> processor;  // nothing: the line keeps its text
  std::uint64_t memoryBytes = 0;
};

SystemInfo ReadSystemInfo();

}  // namespace morna::ui
