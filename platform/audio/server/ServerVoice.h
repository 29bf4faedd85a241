#pragma once
// A buffer played by the desktop's sound server: one stream of the server,
// fed with the buffer's frames (interleaved stereo at the file's own rate)
// when the server asks for them. The server mixes, applies the volume and
// pan as the stream's two channel volumes and plays it at the buffer's
// frequency (the stream's rate), so a change is heard at once however much
// is queued. An effect is written whole when it is short and asks for a low
// latency. The music queues long, so the game and the server wake rarely;
// its pan, which the stereo sweep moves a hundred times a second, is laid
// on the frames as they are written (each change the server applied would
// have it mix its whole queue again), so the sweep is heard as much later
// as is queued.
// Every public operation takes the connection's lock; the callbacks run
// under it already and call only the private steps, which take none.
#include <pulse/pulseaudio.h>

#include <atomic>
#include <memory>
#include <vector>

#include "platform/audio/waves/StereoSource.h"


class ServerVoice {
public:
    // An effect decoded whole, or a stream of its file (the music, a long
    // effect); `music` queues long.
    ServerVoice(std::shared_ptr<const std::vector<float>> frames, bool music);
    ServerVoice(StereoSource* stream, bool music);
    ~ServerVoice();
    ServerVoice(const ServerVoice&) = delete;
    ServerVoice& operator=(const ServerVoice&) = delete;

    // The server's stream is made at the first play, with these.
    void SetRate(long rate);
    // The volume and the pan's gains of the two sides, as linear factors.
    void SetGains(double volume, double left, double right);
    bool Play(bool looping);
    void Stop();  // the position stays
    void Seek(long frame);
    // Sounds, or will as soon as the server takes it.
    bool Playing() const { return playing_; }
    // The connection went away: the stream is dropped, the voice is silent.
    void Abandon();
    // The server ended the stream (not the connection): made again at the next play.
    bool Failed() const { return failed_; }

private:
    bool MakeStream();
    bool Ready() const;
    void DropStream();
    void Feed(size_t bytes);
    long Read(float* out, long frames);
    void Rewind(long frame);
    void Drain();
    void CancelDrain();
    void ApplyGains();
    void SendRate();
    pa_cvolume Volumes() const;
    static void Leave(pa_stream* s);
    void LayPan(float* frames, long count);
    void Cork(bool corked);
    static void OnState(pa_stream* s, void* self);
    static void OnWrite(pa_stream* s, size_t bytes, void* self);
    static void OnDrained(pa_stream* s, int success, void* self);

    pa_stream* stream_ = nullptr;
    pa_operation* drain_ = nullptr;
    std::shared_ptr<const std::vector<float>> frames_;
    StereoSource* file_ = nullptr;
    bool music_ = false;
    size_t pos_ = 0;  // the next frame of `frames_` to write
    bool looping_ = false;
    bool atEnd_ = false;                // everything written
    bool finished_ = false;             // everything played
    std::atomic<bool> playing_{false};  // read by the game without the lock
    std::atomic<bool> failed_{false};
    long rate_ = 44100;
    long sentRate_ = 0;  // the stream's rate as the server has it
    double volume_ = 1.0;
    double pan_[2] = {1.0, 1.0};
    double laidPan_[2] = {1.0, 1.0};  // on the last frame written
    pa_volume_t sent_[2] = {0, 0};    // the channel volumes the server has
};
