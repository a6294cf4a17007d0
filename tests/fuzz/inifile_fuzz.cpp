// libFuzzer target: any bytes as a settings file. Loading the settings,
// saving them and loading again must give the same settings, and a second
// save must give the same bytes.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/inifile.h"
#include "core/pstctl.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const morna::TPstCtl ctl;

  morna::IniFile ini;
  ini.Parse(bytes);
  morna::Settings first;
  morna::WindowPos firstPos;
  ctl.ReadSettings(ini, first, firstPos);
  ctl.WriteSettings(ini, first, firstPos);
  const std::string saved = ini.Contents();

  morna::IniFile again;
  again.Parse(saved);
  morna::Settings second;
  morna::WindowPos secondPos;
  ctl.ReadSettings(again, second, secondPos);
  if (!(first == second) || !(firstPos == secondPos)) std::abort();
  ctl.WriteSettings(again, second, secondPos);
  if (again.Contents() != saved) std::abort();
  return 0;
}
