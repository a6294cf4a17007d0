// libFuzzer target: any bytes as a label data file. Reading, writing and
// reading again must give the same table, and writing that table again the
// same bytes.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/datafile.h"

namespace {

bool SameTable(const morna::PostTable& a, const morna::PostTable& b) {
  if (a.DataCnt() != b.DataCnt()) return false;
  for (int i = 0; i < a.DataCnt(); ++i) {
    if (a.Slot(i).DateTimeText != b.Slot(i).DateTimeText || a.Slot(i).Lines != b.Slot(i).Lines)
      return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  morna::PostTable first(30);
  morna::ParsePostData(bytes, first);
  const std::string saved = morna::FormatPostData(first);

  morna::PostTable second(30);
  morna::ParsePostData(saved, second);
  if (!SameTable(first, second)) std::abort();
  if (morna::FormatPostData(second) != saved) std::abort();
  return 0;
}
