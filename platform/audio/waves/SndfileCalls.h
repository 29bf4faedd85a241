#pragma once
// libsndfile, with its codecs, is opened on first use (LateLibrary.h), not
// before the program's first line: the calls the game makes, by name.
#include <sndfile.h>

#include "platform/runtime/LateLibrary.h"

LateLibrary& SndfileLibrary();

#define sf_open_fd(...) LATE_CALL(SndfileLibrary(), sf_open_fd, __VA_ARGS__)
#define sf_close(...) LATE_CALL(SndfileLibrary(), sf_close, __VA_ARGS__)
#define sf_readf_float(...) LATE_CALL(SndfileLibrary(), sf_readf_float, __VA_ARGS__)
#define sf_seek(...) LATE_CALL(SndfileLibrary(), sf_seek, __VA_ARGS__)
