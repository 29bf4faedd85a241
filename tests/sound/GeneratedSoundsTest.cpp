// The sounds the build composes: formats the default settings expect, no
// clipping, no click at the ends or at the music's loop point.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

namespace {
const std::string kDir = GRAVLOK_BIN_DIR;

struct Read {
    SF_INFO info{};
    std::vector<float> v;
};

Read Load(const std::string& path) {
    Read r;
    SNDFILE* f = sf_open(path.c_str(), SFM_READ, &r.info);
    if (!f) return r;
    r.v.resize(static_cast<size_t>(r.info.frames * r.info.channels));
    sf_readf_float(f, r.v.data(), r.info.frames);
    sf_close(f);
    return r;
}

// The largest step between neighbouring samples of one channel, over all.
float MaxStep(const Read& r, int ch) {
    float m = 0;
    for (size_t i = static_cast<size_t>(r.info.channels + ch); i < r.v.size();
         i += static_cast<size_t>(r.info.channels))
        m = std::max(m, std::fabs(r.v[i] - r.v[i - static_cast<size_t>(r.info.channels)]));
    return m;
}
}  // namespace

TEST(GeneratedSounds, TenShortDistinctEffectsWithoutClicks) {
    std::set<std::vector<float>> seen;
    for (const char* name :
         {"left1", "right1", "rotate1", "drop1", "drop2", "down1", "down2", "dellin1", "gravlok1", "inverse1"}) {
        const Read r = Load(kDir + "/sound/" + name + ".WAV");
        ASSERT_FALSE(r.v.empty()) << name;
        EXPECT_EQ(r.info.samplerate, 32000) << name;
        EXPECT_EQ(r.info.channels, 1) << name;
        const double seconds = double(r.info.frames) / r.info.samplerate;
        EXPECT_GT(seconds, 0.03) << name;
        EXPECT_LT(seconds, 1.5) << name;
        float peak = 0;
        for (float s : r.v) peak = std::max(peak, std::fabs(s));
        EXPECT_GT(peak, 0.2f) << name;
        EXPECT_LT(peak, 0.99f) << name;  // no clipping
        EXPECT_LT(std::fabs(r.v.front()), 0.02f) << name;
        EXPECT_LT(std::fabs(r.v.back()), 0.02f) << name;
        seen.insert(r.v);
    }
    EXPECT_EQ(seen.size(), 10u);  // each event has its own sound
}

TEST(GeneratedSounds, StereoMusicLoopsWithoutAClick) {
    const Read r = Load(kDir + "/Sound/bkgmusic.WAV");
    ASSERT_FALSE(r.v.empty());
    EXPECT_EQ(r.info.samplerate, 18600);
    ASSERT_EQ(r.info.channels, 2);
    EXPECT_GE(double(r.info.frames) / r.info.samplerate, 30.0);
    double diff = 0, sum = 0;
    for (size_t i = 0; i < r.v.size(); i += 2) {
        diff += std::fabs(r.v[i] - r.v[i + 1]);
        sum += std::fabs(r.v[i]) + std::fabs(r.v[i + 1]);
    }
    EXPECT_GT(diff / sum, 0.05);  // the two sides differ, so a sweep is heard
    for (int ch = 0; ch < 2; ++ch) {
        const float join = std::fabs(r.v[static_cast<size_t>(ch)] - r.v[r.v.size() - 2 + static_cast<size_t>(ch)]);
        EXPECT_LE(join, MaxStep(r, ch)) << "the loop point jumps further than any step inside";
    }
}
