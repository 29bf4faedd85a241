#include "SettingsFile.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <type_traits>
#include <vector>

#include "HallOfFame.h"
#include "platform/files/TextLines.h"
#include "platform/runtime/Arithmetic.h"

namespace settings {
namespace {
std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

bool IEquals(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

template <class T>
std::optional<T> Whole(std::string_view line) {
    const double r = arith::RoundHalfEven(LenientNumber(line));
    if (r < double(std::numeric_limits<T>::min()) || r > double(std::numeric_limits<T>::max())) return std::nullopt;
    return static_cast<T>(r);
}
}  // namespace

double LenientNumber(std::string_view line) { return hof::LeadingNumber(line); }

double LenientPosition(std::string_view line) {
    std::string s(line);
    if (s.find('.') == std::string::npos) {
        const size_t c = s.find(',');
        if (c != std::string::npos) s[c] = '.';
    }
    return hof::LeadingNumber(s);
}

std::optional<double> StrictNumber(std::string_view line) {
    std::string s(Trim(line));
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    size_t digits = 0;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, ++digits;
    if (i < s.size() && (s[i] == '.' || s[i] == ',')) {
        s[i] = '.';
        ++i;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, ++digits;
    }
    if (digits == 0) return std::nullopt;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        size_t ed = 0;
        while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) ++j, ++ed;
        if (ed == 0) return std::nullopt;
        i = j;
    }
    if (i != s.size()) return std::nullopt;
    const double v = std::strtod(s.c_str(), nullptr);
    if (!std::isfinite(v)) return std::nullopt;
    return v;
}

std::optional<bool> Boolean(std::string_view line) {
    const std::string_view t = Trim(line);
    if (IEquals(t, "True")) return true;
    if (IEquals(t, "False")) return false;
    if (auto n = StrictNumber(t)) return *n != 0;
    return std::nullopt;
}

std::optional<int16_t> Int16(std::string_view line) { return Whole<int16_t>(line); }
std::optional<int32_t> Int32(std::string_view line) { return Whole<int32_t>(line); }
std::optional<uint8_t> UInt8(std::string_view line) { return Whole<uint8_t>(line); }

std::string NumberLine(double v) {
    std::string s = hof::NumberText(v);
    if (!(v < 0)) s.insert(s.begin(), ' ');
    return s + " ";
}

std::string DefaultMusicPath(const std::string& folder) { return folder + "/Sound/bkgmusic.WAV"; }
std::string DefaultEffectPath(const std::string& folder, FileChannel c) {
    return folder + "/sound/" + kChannelFiles[static_cast<size_t>(c)];
}

Values Defaults() {
    Values v;
    for (Channel& c : v.channels) c = Channel{kDefaultPath, true, 0, 32000};
    return v;
}

std::string Format(const Values& v) {
    std::string out;
    auto line = [&](const std::string& s) { out += s + "\r\n"; };
    auto boolean = [&](bool b) { line(b ? "True" : "False"); };
    line(NumberLine(v.mainLeft));
    line(NumberLine(v.mainTop));
    for (const Window* w : {&v.hall, &v.stat, &v.future}) {
        boolean(w->shown);
        if (w->shown) {
            line(NumberLine(w->left));
            line(NumberLine(w->top));
        }
    }
    boolean(v.EnableSoundControl);
    line(kMarker);
    line(v.PathToBkgMusic);
    boolean(v.EnableLoop);
    line(NumberLine(v.VolumeBkgMusic));
    line(NumberLine(v.freq));
    for (const Channel& c : v.channels) {
        line(c.path);
        boolean(c.enabled);
        line(NumberLine(c.volume));
        line(NumberLine(c.freq));
    }
    line(NumberLine(v.SpeedChange));
    line(NumberLine(v.iMirvax));
    return out;
}

std::optional<Values> Parse(std::string_view text, const std::string& folder) {
    const std::vector<std::string_view> lines = textfile::SplitLines(text);
    size_t next = 0;
    bool ok = true;  // false once the file ends early or a line cannot be read
    // The next line through a conversion that may fail.
    auto read = [&](auto convert, auto& out) {
        if (!ok || next >= lines.size()) return void(ok = false);
        const auto v = convert(lines[next++]);
        if (!v) return void(ok = false);
        out = static_cast<std::remove_reference_t<decltype(out)>>(*v);
    };
    auto lenient = [](std::string_view l) { return std::optional<double>(LenientPosition(l)); };
    auto text_ = [](std::string_view l) { return std::optional<std::string>(l); };

    Values v;
    read(lenient, v.mainLeft);
    read(lenient, v.mainTop);
    int window = 0;
    for (Window* w : {&v.hall, &v.stat, &v.future}) {
        read(Boolean, w->shown);
        if (ok && w->shown) {
            // The hall-of-fame window's place is read leniently, the others' strictly.
            if (window == 0) {
                read(lenient, w->left);
                read(lenient, w->top);
            } else {
                read(StrictNumber, w->left);
                read(StrictNumber, w->top);
            }
        }
        ++window;
    }
    read(Boolean, v.EnableSoundControl);
    std::string marker;
    read(text_, marker);
    read(text_, v.PathToBkgMusic);
    if (v.PathToBkgMusic == kDefaultPath) v.PathToBkgMusic = DefaultMusicPath(folder);
    read(Boolean, v.EnableLoop);
    read(Int16, v.VolumeBkgMusic);
    read(Int32, v.freq);
    for (size_t c = 0; c < v.channels.size(); ++c) {
        Channel& ch = v.channels[c];
        read(text_, ch.path);
        if (ch.path == kDefaultPath) ch.path = DefaultEffectPath(folder, static_cast<FileChannel>(c));
        read(Boolean, ch.enabled);
        read(Int16, ch.volume);
        read(Int32, ch.freq);
    }
    read(Int16, v.SpeedChange);
    read(UInt8, v.iMirvax);
    if (!ok) return std::nullopt;
    return v;
}

}  // namespace settings
