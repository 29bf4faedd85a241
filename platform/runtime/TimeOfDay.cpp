#include "TimeOfDay.h"

#include <cctype>
#include <ctime>

int TimeOfDay::Seconds() {
    const std::string t = TimeText();
    if (t.size() >= 2) {
        const unsigned char a = static_cast<unsigned char>(t[t.size() - 2]);
        const unsigned char b = static_cast<unsigned char>(t[t.size() - 1]);
        if (std::isdigit(a) && std::isdigit(b)) return (a - '0') * 10 + (b - '0');
    }
    // A clock text that does not end in two digits: take the seconds directly.
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    return tm.tm_sec % 60;
}

static std::string Format(const char* fmt) {
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    char buf[32];
    std::strftime(buf, sizeof buf, fmt, &tm);
    return buf;
}

std::string SystemTimeOfDay::TimeText() { return Format("%H:%M:%S"); }
std::string SystemTimeOfDay::ShortDate() { return Format("%d.%m.%Y"); }
