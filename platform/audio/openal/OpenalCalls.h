#pragma once
// OpenAL Soft is opened on first use (LateLibrary.h), on the thread that
// opens the output: the calls the game makes, by name.
#define AL_ALEXT_PROTOTYPES  // the extensions' functions declared, to be found by name
#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>

#include "platform/runtime/LateLibrary.h"

LateLibrary& OpenalLibrary();

#define alBufferData(...) LATE_CALL(OpenalLibrary(), alBufferData, __VA_ARGS__)
#define alDeferUpdatesSOFT(...) LATE_CALL(OpenalLibrary(), alDeferUpdatesSOFT, __VA_ARGS__)
#define alDeleteBuffers(...) LATE_CALL(OpenalLibrary(), alDeleteBuffers, __VA_ARGS__)
#define alDeleteSources(...) LATE_CALL(OpenalLibrary(), alDeleteSources, __VA_ARGS__)
#define alGenBuffers(...) LATE_CALL(OpenalLibrary(), alGenBuffers, __VA_ARGS__)
#define alGenSources(...) LATE_CALL(OpenalLibrary(), alGenSources, __VA_ARGS__)
#define alGetError(...) LATE_CALL(OpenalLibrary(), alGetError, __VA_ARGS__)
#define alGetSourcei(...) LATE_CALL(OpenalLibrary(), alGetSourcei, __VA_ARGS__)
#define alIsBuffer(...) LATE_CALL(OpenalLibrary(), alIsBuffer, __VA_ARGS__)
#define alProcessUpdatesSOFT(...) LATE_CALL(OpenalLibrary(), alProcessUpdatesSOFT, __VA_ARGS__)
#define alSourcePausev(...) LATE_CALL(OpenalLibrary(), alSourcePausev, __VA_ARGS__)
#define alSourcePlayv(...) LATE_CALL(OpenalLibrary(), alSourcePlayv, __VA_ARGS__)
#define alSourceQueueBuffers(...) LATE_CALL(OpenalLibrary(), alSourceQueueBuffers, __VA_ARGS__)
#define alSourceRewindv(...) LATE_CALL(OpenalLibrary(), alSourceRewindv, __VA_ARGS__)
#define alSourceStopv(...) LATE_CALL(OpenalLibrary(), alSourceStopv, __VA_ARGS__)
#define alSourceUnqueueBuffers(...) LATE_CALL(OpenalLibrary(), alSourceUnqueueBuffers, __VA_ARGS__)
#define alSourcef(...) LATE_CALL(OpenalLibrary(), alSourcef, __VA_ARGS__)
#define alSourcei(...) LATE_CALL(OpenalLibrary(), alSourcei, __VA_ARGS__)
#define alcCloseDevice(...) LATE_CALL(OpenalLibrary(), alcCloseDevice, __VA_ARGS__)
#define alcCreateContext(...) LATE_CALL(OpenalLibrary(), alcCreateContext, __VA_ARGS__)
#define alcDestroyContext(...) LATE_CALL(OpenalLibrary(), alcDestroyContext, __VA_ARGS__)
#define alcDevicePauseSOFT(...) LATE_CALL(OpenalLibrary(), alcDevicePauseSOFT, __VA_ARGS__)
#define alcDeviceResumeSOFT(...) LATE_CALL(OpenalLibrary(), alcDeviceResumeSOFT, __VA_ARGS__)
#define alcGetIntegerv(...) LATE_CALL(OpenalLibrary(), alcGetIntegerv, __VA_ARGS__)
#define alcLoopbackOpenDeviceSOFT(...) LATE_CALL(OpenalLibrary(), alcLoopbackOpenDeviceSOFT, __VA_ARGS__)
#define alcMakeContextCurrent(...) LATE_CALL(OpenalLibrary(), alcMakeContextCurrent, __VA_ARGS__)
#define alcOpenDevice(...) LATE_CALL(OpenalLibrary(), alcOpenDevice, __VA_ARGS__)
#define alcRenderSamplesSOFT(...) LATE_CALL(OpenalLibrary(), alcRenderSamplesSOFT, __VA_ARGS__)
