// Prints the number of frames and the peak level (0 to 1) of a sound file:
// wavepeak FILE. Exit code 2 when the file cannot be read.
#include <sndfile.h>

#include <cmath>
#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    SF_INFO info{};
    SNDFILE* f = sf_open(argv[1], SFM_READ, &info);
    if (!f) {
        std::printf("unreadable\n");
        return 2;
    }
    std::vector<float> buf(4096 * static_cast<size_t>(info.channels));
    double peak = 0;
    long long frames = 0;
    for (sf_count_t n; (n = sf_readf_float(f, buf.data(), 4096)) > 0;) {
        frames += n;
        for (sf_count_t i = 0; i < n * info.channels; ++i)
            peak = std::max(peak, double(std::fabs(buf[static_cast<size_t>(i)])));
    }
    sf_close(f);
    std::printf("%lld %.4f\n", frames, peak);
    return 0;
}
