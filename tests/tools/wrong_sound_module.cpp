// A sound module of another version than the program's: it offers only its
// version, which the program must read and refuse before it asks for more.
#include "sound/sound_abi.h"

extern "C" __attribute__((visibility("default"))) int morna_sound_abi_version(void) {
  return MORNA_SOUND_ABI_VERSION + 1;
}
