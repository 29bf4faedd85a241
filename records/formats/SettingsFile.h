#pragma once
// The settings file GMirvax.ini as data: one value a line by position, the
// conversions its reader applies, and the text of the default file.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace settings {

inline constexpr const char* kFileName = "GMirvax.ini";
inline constexpr const char* kMarker = "gravlok-music...";
inline constexpr const char* kDefaultPath = "...";

// Conversions of one line. Failures are empty.
double LenientNumber(std::string_view line);                // leading number, blanks skipped, none = 0
double LenientPosition(std::string_view line);              // the same, "," also as the decimal point
std::optional<double> StrictNumber(std::string_view line);  // the whole line; "." or ","
std::optional<bool> Boolean(std::string_view line);         // True/False in any case, or a number
std::optional<int16_t> Int16(std::string_view line);        // lenient, half to even, in range
std::optional<int32_t> Int32(std::string_view line);
std::optional<uint8_t> UInt8(std::string_view line);
// A number as written: a space for no sign, the digits, a space.
std::string NumberLine(double v);

struct Window {
    bool shown = true;
    double left = 0, top = 0;  // twips
    bool operator==(const Window&) const = default;
};

struct Channel {
    std::string path;  // "..." only in a default file
    bool enabled = true;
    int16_t volume = 0;
    int32_t freq = 32000;
    bool operator==(const Channel&) const = default;
};

// Channels in the order of the file.
enum FileChannel { Left1, Right1, Rotate1, Drop1, Drop2, Down1, Down2, DelLin1, Gravlok1, Inverse1 };
inline constexpr std::array<const char*, 10> kChannelFiles = {
    "left1.WAV", "right1.WAV", "rotate1.WAV", "drop1.WAV",    "drop2.WAV",
    "down1.WAV", "down2.WAV",  "dellin1.WAV", "gravlok1.WAV", "inverse1.WAV"};

struct Values {
    double mainLeft = 2955, mainTop = 1560;
    Window hall{true, 9905, 7200}, stat{true, 11530, 1560}, future{true, 9905, 1560};
    bool EnableSoundControl = true;
    std::string PathToBkgMusic = kDefaultPath;
    bool EnableLoop = true;
    int16_t VolumeBkgMusic = -800;
    int32_t freq = 18600;
    std::array<Channel, 10> channels{};  // file order
    int16_t SpeedChange = 0;
    uint8_t iMirvax = 1;
    bool operator==(const Values&) const = default;
};

// The default values and their file (59 lines).
Values Defaults();
// The text of the file (UTF-8), CR LF after every line.
std::string Format(const Values& v);
// Reads a file's text; "..." paths become full paths in `programFolder`.
// Empty when the file ends early or a value cannot be read.
std::optional<Values> Parse(std::string_view text, const std::string& programFolder);

// The default places of the sounds.
std::string DefaultMusicPath(const std::string& programFolder);
std::string DefaultEffectPath(const std::string& programFolder, FileChannel c);

}  // namespace settings
