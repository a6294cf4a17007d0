/* The sound module's boundary: plain C, so that a module built by another
 * compiler or against another C++ library still meets the program on known
 * terms. The program asks morna_sound_abi_version() first and uses nothing
 * else of a module whose number differs from MORNA_SOUND_ABI_VERSION.
 *
 * No C++ exception leaves any of these functions: each returns a status,
 * and a failure's text (UTF-8) is kept by the player until its next call.
 * Every function is called on the thread that runs the event loop. */
#ifndef MORNA_SOUND_ABI_H
#define MORNA_SOUND_ABI_H

#ifdef __cplusplus
extern "C" {
#endif

/* Raised whenever a function below changes its meaning or its signature. */
#define MORNA_SOUND_ABI_VERSION 1

typedef struct MornaSoundPlayer MornaSoundPlayer;

typedef enum MornaSoundStatus {
  MORNA_SOUND_OK = 0,
  MORNA_SOUND_FILE_FAILED = 1,   /* the file is missing, unreadable or not a playable WAV */
  MORNA_SOUND_OUTPUT_FAILED = 2  /* no sound can be made at all (no device, no sound server) */
} MornaSoundStatus;

/* The names the program looks the functions up by. */
#define MORNA_SOUND_ABI_VERSION_SYMBOL "morna_sound_abi_version"

typedef int (*MornaSoundAbiVersionFn)(void);
typedef MornaSoundPlayer* (*MornaSoundNewFn)(void);
typedef void (*MornaSoundFreeFn)(MornaSoundPlayer*);
typedef int (*MornaSoundPlayFileFn)(MornaSoundPlayer*, const char* pathUtf8);
typedef int (*MornaSoundPlayChimeFn)(MornaSoundPlayer*);
typedef void (*MornaSoundStopFn)(MornaSoundPlayer*);
typedef int (*MornaSoundIsPlayingFn)(const MornaSoundPlayer*);
typedef const char* (*MornaSoundErrorFn)(const MornaSoundPlayer*);

/* MORNA_SOUND_ABI_VERSION of the module. */
int morna_sound_abi_version(void);
/* A player on the system's default audio output; NULL when none can be made. */
MornaSoundPlayer* morna_sound_new(void);
void morna_sound_free(MornaSoundPlayer* player);
/* Starts playing the WAV file at `pathUtf8` from its start (a sound still
 * playing stops first) and returns at once. */
int morna_sound_play_file(MornaSoundPlayer* player, const char* pathUtf8);
/* The same with the module's own chime, which needs no file. */
int morna_sound_play_chime(MornaSoundPlayer* player);
void morna_sound_stop(MornaSoundPlayer* player);
/* 1 while a sound plays, else 0. */
int morna_sound_is_playing(const MornaSoundPlayer* player);
/* The text of the last failure ("" when the last call went well). */
const char* morna_sound_error(const MornaSoundPlayer* player);

#ifdef __cplusplus
}
#endif

#endif
