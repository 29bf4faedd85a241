#pragma once
// libpulse (and the D-Bus and systemd libraries under it) is opened on
// first use (LateLibrary.h), on the thread that connects to the server: the
// calls the game makes, by name.
#include <pulse/pulseaudio.h>

#include "platform/runtime/LateLibrary.h"

LateLibrary& PulseLibrary();

#define pa_context_connect(...) LATE_CALL(PulseLibrary(), pa_context_connect, __VA_ARGS__)
#define pa_context_disconnect(...) LATE_CALL(PulseLibrary(), pa_context_disconnect, __VA_ARGS__)
#define pa_context_get_state(...) LATE_CALL(PulseLibrary(), pa_context_get_state, __VA_ARGS__)
#define pa_context_new_with_proplist(...) LATE_CALL(PulseLibrary(), pa_context_new_with_proplist, __VA_ARGS__)
#define pa_context_set_sink_input_volume(...) LATE_CALL(PulseLibrary(), pa_context_set_sink_input_volume, __VA_ARGS__)
#define pa_context_set_state_callback(...) LATE_CALL(PulseLibrary(), pa_context_set_state_callback, __VA_ARGS__)
#define pa_context_unref(...) LATE_CALL(PulseLibrary(), pa_context_unref, __VA_ARGS__)
#define pa_cvolume_init(...) LATE_CALL(PulseLibrary(), pa_cvolume_init, __VA_ARGS__)
#define pa_operation_cancel(...) LATE_CALL(PulseLibrary(), pa_operation_cancel, __VA_ARGS__)
#define pa_operation_unref(...) LATE_CALL(PulseLibrary(), pa_operation_unref, __VA_ARGS__)
#define pa_proplist_free(...) LATE_CALL(PulseLibrary(), pa_proplist_free, __VA_ARGS__)
#define pa_proplist_new(...) LATE_CALL(PulseLibrary(), pa_proplist_new, __VA_ARGS__)
#define pa_proplist_sets(...) LATE_CALL(PulseLibrary(), pa_proplist_sets, __VA_ARGS__)
#define pa_stream_connect_playback(...) LATE_CALL(PulseLibrary(), pa_stream_connect_playback, __VA_ARGS__)
#define pa_stream_cork(...) LATE_CALL(PulseLibrary(), pa_stream_cork, __VA_ARGS__)
#define pa_stream_disconnect(...) LATE_CALL(PulseLibrary(), pa_stream_disconnect, __VA_ARGS__)
#define pa_stream_drain(...) LATE_CALL(PulseLibrary(), pa_stream_drain, __VA_ARGS__)
#define pa_stream_flush(...) LATE_CALL(PulseLibrary(), pa_stream_flush, __VA_ARGS__)
#define pa_stream_get_index(...) LATE_CALL(PulseLibrary(), pa_stream_get_index, __VA_ARGS__)
#define pa_stream_get_state(...) LATE_CALL(PulseLibrary(), pa_stream_get_state, __VA_ARGS__)
#define pa_stream_new_with_proplist(...) LATE_CALL(PulseLibrary(), pa_stream_new_with_proplist, __VA_ARGS__)
#define pa_stream_set_state_callback(...) LATE_CALL(PulseLibrary(), pa_stream_set_state_callback, __VA_ARGS__)
#define pa_stream_set_write_callback(...) LATE_CALL(PulseLibrary(), pa_stream_set_write_callback, __VA_ARGS__)
#define pa_stream_unref(...) LATE_CALL(PulseLibrary(), pa_stream_unref, __VA_ARGS__)
#define pa_stream_update_sample_rate(...) LATE_CALL(PulseLibrary(), pa_stream_update_sample_rate, __VA_ARGS__)
#define pa_stream_writable_size(...) LATE_CALL(PulseLibrary(), pa_stream_writable_size, __VA_ARGS__)
#define pa_stream_write(...) LATE_CALL(PulseLibrary(), pa_stream_write, __VA_ARGS__)
#define pa_sw_volume_from_linear(...) LATE_CALL(PulseLibrary(), pa_sw_volume_from_linear, __VA_ARGS__)
#define pa_threaded_mainloop_free(...) LATE_CALL(PulseLibrary(), pa_threaded_mainloop_free, __VA_ARGS__)
#define pa_threaded_mainloop_get_api(...) LATE_CALL(PulseLibrary(), pa_threaded_mainloop_get_api, __VA_ARGS__)
#define pa_threaded_mainloop_lock(...) LATE_CALL(PulseLibrary(), pa_threaded_mainloop_lock, __VA_ARGS__)
#define pa_threaded_mainloop_new(...) LATE_CALL(PulseLibrary(), pa_threaded_mainloop_new, __VA_ARGS__)
#define pa_threaded_mainloop_start(...) LATE_CALL(PulseLibrary(), pa_threaded_mainloop_start, __VA_ARGS__)
#define pa_threaded_mainloop_stop(...) LATE_CALL(PulseLibrary(), pa_threaded_mainloop_stop, __VA_ARGS__)
#define pa_threaded_mainloop_unlock(...) LATE_CALL(PulseLibrary(), pa_threaded_mainloop_unlock, __VA_ARGS__)
#define pa_usec_to_bytes(...) LATE_CALL(PulseLibrary(), pa_usec_to_bytes, __VA_ARGS__)
