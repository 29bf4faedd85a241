#include "SettingsFile.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

#include "HallOfFame.h"
#include "platform/TextLines.h"
#include "platform/VbMath.h"

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
    const double r = vb::RoundHalfEven(LenientNumber(line));
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
    auto take = [&]() -> std::optional<std::string_view> {
        if (next >= lines.size()) return std::nullopt;  // the file ends early
        return lines[next++];
    };

    Values v;
    auto l = take();
    if (!l) return std::nullopt;
    v.mainLeft = LenientPosition(*l);
    if (!(l = take())) return std::nullopt;
    v.mainTop = LenientPosition(*l);
    int window = 0;
    for (Window* w : {&v.hall, &v.stat, &v.future}) {
        if (!(l = take())) return std::nullopt;
        const auto shown = Boolean(*l);
        if (!shown) return std::nullopt;
        w->shown = *shown;
        if (w->shown) {
            for (double* edge : {&w->left, &w->top}) {
                if (!(l = take())) return std::nullopt;
                if (window == 0) {
                    *edge = LenientPosition(*l);
                } else {
                    const auto n = StrictNumber(*l);
                    if (!n) return std::nullopt;
                    *edge = *n;
                }
            }
        }
        ++window;
    }
    if (!(l = take())) return std::nullopt;
    const auto sound = Boolean(*l);
    if (!sound) return std::nullopt;
    v.EnableSoundControl = *sound;
    if (!take()) return std::nullopt;  // the marker
    if (!(l = take())) return std::nullopt;
    v.PathToBkgMusic = *l == kDefaultPath ? DefaultMusicPath(folder) : std::string(*l);
    if (!(l = take())) return std::nullopt;
    const auto loop = Boolean(*l);
    if (!loop) return std::nullopt;
    v.EnableLoop = *loop;
    if (!(l = take())) return std::nullopt;
    const auto vol = Int16(*l);
    if (!vol) return std::nullopt;
    v.VolumeBkgMusic = *vol;
    if (!(l = take())) return std::nullopt;
    const auto f = Int32(*l);
    if (!f) return std::nullopt;
    v.freq = *f;
    for (size_t c = 0; c < v.channels.size(); ++c) {
        Channel& ch = v.channels[c];
        if (!(l = take())) return std::nullopt;
        ch.path = *l == kDefaultPath ? DefaultEffectPath(folder, static_cast<FileChannel>(c)) : std::string(*l);
        if (!(l = take())) return std::nullopt;
        const auto en = Boolean(*l);
        if (!en) return std::nullopt;
        ch.enabled = *en;
        if (!(l = take())) return std::nullopt;
        const auto cv = Int16(*l);
        if (!cv) return std::nullopt;
        ch.volume = *cv;
        if (!(l = take())) return std::nullopt;
        const auto cf = Int32(*l);
        if (!cf) return std::nullopt;
        ch.freq = *cf;
    }
    if (!(l = take())) return std::nullopt;
    const auto sc = Int16(*l);
    if (!sc) return std::nullopt;
    v.SpeedChange = *sc;
    if (!(l = take())) return std::nullopt;
    const auto m = UInt8(*l);
    if (!m) return std::nullopt;
    v.iMirvax = *m;
    return v;
}

}  // namespace settings
