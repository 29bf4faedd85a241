#pragma once
// Number conversions the game's arithmetic is written in: rounding to the
// nearest integer with halves going to the even neighbour, the integer part
// (floor), and additions that stop at the limits of a field instead of
// wrapping round.
#include <cmath>
#include <cstdint>
#include <limits>

namespace arith {

// Nearest integer, a half goes to the even neighbour (2.5 -> 2, 3.5 -> 4).
inline double RoundHalfEven(double v) { return std::nearbyint(v); }

// Rounded half to even, then held at the 32-bit limits.
inline int32_t RoundToInt32(double v) {
    double r = RoundHalfEven(v);
    if (r >= 2147483647.0) return std::numeric_limits<int32_t>::max();
    if (r <= -2147483648.0) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(r);
}

// Rounded half to even, then held at the 16-bit limits.
inline int16_t RoundToInt16(double v) {
    double r = RoundHalfEven(v);
    if (r >= 32767.0) return 32767;
    if (r <= -32768.0) return -32768;
    return static_cast<int16_t>(r);
}

// Integer part: the largest integer not above v.
inline int32_t FloorToInt32(double v) { return static_cast<int32_t>(std::floor(v)); }

// v + d, held inside the range of T.
template <typename T>
T SaturatingAdd(T v, long long d) {
    long long r = static_cast<long long>(v) + d;
    if (r > static_cast<long long>(std::numeric_limits<T>::max())) return std::numeric_limits<T>::max();
    if (r < static_cast<long long>(std::numeric_limits<T>::min())) return std::numeric_limits<T>::min();
    return static_cast<T>(r);
}

// v += d, held inside the range of T.
template <typename T>
void SaturatingIncrease(T& v, long long d = 1) {
    v = SaturatingAdd<T>(v, d);
}

}  // namespace arith
