// The sound layer heard through a loopback device: volume, pan, frequency,
// stop and resume, restarts, the master switch and bad files.
#include <gtest/gtest.h>

#include <sndfile.h>
#include <unistd.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <chrono>
#include <cmath>
#include <cstdio>

#include <filesystem>
#include <fstream>
#include <future>
#include <thread>

#include "sound/DirectSound.h"
#include "sound/clsDMCtrl.h"

namespace fs = std::filesystem;

namespace {
constexpr int kRate = 44100;

struct Loopback : ::testing::Environment {
    void SetUp() override { ASSERT_TRUE(sounddevice::UseLoopback(kRate)); }
};
const auto* const kEnv = ::testing::AddGlobalTestEnvironment(new Loopback);

fs::path Dir() {
    static fs::path d = [] {
        fs::path p = fs::temp_directory_path() / ("gravlok-sound-" + std::to_string(::getpid()));
        fs::create_directories(p);
        return p;
    }();
    return d;
}

// A tone of `hz` after `silence` seconds, `channels` 1 or 2 (right at half level).
std::string Wave(const std::string& name, int rate, double hz, double seconds, int channels = 1, double silence = 0) {
    const std::string path = (Dir() / name).string();
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
    const int n = static_cast<int>(seconds * rate);
    std::vector<float> v(static_cast<size_t>(n * channels));
    for (int i = 0; i < n; ++i) {
        const double t = double(i) / rate;
        const float s = t < silence ? 0.0f : static_cast<float>(0.5 * std::sin(2 * M_PI * hz * t));
        v[static_cast<size_t>(i * channels)] = s;
        if (channels == 2) v[static_cast<size_t>(i * channels + 1)] = s * 0.5f;
    }
    sf_writef_float(f, v.data(), n);
    sf_close(f);
    return path;
}

struct Level {
    double left = 0, right = 0;
    int crossings = 0;  // sign changes on the left
};

Level Measure(int frames) {
    const std::vector<float> out = sounddevice::Render(frames);
    Level l;
    for (int i = 0; i < frames; ++i) {
        l.left += out[static_cast<size_t>(2 * i)] * out[static_cast<size_t>(2 * i)];
        l.right += out[static_cast<size_t>(2 * i + 1)] * out[static_cast<size_t>(2 * i + 1)];
        if (i > 0 && (out[static_cast<size_t>(2 * i)] >= 0) != (out[static_cast<size_t>(2 * i - 2)] >= 0))
            ++l.crossings;
    }
    l.left = std::sqrt(l.left / frames);
    l.right = std::sqrt(l.right / frames);
    return l;
}

double Db(double a, double b) { return 20 * std::log10(a / b); }

void Silence() { sounddevice::Render(kRate); }

// An enabled channel on the given file under the master switch `on`.
std::unique_ptr<clsDMCtrl> Channel(const bool* on, const std::string& path) {
    auto c = std::make_unique<clsDMCtrl>(on);
    c->DMCtrlPath(path);
    c->DMCtrlEnabled(true);
    return c;
}
}  // namespace

TEST(Effects, FrequencyZeroPlaysAtTheFileRateAndReportsIt) {
    bool on = true;
    auto c = Channel(&on, Wave("a22050.wav", 22050, 441, 1.0));
    c->DMCtrlPlay();
    EXPECT_EQ(c->DMCtrlFreq(), 22050);
    const Level l = Measure(kRate / 2);
    EXPECT_NEAR(l.crossings, 441, 10);                // 441 Hz over half a second: 441 sign changes
    EXPECT_NEAR(l.left, 0.5 / std::sqrt(2.0), 0.02);  // mono at full level on both sides
    EXPECT_NEAR(l.right, l.left, 0.01);
    Silence();

    c->DMCtrlFreq(44100);  // twice the file's rate: twice the pitch
    c->DMCtrlPlay();
    EXPECT_NEAR(Measure(kRate / 4).crossings, 441, 10);
    Silence();
}

TEST(Effects, VolumeIsInHundredthsOfADecibel) {
    bool on = true;
    auto c = Channel(&on, Wave("vol.wav", 32000, 500, 1.0));
    c->DMCtrlPlay();
    const double full = Measure(kRate / 4).left;
    c->DMCtrlVolume(-800);
    c->DMCtrlPlay();
    const double down = Measure(kRate / 4).left;
    EXPECT_NEAR(Db(down, full), -8.0, 0.2);
    Silence();
}

TEST(Effects, ASecondPlayRestartsInsteadOfLayering) {
    bool on = true;
    auto c = Channel(&on, Wave("rot.wav", 32000, 500, 1.0));
    c->DMCtrlPlay();
    const double once = Measure(kRate / 10).left;
    c->DMCtrlPlay();  // quick second press
    const double again = Measure(kRate / 10).left;
    EXPECT_NEAR(Db(again, once), 0.0, 0.5);  // two copies in phase would be +6 dB or a mess
    Silence();
}

TEST(Effects, MasterSwitchOffPlaysNothingAndOpensNothing) {
    bool on = false;
    auto c = Channel(&on, Wave("m.wav", 32000, 500, 1.0));
    c->DMCtrlPlay();
    EXPECT_EQ(c->Root, nullptr);
    EXPECT_EQ(c->Device, nullptr);
    EXPECT_LT(Measure(kRate / 10).left, 1e-6);
    on = true;
    c->DMCtrlEnabled(false);
    c->DMCtrlPlay();
    EXPECT_EQ(c->Root, nullptr);
}

TEST(Effects, BadFilesAreSilentAndHarmNoOtherChannel) {
    const fs::path d = Dir();
    std::ofstream(d / "empty.WAV").close();
    std::ofstream(d / "text.WAV") << "this is not a wave file\n";
    {
        const std::string good = Wave("trunc.wav", 32000, 500, 1.0);
        std::ifstream in(good, std::ios::binary);
        std::string head(30, '\0');
        in.read(head.data(), 30);
        std::ofstream(d / "trunc.WAV", std::ios::binary) << head;
    }
    bool on = true;
    for (const std::string& p : {(d / "missing.WAV").string(), (d / "empty.WAV").string(), (d / "text.WAV").string(),
                                 (d / "trunc.WAV").string()}) {
        auto bad = Channel(&on, p);
        bad->DMCtrlPlay();
        EXPECT_EQ(bad->Buffer, nullptr) << p;
        EXPECT_LT(Measure(kRate / 20).left, 1e-6) << p;
    }
    auto good = Channel(&on, Wave("ok.wav", 32000, 500, 1.0));
    good->DMCtrlPlay();
    EXPECT_GT(Measure(kRate / 20).left, 0.1);
    Silence();
}

namespace {
long ResidentKb() {
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}
}  // namespace

// An eight-channel five-minute file chosen as an effect: it plays, streamed
// from its file, and keeps little in memory.
TEST(Effects, AWideLongFileChosenAsAnEffectPlaysStreamedAndStaysSmall) {
    const std::string path = (Dir() / "wide.wav").string();
    {
        SF_INFO info{};
        info.samplerate = 8000;
        info.channels = 8;
        info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
        SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
        std::vector<float> block(8000 * 8);
        for (int i = 0; i < 8000; ++i)
            for (int c = 0; c < 8; ++c)
                block[static_cast<size_t>(i * 8 + c)] = 0.5f * std::sin(2 * M_PI * 500 * i / 8000.0);
        for (int sec = 0; sec < 300; ++sec) sf_writef_float(f, block.data(), 8000);
        sf_close(f);
    }
    const long before = ResidentKb();
    bool on = true;
    auto wide = Channel(&on, path);
    wide->DMCtrlPlay();
    ASSERT_NE(wide->Buffer, nullptr);
    EXPECT_GT(Measure(kRate / 20).left, 0.1);
    // A few blocks, not five minutes of eight channels (38 MB and more).
    EXPECT_LT(ResidentKb() - before, 8 * 1024);
    wide->Buffer.reset();
    sounddevice::ClearCache();
    Silence();
}

TEST(Effects, AFileChangedWhileAnotherChannelPlaysItIsReadAgainForTheNext) {
    bool on = true;
    const std::string path = Wave("shared.wav", 32000, 500, 2.0);
    auto a = Channel(&on, path);
    auto b = Channel(&on, path);
    a->DMCtrlPlay();
    EXPECT_GT(Measure(kRate / 20).left, 0.1);
    // The file is replaced (a new tone, a different size) while a still plays it.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    Wave("shared.wav", 32000, 1000, 1.5);
    b->DMCtrlPlay();
    ASSERT_NE(b->Buffer, nullptr);
    EXPECT_TRUE(b->Sounding());
    EXPECT_TRUE(a->Sounding());  // the old sound plays on
    a.reset();
    Silence();
    // Once the old sound is gone, everything plays as before.
    auto c = Channel(&on, path);
    c->DMCtrlPlay();
    EXPECT_TRUE(c->Sounding());
    EXPECT_NEAR(Measure(kRate / 2).crossings, 1000, 15);
    sounddevice::ClearCache();
    Silence();
}

TEST(Music, LoopsPansAndSetsVolume) {
    int32_t freq = 0;
    BkgMusic().mainFreq = &freq;
    BkgMusicLoad(Wave("music.wav", 22050, 300, 0.1, 2));  // a tenth of a second, looping
    ASSERT_TRUE(BkgMusic().BkgMusicLoaded);
    EXPECT_EQ(freq, 22050);
    Measure(kRate);  // ten passes later it still sounds
    const Level both = Measure(kRate / 10);
    EXPECT_GT(both.left, 0.3);
    EXPECT_NEAR(Db(both.right, both.left), -6.0, 0.3);  // the file's own balance

    // A change of gain glides over one mix period (no click); measure after it.
    BkgMusicSetPan(1000);
    Measure(kRate / 20);
    Level l = Measure(kRate / 10);
    EXPECT_NEAR(Db(l.left, both.left), -10.0, 0.2);
    EXPECT_NEAR(Db(l.right, both.right), 0.0, 0.2);
    BkgMusicSetPan(-5000);
    Measure(kRate / 20);
    l = Measure(kRate / 10);
    EXPECT_NEAR(Db(l.left, both.left), 0.0, 0.2);
    EXPECT_NEAR(Db(l.right, both.right), -50.0, 0.5);
    BkgMusicSetPan(0);
    BkgMusicSetVolume(-800);
    EXPECT_EQ(BkgMusic().BkgMusicVolume, -800);
    Measure(kRate / 20);
    EXPECT_NEAR(Db(Measure(kRate / 10).left, both.left), -8.0, 0.2);
    BkgMusicShutdown();
    BkgMusic().mainFreq = nullptr;
}

TEST(Music, ResumeContinuesWhereItStopped) {
    BkgMusicLoad(Wave("resume.wav", 22050, 300, 2.0, 1, 0.25));  // silent first quarter second
    ASSERT_TRUE(BkgMusic().BkgMusicLoaded);
    Measure(kRate / 2);  // into the tone
    BkgMusicStop();
    EXPECT_LT(Measure(kRate / 10).left, 1e-6);
    BkgMusicResume();
    // A restart would begin with the silent quarter second.
    EXPECT_GT(Measure(kRate / 50).left, 0.1);

    BkgMusicLoad((Dir() / "nothing.wav").string());
    EXPECT_FALSE(BkgMusic().BkgMusicLoaded);
    BkgMusicSetVolume(-1000);  // nothing loaded: only remembered
    EXPECT_EQ(BkgMusic().BkgMusicVolume, -1000);
    EXPECT_LT(Measure(kRate / 10).left, 1e-6);
}

// A music file of more frames than a whole decode ever took (57.6 million):
// it streams, plays from its start, joins its loop, and costs no more memory
// than a short one.
TEST(Music, AFileOfAnyLengthStreamsLoopsAndStaysSmall) {
    const std::string path = (Dir() / "long.wav").string();
    constexpr sf_count_t kFrames = 57'700'000;  // two hours at 8 kHz
    {
        SF_INFO info{};
        info.samplerate = 8000;
        info.channels = 1;
        info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_U8;
        SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
        ASSERT_NE(f, nullptr);
        std::vector<short> block(8000);
        for (int i = 0; i < 8000; ++i)
            block[static_cast<size_t>(i)] = static_cast<short>(12000 * std::sin(2 * M_PI * 400 * i / 8000.0));
        for (sf_count_t done = 0; done < kFrames; done += 8000)
            sf_writef_short(f, block.data(), std::min<sf_count_t>(8000, kFrames - done));
        sf_close(f);
    }
    const long before = ResidentKb();
    BkgMusicLoad(path);
    ASSERT_TRUE(BkgMusic().BkgMusicLoaded);
    EXPECT_GT(Measure(kRate / 10).left, 0.1);
    // Half a second before the end: the end, the loop joint, the start again.
    BkgMusic().BkgBuffer->SetCurrentPosition(static_cast<long>(kFrames - 4000));
    const Level across = Measure(kRate);
    EXPECT_GT(across.left, 0.1);
    EXPECT_NEAR(across.crossings, 2 * 400, 20);  // the tone goes on through the joint: no gap
    EXPECT_LT(ResidentKb() - before, 8 * 1024);  // 58 MB of file, a few blocks in memory
    BkgMusicShutdown();
    std::filesystem::remove(path);
}

// Nothing can sound: the device rests; an effect wakes it and is heard.
TEST(Device, RestsWhenNothingSoundsAndWakesForAnEffect) {
    BkgMusicShutdown();
    bool on = true;
    auto effect = Channel(&on, Wave("wake.wav", 32000, 500, 0.2));
    effect->DMCtrlPlay();
    EXPECT_FALSE(sounddevice::DevicePaused());
    Measure(kRate / 2);  // the effect ends
    Measure(kRate / 10);
    EXPECT_TRUE(sounddevice::DevicePaused());
    effect->DMCtrlPlay();
    EXPECT_FALSE(sounddevice::DevicePaused());
    EXPECT_GT(Measure(kRate / 20).left, 0.1);
    // Music that plays keeps it awake; stopped, it rests again.
    BkgMusicLoad(Wave("awake.wav", 22050, 300, 0.5));
    Measure(kRate);
    EXPECT_FALSE(sounddevice::DevicePaused());
    BkgMusicStop();
    Measure(kRate / 10);
    EXPECT_TRUE(sounddevice::DevicePaused());
    BkgMusicShutdown();
}

// A FIFO named as the music or as an effect is refused at once: opening it
// would wait for a writer that never comes, and the window with it.
TEST(Music, AFifoNamedAsASoundIsRefusedAtOnce) {
    ASSERT_TRUE(sounddevice::UseLoopback(kRate));
    const std::string fifo =
        (std::filesystem::temp_directory_path() / ("gravlok-fifo-" + std::to_string(getpid()))).string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    auto music = std::async(std::launch::async, [&] { BkgMusicLoad(fifo); });
    auto effect = std::async(std::launch::async, [&] {
        clsDMCtrl c;
        c.DMCtrlPath(fifo);
        c.DMCtrlEnabled(true);
        c.DMCtrlPlay();
    });
    const bool musicAtOnce = music.wait_for(std::chrono::seconds(1)) == std::future_status::ready;
    const bool effectAtOnce = effect.wait_for(std::chrono::seconds(1)) == std::future_status::ready;
    // A writer ends any wait, so the test itself never hangs.
    const int writer = open(fifo.c_str(), O_RDWR | O_NONBLOCK);
    if (writer >= 0) close(writer);  // and ends what it sent: nothing
    music.wait();
    effect.wait();
    unlink(fifo.c_str());
    EXPECT_TRUE(musicAtOnce);
    EXPECT_TRUE(effectAtOnce);
    EXPECT_FALSE(BkgMusic().BkgMusicLoaded);
}

namespace {
// A file of `channels` channels, `seconds` long, silent but for a 400 Hz
// tone in channel c from second `at[c]` for half a second.
std::string Bursts(const std::string& name, int channels, double seconds, const std::vector<double>& at) {
    const std::string path = (Dir() / name).string();
    SF_INFO info{};
    info.samplerate = 8000;
    info.channels = channels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
    const int n = static_cast<int>(seconds * 8000);
    std::vector<float> v(static_cast<size_t>(n) * static_cast<size_t>(channels), 0.0f);
    for (int c = 0; c < channels; ++c)
        for (int i = static_cast<int>(at[static_cast<size_t>(c)] * 8000);
             i < std::min(n, static_cast<int>((at[static_cast<size_t>(c)] + 0.5) * 8000)); ++i)
            v[static_cast<size_t>(i * channels + c)] = static_cast<float>(0.5 * std::sin(2 * M_PI * 400 * i / 8000.0));
    sf_writef_float(f, v.data(), n);
    sf_close(f);
    return path;
}
}  // namespace

// A six-channel effect: every channel is heard, at its time, on its side.
TEST(Effects, EveryChannelOfASixChannelEffectIsHeard) {
    Silence();
    bool on = true;
    auto six = Channel(&on, Bursts("six.wav", 6, 3.0, {0, 0.5, 1.0, 1.5, 2.0, 2.5}));
    six->DMCtrlPlay();
    ASSERT_NE(six->Buffer, nullptr);
    // Front left, front right, centre, low frequencies, back left, back right.
    const char* sides[] = {"L", "R", "LR", "LR", "L", "R"};
    for (int c = 0; c < 6; ++c) {
        const Level l = Measure(kRate / 2);
        const std::string side = sides[c];
        EXPECT_EQ(l.left > 0.05, side.find('L') != std::string::npos) << "channel " << c << " left " << l.left;
        EXPECT_EQ(l.right > 0.05, side.find('R') != std::string::npos) << "channel " << c << " right " << l.right;
    }
    six->Buffer.reset();
}

// A forty-second effect plays to its end.
TEST(Effects, AFortySecondEffectPlaysWhole) {
    Silence();
    bool on = true;
    auto longOne = Channel(&on, Bursts("forty.wav", 1, 40.0, {38.5}));
    longOne->DMCtrlPlay();
    ASSERT_NE(longOne->Buffer, nullptr);
    EXPECT_LT(Measure(kRate * 38).left, 0.01);  // silence up to its last second
    EXPECT_GT(Measure(kRate).left, 0.1);        // then its tone
    longOne->Buffer.reset();
}
