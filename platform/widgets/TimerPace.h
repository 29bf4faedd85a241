#pragma once
// How often the desktop delivers timer ticks. The game asks for 2 ms on its
// fall timer, but the desktop it was made for never delivered ticks faster
// than every 10 ms; every speed of the game (1.5 s per row at level 0, the
// two-second time bonus) is counted in ticks at that pace.
namespace timerpace {

constexpr int kMinTickMs = 10;

constexpr int Effective(int requestedMs) { return requestedMs < kMinTickMs ? kMinTickMs : requestedMs; }

}  // namespace timerpace
