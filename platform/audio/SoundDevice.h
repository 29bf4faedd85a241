#pragma once
// The sound device layer: a root object, a device made from it and buffers
// made from wave files, with the operations the game's sound code uses.
// Every operation reports success (true) or failure (false).
//
// One device and one context serve the whole program. Volume and pan are in
// hundredths of a decibel (volume 0 = full, pan > 0 lowers the left side),
// frequency in hertz (0 = the file's own rate). Decoded waves are cached by
// path and file stamp, so a changed file is read again.
#include <memory>
#include <string>
#include <vector>

class DirectSoundBuffer;
class OpenalVoice;
class ServerVoice;
class SoundStream;

class DirectSound {
public:
    bool SetCooperativeLevel(long hwnd, int level);
    // A buffer of the whole file, all its channels mixed down to the two
    // outputs: decoded and kept when it is short, streamed as it plays when
    // it is long; nullptr when the file is missing or not a readable wave
    // file.
    std::unique_ptr<DirectSoundBuffer> CreateSoundBufferFromFile(const std::string& path, int flags);
    // A buffer that streams the file as it plays (the music): any length,
    // little memory. It is made before the device is ready and sounds as
    // soon as it is; nullptr when the file is not a readable wave file.
    std::unique_ptr<DirectSoundBuffer> CreateStreamingBufferFromFile(const std::string& path, bool music = true);
};

class DirectX7 {
public:
    // The device for the default output, or nullptr when there is none.
    std::unique_ptr<DirectSound> DirectSoundCreate(const std::string& guid);
};

class DirectSoundBuffer {
public:
    static constexpr int kLooping = 1;
    ~DirectSoundBuffer();
    bool Play(int flags);
    bool Stop();  // the position stays
    bool SetCurrentPosition(long pos);
    bool SetVolume(long volume);
    bool SetPan(long pan);
    bool SetFrequency(long freq);
    long GetFrequency() const;
    bool Playing() const;

    // The service step of this buffer: a stream is fed (and attached to
    // the device once it is there). True while it sounds or wants to.
    bool Serve();
    // The device went away with its sources: a stream attaches itself to
    // the next one and goes on from where its file stands.
    void DeviceLost();
    // A stream that wants to play and has no device.
    bool WaitsForDevice() const { return stream_ && wantPlaying_ && !al_ && !voice_; }

private:
    friend class DirectSound;
    DirectSoundBuffer();
    void ApplyGains();
    bool Attach();
    std::unique_ptr<SoundStream> stream_;
    std::unique_ptr<OpenalVoice> al_;     // played by OpenAL Soft's device
    std::unique_ptr<ServerVoice> voice_;  // played by the desktop's sound server instead
    bool wantPlaying_ = false;            // a stream's state, kept before the device is there
    bool music_ = true;                   // a stream that queues long (not a long effect)
    long rate_ = 0;                       // the file's own rate
    long freq_ = 0;                       // current rate
    long volume_ = 0;
    long pan_ = 0;
};

// The shared device.
namespace sounddevice {
// Open the default output (done on first use); false without sound.
bool Available();
// Tests: render through a loopback device instead of the speakers.
bool UseLoopback(int rate);
// Loopback only: renders frames of interleaved stereo floats.
std::vector<float> Render(int frames);
// How many times a device was opened since start (0 or 1 in practice).
int DeviceOpens();
// Opens the default output on another thread; the first sound waits for
// it, a streamed music attaches itself once it is there. Start-up calls it
// first, so the window comes up without waiting for the sound server.
void OpenInBackground();
// The main window is on the screen: the background open goes ahead (it
// waits a second at most for this).
void WindowShown();
// Whether the desktop's sound server plays, through its own interface.
bool ThroughServer();
// Whether the device mixes nothing now (nothing can sound).
bool DevicePaused();
// Forget the cached decoded waves.
void ClearCache();
}  // namespace sounddevice
