// Fuzz target: any bytes as a wave file given to an effect channel, or as the
// name of the file it is asked to play. Playing must not crash; whatever
// plays must render finite samples; the channel must play a good file right
// after.
#include <sndfile.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "platform/audio/SoundDevice.h"
#include "sound/clsDMCtrl.h"

namespace {
std::string Dir() {
    static std::string dir = [] {
        char tmpl[] = "/tmp/wavefuzz.XXXXXX";
        const char* d = mkdtemp(tmpl);
        if (!d) std::abort();
        return std::string(d);
    }();
    return dir;
}

// A short good wave file to play after each input.
const std::string& GoodFile() {
    static std::string path = [] {
        const std::string p = Dir() + "/good.wav";
        SF_INFO info{};
        info.samplerate = 22050;
        info.channels = 1;
        info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
        SNDFILE* f = sf_open(p.c_str(), SFM_WRITE, &info);
        if (!f) std::abort();
        std::vector<short> s(2205);
        for (size_t i = 0; i < s.size(); ++i) s[i] = static_cast<short>(8000 * std::sin(i * 0.2));
        sf_write_short(f, s.data(), static_cast<sf_count_t>(s.size()));
        sf_close(f);
        return p;
    }();
    return path;
}

void RenderFinite() {
    for (float v : sounddevice::Render(512))
        if (!std::isfinite(v)) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (!sounddevice::UseLoopback(44100)) std::abort();
    GoodFile();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4) return 0;
    static bool master = true;
    clsDMCtrl ch(&master);
    ch.DMCtrlEnabled(true);
    ch.DMCtrlVolume(static_cast<int16_t>(-(data[1] * 40)));
    ch.DMCtrlFreq(data[2] < 128 ? 0 : 100 + data[2] * 400);
    const std::string body(reinterpret_cast<const char*>(data) + 4, size - 4);
    if (data[0] & 1) {
        // The bytes as a file name inside the fuzzer's folder.
        ch.DMCtrlPath(Dir() + "/" + body.substr(0, body.find('\0')));
    } else {
        const std::string p = Dir() + "/input.wav";
        std::ofstream(p, std::ios::binary).write(body.data(), static_cast<std::streamsize>(body.size()));
        ch.DMCtrlPath(p);
    }
    ch.DMCtrlPlay();
    RenderFinite();
    ch.DMCtrlPlay();  // a second play restarts it
    RenderFinite();
    // The same channel then plays a good file.
    ch.DMCtrlPath(GoodFile());
    ch.DMCtrlFreq(0);
    ch.DMCtrlPlay();
    if (!ch.Sounding()) std::abort();
    RenderFinite();
    sounddevice::ClearCache();
    return 0;
}
