// The sound layer heard through a sound server of the test's own (a
// PulseAudio server with a null sink, its monitor recorded): the server's
// own interface plays the effects and the music at their volume, pan and
// frequency, stops and resumes them, and the pan sweep reaches the music.
#include <gtest/gtest.h>
#include <pulse/simple.h>
#include <signal.h>
#include <sndfile.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/audio/SoundDevice.h"

extern char** environ;
namespace fs = std::filesystem;

namespace {
constexpr int kRate = 44100;
const fs::path kDir = fs::temp_directory_path() / ("gravlok-server-" + std::to_string(::getpid()));

pa_simple* Recorder() {
    const pa_sample_spec spec{PA_SAMPLE_FLOAT32NE, kRate, 2};
    pa_buffer_attr attr{};
    attr.maxlength = static_cast<uint32_t>(-1);
    attr.fragsize = 441 * 2 * sizeof(float);
    return pa_simple_new(nullptr, "test", PA_STREAM_RECORD, "out.monitor", "monitor", &spec, nullptr, &attr, nullptr);
}

struct Server : ::testing::Environment {
    pid_t pid = 0;
    void SetUp() override {
        fs::create_directories(kDir / "run");
        fs::permissions(kDir / "run", fs::perms::owner_all);
        std::ofstream(kDir / "client.conf") << "autospawn = no\n";
        const std::string sock = (kDir / "native").string();
        setenv("PULSE_SERVER", ("unix:" + sock).c_str(), 1);
        setenv("PULSE_CLIENTCONFIG", (kDir / "client.conf").c_str(), 1);
        unsetenv("ALSOFT_DRIVERS");
        unsetenv("ALSOFT_CONF");
        const std::string proto = "module-native-protocol-unix socket=" + sock + " auth-anonymous=1";
        const std::string run = "XDG_RUNTIME_DIR=" + (kDir / "run").string(), home = "HOME=" + kDir.string();
        const char* argv[] = {"pulseaudio",
                              "-n",
                              "--daemonize=no",
                              "--exit-idle-time=-1",
                              "--disallow-exit",
                              "-L",
                              "module-null-sink sink_name=out rate=44100",
                              "-L",
                              proto.c_str(),
                              nullptr};
        std::vector<char*> env;
        for (char** e = environ; *e; ++e) env.push_back(*e);
        env.push_back(const_cast<char*>(run.c_str()));
        env.push_back(const_cast<char*>(home.c_str()));
        env.push_back(nullptr);
        ASSERT_EQ(posix_spawnp(&pid, "pulseaudio", nullptr, nullptr, const_cast<char**>(argv), env.data()), 0)
            << "pulseaudio is missing (scripts/setup)";
        for (int i = 0; i < 200; ++i) {
            if (pa_simple* r = Recorder()) {
                pa_simple_free(r);
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        FAIL() << "the sound server did not start";
    }
    void TearDown() override {
        if (pid > 0) kill(pid, SIGTERM), waitpid(pid, nullptr, 0);
        fs::remove_all(kDir);
    }
};
const auto* const kEnv = ::testing::AddGlobalTestEnvironment(new Server);

// A tone of `hz` at half level, mono.
std::string Tone(const std::string& name, double hz, double seconds) {
    const std::string path = (kDir / name).string();
    SF_INFO info{};
    info.samplerate = kRate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
    const int n = static_cast<int>(seconds * kRate);
    std::vector<float> v(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        v[static_cast<size_t>(i)] = static_cast<float>(0.5 * std::sin(2 * M_PI * hz * i / kRate));
    sf_writef_float(f, v.data(), n);
    sf_close(f);
    return path;
}

struct Level {
    double left = 0, right = 0;
    int crossings = 0;  // sign changes on the left, a second's worth
};

// What the server plays during the next `ms` milliseconds, from `skipMs` on.
Level Heard(int ms, int skipMs = 0) {
    pa_simple* r = Recorder();
    EXPECT_NE(r, nullptr);
    if (!r) return {};
    std::vector<float> out(static_cast<size_t>((ms + skipMs) * kRate / 1000 * 2));
    pa_simple_read(r, out.data(), out.size() * sizeof(float), nullptr);
    pa_simple_free(r);
    Level l;
    const size_t from = static_cast<size_t>(skipMs * kRate / 1000), frames = out.size() / 2;
    for (size_t i = from; i < frames; ++i) {
        l.left += out[2 * i] * out[2 * i];
        l.right += out[2 * i + 1] * out[2 * i + 1];
        if (i > from && (out[2 * i] >= 0) != (out[2 * i - 2] >= 0)) ++l.crossings;
    }
    l.left = std::sqrt(l.left / double(frames - from));
    l.right = std::sqrt(l.right / double(frames - from));
    l.crossings = static_cast<int>(l.crossings * 1000.0 / ms);
    return l;
}

const double kToneRms = 0.5 / std::sqrt(2.0);

std::unique_ptr<DirectSound> Device() {
    DirectX7 root;
    auto d = root.DirectSoundCreate("");
    EXPECT_TRUE(d && d->SetCooperativeLevel(0, 2));
    return d;
}
}  // namespace

TEST(ServerSound, AnEffectIsPlayedByTheServerAtItsVolumePanAndFrequency) {
    auto device = Device();
    ASSERT_TRUE(device);
    ASSERT_TRUE(sounddevice::ThroughServer());
    auto effect = device->CreateSoundBufferFromFile(Tone("effect.wav", 1000, 3), 0);
    ASSERT_TRUE(effect);
    ASSERT_TRUE(effect->SetVolume(-600));
    ASSERT_TRUE(effect->SetPan(1000));  // the left side 10 dB lower
    ASSERT_TRUE(effect->Play(0));
    Level l = Heard(400, 100);
    EXPECT_NEAR(l.right, kToneRms * std::pow(10.0, -0.3), 0.02 * kToneRms);
    EXPECT_NEAR(l.left / l.right, std::pow(10.0, -0.5), 0.01);
    EXPECT_NEAR(l.crossings, 2000, 40);

    // Twice the rate: an octave higher, at once.
    ASSERT_TRUE(effect->SetFrequency(2 * kRate));
    l = Heard(300, 50);
    EXPECT_NEAR(l.crossings, 4000, 80);
    EXPECT_EQ(effect->GetFrequency(), 2 * kRate);
}

TEST(ServerSound, AShortEffectEndsAndAPlayStartsItAgain) {
    auto device = Device();
    ASSERT_TRUE(device);
    auto effect = device->CreateSoundBufferFromFile(Tone("short.wav", 500, 0.2), 0);
    ASSERT_TRUE(effect);
    ASSERT_TRUE(effect->Play(0));
    EXPECT_GT(Heard(100).left, kToneRms / 2);
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (effect->Playing() && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_FALSE(effect->Playing());
    EXPECT_LT(Heard(200).left, 0.001);
    ASSERT_TRUE(effect->Play(0));
    EXPECT_TRUE(effect->Playing());
    EXPECT_GT(Heard(100).left, kToneRms / 2);
}

TEST(ServerSound, TheMusicStopsAtOnceGoesOnAndFollowsThePanSweep) {
    auto device = Device();
    ASSERT_TRUE(device);
    auto music = device->CreateStreamingBufferFromFile(Tone("music.wav", 250, 1.5));
    ASSERT_TRUE(music);
    ASSERT_TRUE(music->Play(DirectSoundBuffer::kLooping));
    ASSERT_TRUE(music->SetCurrentPosition(0));
    Level l = Heard(300, 100);
    EXPECT_NEAR(l.left, kToneRms, 0.02 * kToneRms);
    EXPECT_NEAR(l.right, kToneRms, 0.02 * kToneRms);

    // A stop is heard at once, though seconds are queued; the play goes on.
    ASSERT_TRUE(music->Stop());
    EXPECT_LT(Heard(200, 50).left, 0.001);
    ASSERT_TRUE(music->Play(DirectSoundBuffer::kLooping));
    EXPECT_NEAR(Heard(200, 50).left, kToneRms, 0.02 * kToneRms);

    // Its volume at once; the sweep's pan as the queue plays (two seconds).
    ASSERT_TRUE(music->SetVolume(-2000));
    EXPECT_NEAR(Heard(200, 50).left, kToneRms * 0.1, 0.01 * kToneRms);
    ASSERT_TRUE(music->SetPan(-10000));
    l = Heard(300, 2700);
    EXPECT_NEAR(l.left, kToneRms * 0.1, 0.01 * kToneRms);
    EXPECT_LT(l.right, 0.001);
}

TEST(ServerSound, AFrequencySetWhileTheServerMakesTheStreamIsHeard) {
    auto device = Device();
    ASSERT_TRUE(device);
    const std::string tone = Tone("early.wav", 1000, 2);
    // Set before the server has answered for the new stream, some of the
    // times: the stream takes it when it is ready.
    std::unique_ptr<DirectSoundBuffer> effect;
    for (int i = 0; i < 40; ++i) {
        effect = device->CreateSoundBufferFromFile(tone, 0);
        ASSERT_TRUE(effect);
        ASSERT_TRUE(effect->Play(0));
        ASSERT_TRUE(effect->SetFrequency(2 * kRate));
    }
    EXPECT_NEAR(Heard(300, 50).crossings, 4000, 80);
}
