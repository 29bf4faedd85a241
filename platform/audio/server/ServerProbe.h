#pragma once
// Whether the sound output may be opened now. OpenAL Soft tries its
// PulseAudio backend only once a run, when the library starts: started
// before the desktop's sound server (a common order at login), it would stay
// silent until the game is started again. So while the environment speaks of
// a PulseAudio server (PULSE_SERVER, or a user session with a PulseAudio or
// PipeWire server installed) that does not answer yet, the library is not
// started; it is once the server answers, or after half a minute without one
// (then whatever output there is). Once started, reopening is always allowed:
// a server restarted later is found by the library itself.
bool OutputMayOpen();

// Whether the desktop's sound server is played through its own interface:
// unless OpenAL Soft's drivers are chosen (ALSOFT_DRIVERS, or the file
// ALSOFT_CONF names) without PulseAudio among them.
bool ServerInterfaceChosen();
