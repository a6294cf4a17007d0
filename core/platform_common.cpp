// The parts of the file seam that are the same on every system.
#include <atomic>
#include <cstdio>
#include <random>

#include "core/platform.h"

namespace morna::platform {

std::string UniqueCandidate(const std::string& before, std::string_view after) {
  static std::atomic<unsigned> counter{0};
  static std::random_device rd;
  char suffix[64];
  std::snprintf(suffix, sizeof suffix, "%lld-%u-%08x", static_cast<long long>(CurrentProcessId()),
                counter.fetch_add(1), static_cast<unsigned>(rd()));
  std::string name = before;
  name.append(suffix).append(after);
  return name;
}

}  // namespace morna::platform
