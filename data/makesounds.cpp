// Writes the game's own sounds: ten short effects (32000 Hz) and a looping
// background tune (18600 Hz, stereo), composed here note by note.
//   makesounds OUTDIR   ->  OUTDIR/Sound/bkgmusic.WAV, OUTDIR/sound/*.WAV
#include <sndfile.h>
#include <sys/stat.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {
constexpr double kPi = 3.14159265358979323846;

bool Write(const std::string& path, const std::vector<float>& data, int channels, int rate) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!f) return false;
    sf_writef_float(f, data.data(), static_cast<sf_count_t>(data.size() / channels));
    sf_close(f);
    return true;
}

double Note(int semitonesFromA4) { return 440.0 * std::pow(2.0, semitonesFromA4 / 12.0); }

// Effects, mono at 32000 Hz.
constexpr int kFx = 32000;

std::vector<float> Tone(double seconds, double f0, double f1, double decay, double bright) {
    const int n = static_cast<int>(seconds * kFx);
    std::vector<float> v(static_cast<size_t>(n));
    double phase = 0;
    for (int i = 0; i < n; ++i) {
        const double t = double(i) / n;
        const double f = f0 * std::pow(f1 / f0, t);
        phase += 2 * kPi * f / kFx;
        const double env = std::exp(-decay * t) * std::min(1.0, i / 64.0) * std::min(1.0, (n - i) / 64.0);
        v[static_cast<size_t>(i)] = static_cast<float>(
            0.5 * env * (std::sin(phase) + bright * std::sin(2 * phase) / 2 + bright * std::sin(3 * phase) / 4));
    }
    return v;
}

std::vector<float> Mix(std::vector<float> a, const std::vector<float>& b, int offset, double gain = 1.0) {
    if (a.size() < b.size() + static_cast<size_t>(offset)) a.resize(b.size() + static_cast<size_t>(offset), 0.0f);
    for (size_t i = 0; i < b.size(); ++i) a[i + static_cast<size_t>(offset)] += static_cast<float>(gain * b[i]);
    return a;
}

std::vector<float> Noise(double seconds, double cutoffFrom, double cutoffTo, double decay, unsigned seed) {
    const int n = static_cast<int>(seconds * kFx);
    std::vector<float> v(static_cast<size_t>(n));
    std::mt19937 g(seed);
    std::uniform_real_distribution<double> u(-1, 1);
    double y = 0;
    for (int i = 0; i < n; ++i) {
        const double t = double(i) / n;
        const double fc = cutoffFrom * std::pow(cutoffTo / cutoffFrom, t);
        const double a = 1 - std::exp(-2 * kPi * fc / kFx);
        y += a * (u(g) - y);
        const double env = std::sin(kPi * std::min(1.0, t * 4)) * std::exp(-decay * t);
        v[static_cast<size_t>(i)] = static_cast<float>(0.8 * env * y);
    }
    return v;
}

// The tune: 16 bars of 4 beats at 120 beats a minute, A minor.
constexpr int kMusic = 18600;

struct Voice {
    int note;       // semitones from A4
    double beat;    // start, in beats
    double length;  // in beats
};

void Render(std::vector<float>& lr, const std::vector<Voice>& voices, double gainL, double gainR, int timbre) {
    const double beat = 0.5;  // seconds
    const size_t total = lr.size() / 2;
    for (const Voice& v : voices) {
        const double f = Note(v.note);
        const size_t start = static_cast<size_t>(v.beat * beat * kMusic);
        const size_t len = static_cast<size_t>((v.length * beat + 0.4) * kMusic);
        for (size_t i = 0; i < len; ++i) {
            const double t = double(i) / kMusic;
            const double held = v.length * beat;
            double env = std::min(1.0, t / 0.01) *
                         (t < held ? std::exp(-1.5 * t) : std::exp(-1.5 * held) * std::exp(-12 * (t - held)));
            double s;
            if (timbre == 0)
                s = std::sin(2 * kPi * f * t) + 0.3 * std::sin(4 * kPi * f * t) + 0.1 * std::sin(6 * kPi * f * t);
            else if (timbre == 1) s = std::sin(2 * kPi * f * t + 0.8 * std::sin(2 * kPi * f * t));
            else s = 0.6 * std::sin(2 * kPi * f * t) + 0.4 * std::sin(2 * kPi * f * 1.003 * t);
            // Tails run past the end into the start, so the loop joins cleanly.
            const size_t k = (start + i) % total;
            lr[2 * k] += static_cast<float>(gainL * env * s);
            lr[2 * k + 1] += static_cast<float>(gainR * env * s);
        }
    }
}

std::vector<float> Music() {
    const int bars = 16;
    std::vector<float> lr(static_cast<size_t>(bars * 4 * 0.5 * kMusic) * 2, 0.0f);
    // Chords per bar (root, in semitones from A4), an Am - F - C - G walk.
    const int roots[16] = {0, -4, 3, -2, 0, -4, 3, -2, -7, -4, 3, -2, 0, 5, -2, 0};
    const bool minor[16] = {1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 1, 0, 1};
    std::vector<Voice> bass, pad, lead;
    for (int b = 0; b < bars; ++b) {
        const int r = roots[b] - 24;
        bass.push_back({r, b * 4.0, 1.5});
        bass.push_back({r + 7, b * 4.0 + 2, 0.8});
        bass.push_back({r + 12, b * 4.0 + 3, 0.8});
        const int third = minor[b] ? 3 : 4;
        for (int k : {0, third, 7}) pad.push_back({roots[b] - 12 + k, b * 4.0, 3.8});
    }
    // The melody, a phrase of four bars answered and varied.
    const int phrase[4][8] = {
        {12, 15, 19, 17, 15, 12, 10, 12},
        {8, 12, 15, 12, 10, 8, 7, 8},
        {7, 10, 15, 14, 12, 10, 14, 15},
        {14, 12, 10, 7, 10, 12, 14, 10},
    };
    for (int b = 0; b < bars; ++b) {
        const int* p = phrase[b % 4];
        const int lift = (b / 4 == 2) ? 5 : 0;
        for (int i = 0; i < 8; ++i) {
            if (b % 4 == 3 && i >= 6) continue;  // breathe at the phrase end
            lead.push_back({p[i] - 12 + lift, b * 4.0 + i * 0.5, 0.45});
        }
    }
    Render(lr, bass, 0.10, 0.22, 2);
    Render(lr, pad, 0.06, 0.06, 2);
    Render(lr, lead, 0.22, 0.09, 1);
    // Keep it below full scale.
    float peak = 0;
    for (float s : lr) peak = std::max(peak, std::fabs(s));
    for (float& s : lr) s *= 0.8f / peak;
    return lr;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const std::string out = argv[1];
    mkdir((out + "/Sound").c_str(), 0755);
    mkdir((out + "/sound").c_str(), 0755);
    struct Fx {
        const char* name;
        std::vector<float> wave;
    };
    const Fx fx[] = {
        {"left1", Tone(0.06, 700, 520, 3, 0.3)},
        {"right1", Tone(0.06, 520, 700, 3, 0.3)},
        {"rotate1", Mix(Tone(0.05, 880, 880, 2, 0.2), Tone(0.06, 1320, 1320, 3, 0.2), 1400)},
        {"drop1", Noise(0.22, 6000, 400, 2, 1)},
        {"drop2", Noise(0.25, 3000, 250, 2, 2)},
        {"down1", Tone(0.12, 160, 70, 5, 0.6)},
        {"down2", Mix(Tone(0.12, 200, 90, 5, 0.5), Noise(0.03, 5000, 2000, 4, 3), 0, 0.5)},
        {"dellin1", Mix(Mix(Tone(0.1, Note(3), Note(3), 2, 0.4), Tone(0.1, Note(7), Note(7), 2, 0.4), 2800),
                        Tone(0.2, Note(12), Note(12), 3, 0.4), 5600)},
        {"gravlok1", Mix(Mix(Tone(0.5, Note(15), Note(15), 4, 0.1), Tone(0.5, Note(19), Note(19), 4, 0.1), 4000),
                         Tone(0.5, Note(22), Note(22), 4, 0.1), 8000)},
        {"inverse1", Mix(Tone(0.25, 300, 1200, 1.5, 0.5), Tone(0.25, 1200, 300, 1.5, 0.5), 0, 0.7)},
    };
    bool ok = true;
    for (const Fx& f : fx) ok &= Write(out + "/sound/" + f.name + ".WAV", f.wave, 1, kFx);
    ok &= Write(out + "/Sound/bkgmusic.WAV", Music(), 2, kMusic);
    if (!ok) std::fprintf(stderr, "makesounds: could not write into %s\n", out.c_str());
    return ok ? 0 : 1;
}
