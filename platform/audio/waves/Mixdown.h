#pragma once
// A frame of any number of channels mixed down to the two outputs, in the
// wave file's channel order: front left and right to their sides; the
// centre, the low frequencies and a back centre to both at -3 dB; back and
// side channels to their sides at -3 dB (the usual downmix of surround to
// stereo). Past eight channels, odd ones go left and even ones right.
#include <cstddef>
#include <utility>
#include <vector>

namespace mixdown {

enum Side { kLeft, kRight, kBoth };

inline Side SideOf(int channel, int channels) {
    // The wave file's usual layouts: 3 L R C; 4 L R BL BR; 5 L R C BL BR;
    // 6 L R C LFE BL BR; 7 L R C LFE BC SL SR; 8 L R C LFE BL BR SL SR.
    static constexpr Side k3[] = {kLeft, kRight, kBoth};
    static constexpr Side k4[] = {kLeft, kRight, kLeft, kRight};
    static constexpr Side k5[] = {kLeft, kRight, kBoth, kLeft, kRight};
    static constexpr Side k6[] = {kLeft, kRight, kBoth, kBoth, kLeft, kRight};
    static constexpr Side k7[] = {kLeft, kRight, kBoth, kBoth, kBoth, kLeft, kRight};
    static constexpr Side k8[] = {kLeft, kRight, kBoth, kBoth, kLeft, kRight, kLeft, kRight};
    switch (channels) {
    case 3: return k3[channel];
    case 4: return k4[channel];
    case 5: return k5[channel];
    case 6: return k6[channel];
    case 7: return k7[channel];
    case 8: return k8[channel];
    default: return channel % 2 == 0 ? kLeft : kRight;
    }
}

// Mixes one frame of `channels` samples into `l` and `r`.
inline void Frame(const float* in, int channels, float& l, float& r) {
    if (channels == 1) {
        l = r = in[0];
        return;
    }
    constexpr float kMinus3dB = 0.70710678f;
    l = in[0];
    r = in[1];
    for (int c = 2; c < channels; ++c) {
        const float v = in[c] * kMinus3dB;
        const Side s = SideOf(c, channels);
        if (s != kRight) l += v;
        if (s != kLeft) r += v;
    }
}

// Interleaved stereo as OpenAL's pair of buffers wants it: (left, silence)
// and (silence, right) frames, played on two sources locked together.
inline std::pair<std::vector<float>, std::vector<float>> SidesApart(const std::vector<float>& stereo) {
    std::vector<float> l(stereo.size(), 0.0f), r(stereo.size(), 0.0f);
    for (size_t i = 0; i + 1 < stereo.size(); i += 2) {
        l[i] = stereo[i];
        r[i + 1] = stereo[i + 1];
    }
    return {std::move(l), std::move(r)};
}

}  // namespace mixdown
