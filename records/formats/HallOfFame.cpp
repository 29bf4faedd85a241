#include "HallOfFame.h"

#include <algorithm>
#include <cctype>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/files/CodePage.h"
#include "platform/files/TextLines.h"

namespace hof {

double LeadingNumber(std::string_view line) {
    // Blanks anywhere are skipped; reading stops at the first character that
    // cannot continue the number.
    std::string s;
    bool digits = false, point = false, exp = false, expDigits = false;
    for (char c : line) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r') continue;
        if ((c == '+' || c == '-') && (s.empty() || (exp && (s.back() == 'e')))) {
            s += c;
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            s += c;
            (exp ? expDigits : digits) = true;
        } else if (c == '.' && !point && !exp) {
            s += c;
            point = true;
        } else if ((c == 'e' || c == 'E' || c == 'd' || c == 'D') && digits && !exp) {
            s += 'e';
            exp = true;
        } else {
            break;
        }
        if (s.size() > 400) break;  // a number cannot usefully be longer
    }
    if (!digits) return 0;
    if (exp && !expDigits) {
        while (!s.empty() && (s.back() == 'e' || s.back() == '+' || s.back() == '-')) s.pop_back();
    }
    double v = std::strtod(s.c_str(), nullptr);
    if (!std::isfinite(v)) v = std::signbit(v) ? -DBL_MAX : DBL_MAX;
    return v;
}

std::string NumberText(double v) {
    if (v == 0) return "0";
    char buf[64];
    if (std::fabs(v) < 1e15 && v == std::trunc(v)) {
        std::snprintf(buf, sizeof buf, "%.0f", v);
        return buf;
    }
    std::snprintf(buf, sizeof buf, "%.15G", v);
    std::string s = buf;
    // No leading zero before the point: ".5", "-.5".
    if (s.rfind("0.", 0) == 0) s.erase(0, 1);
    else if (s.rfind("-0.", 0) == 0) s.erase(1, 1);
    return s;
}

Table Parse(std::string_view text) {
    const std::vector<std::string_view> lines = textfile::SplitLines(text);
    Table t;
    const size_t rows = lines.size() / 2;
    t.colNames.reserve(rows);
    t.colScores.reserve(rows);
    for (size_t r = 0; r < rows; ++r) {
        t.colNames.emplace_back(lines[2 * r]);
        t.colScores.push_back(LeadingNumber(lines[2 * r + 1]));
    }
    return t;
}

std::string OneRowName(std::string_view utf8) {
    std::string out;
    for (size_t i = 0; i < utf8.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        if (c == '\r' || c == '\n') break;
        if (c < 0x20 || c == 0x7F) continue;
        const auto next = [&](size_t k) { return i + k < utf8.size() ? static_cast<unsigned char>(utf8[i + k]) : 0; };
        if (c == 0xC2 && next(1) >= 0x80 && next(1) <= 0x9F) {  // U+0080 to U+009F
            ++i;
            continue;
        }
        if (c == 0xE2 && next(1) == 0x80 && (next(2) == 0xA8 || next(2) == 0xA9)) {  // U+2028, U+2029
            i += 2;
            continue;
        }
        out += static_cast<char>(c);
    }
    return out;
}

bool ValidName(std::string_view utf8) {
    const size_t n = codepage::Length(utf8);
    return n >= 1 && n <= kMaxNameChars && OneRowName(utf8) == utf8 && codepage::Cp1251CanStore(utf8);
}

std::optional<int32_t> ValidScore(std::string_view text) {
    if (text.empty() || text.size() > 9) return std::nullopt;
    int32_t v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        v = v * 10 + (c - '0');
    }
    if (v > kMaxScore) return std::nullopt;
    return v;
}

std::string Format(const Table& t) {
    std::string out;
    for (size_t i = 0; i < t.Rows(); ++i) {
        // A name line is one line, whatever the table was given.
        const std::string& name = t.colNames[i];
        out.append(name, 0, std::min(name.find_first_of("\r\n"), name.size()));
        out += "\r\n";
        const double v = t.colScores[i];
        if (!(v < 0)) out += ' ';
        out += NumberText(v);
        out += " \r\n";
    }
    return out;
}

std::string RowText(size_t i, const std::string& name, double score) {
    std::string row = std::to_string(i) + (i < 10 ? ". " : ".");
    row += name;
    const size_t len = codepage::Length(name);
    // A name of 15 characters or more still keeps one space before its score.
    row.append(len < 15 ? 15 - len : 1, ' ');
    row += NumberText(score);
    return row;
}

long InsertIndex(const Table& t, double score) {
    for (size_t i = 0; i < t.Rows(); ++i)
        if (score > t.colScores[i]) return static_cast<long>(i);
    if (t.Rows() >= kMaxRows) return -1;
    return static_cast<long>(t.Rows());
}

void InsertAt(Table& t, size_t index, std::string name, double score) {
    if (index > t.Rows()) index = t.Rows();
    t.colNames.insert(t.colNames.begin() + static_cast<long>(index), std::move(name));
    t.colScores.insert(t.colScores.begin() + static_cast<long>(index), score);
    if (t.Rows() > kMaxRows) {
        t.colNames.erase(t.colNames.begin() + kMaxRows);
        t.colScores.erase(t.colScores.begin() + kMaxRows);
    }
}

Climb UpdateRanking(const std::vector<double>& scores, int16_t& iPlace, int16_t& iPlacesPassed, int32_t score) {
    Climb c;
    if (iPlace <= 0) return c;
    if (static_cast<size_t>(iPlace) > scores.size()) iPlace = static_cast<int16_t>(scores.size());
    auto above = [&] { return scores[static_cast<size_t>(iPlace - 1)]; };
    while (iPlace > 0 && score > above()) {
        --iPlace;
        ++iPlacesPassed;
    }
    if (iPlace > 0) {
        c.nextPlace = true;
        c.nextPlaceText = "Next Place : +" + NumberText(above() - score);
    }
    if (iPlacesPassed > 0) {
        iPlacesPassed = 0;
        c.moved = true;
        c.selectRow = iPlace;
        c.positionText = "Place # " + std::to_string(iPlace + 1);
        if (iPlace > 0) {
            c.statisticLine = "...Place : " + std::to_string(iPlace + 1);
        } else {
            c.victory = true;
            c.statisticLine = "...VICTORY !!!";
        }
    }
    return c;
}

}  // namespace hof
