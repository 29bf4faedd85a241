#include "CodePage.h"

#include <iconv.h>

#include <cerrno>

namespace codepage {
namespace {
// Converts with iconv; an input character that cannot be converted becomes
// `bad` in the output and the conversion goes on. Returns the bad count.
size_t Convert(const char* to, const char* from, std::string_view in, std::string& out, const char* bad,
               size_t badInputLen) {
    out.clear();
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        out.assign(in);
        return 0;
    }
    size_t bads = 0;
    char* src = const_cast<char*>(in.data());
    size_t left = in.size();
    char buf[4096];
    while (left > 0) {
        char* dst = buf;
        size_t room = sizeof buf;
        const size_t r = iconv(cd, &src, &left, &dst, &room);
        out.append(buf, static_cast<size_t>(dst - buf));
        if (r == static_cast<size_t>(-1)) {
            if (errno == E2BIG) continue;
            // A character the target cannot hold, or a broken sequence.
            ++bads;
            out.append(bad);
            size_t skip = badInputLen;
            if (badInputLen == 0) {  // one UTF-8 character
                const auto c = static_cast<unsigned char>(*src);
                skip = c < 0xC0 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
                if (skip > left) skip = left;
                for (size_t k = 1; k < skip; ++k)
                    if ((static_cast<unsigned char>(src[k]) & 0xC0) != 0x80) {
                        skip = k;
                        break;
                    }
            }
            src += skip;
            left -= skip;
        }
    }
    iconv_close(cd);
    return bads;
}
}  // namespace

std::string FromCp1251(std::string_view bytes) {
    std::string out;
    Convert("UTF-8", "CP1251", bytes, out, "?", 1);
    return out;
}

std::string ToCp1251(std::string_view utf8) {
    std::string out;
    Convert("CP1251", "UTF-8", utf8, out, "?", 0);
    return out;
}

namespace {
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// Calls `each` with every line and its end ("\r\n", "\n", "\r" or none).
template <class F>
void EachLine(std::string_view text, F each) {
    size_t i = 0;
    while (i < text.size()) {
        size_t end = text.find_first_of("\r\n", i);
        if (end == std::string_view::npos) {
            each(text.substr(i), std::string_view());
            return;
        }
        size_t next = end + 1;
        if (text[end] == '\r' && next < text.size() && text[next] == '\n') ++next;
        each(text.substr(i, end - i), text.substr(end, next - end));
        i = next;
    }
}
}  // namespace

std::string LinesToFile(std::string_view utf8) {
    std::string out;
    // Nearly always every line can be spelt: one conversion for the whole text.
    if (Convert("CP1251", "UTF-8", utf8, out, "?", 0) == 0) return out;
    out.clear();
    EachLine(utf8, [&](std::string_view line, std::string_view end) {
        std::string bytes;
        if (Convert("CP1251", "UTF-8", line, bytes, "?", 0) == 0) {
            out += bytes;
        } else {
            out += kUtf8Mark;
            out += line;
        }
        out += end;
    });
    return out;
}

std::string LinesFromFile(std::string_view bytes) {
    if (bytes.find(kUtf8Mark) == std::string_view::npos) return FromCp1251(bytes);
    std::string out;
    EachLine(bytes, [&](std::string_view line, std::string_view end) {
        if (line.substr(0, kUtf8Mark.size()) == kUtf8Mark) out += line.substr(kUtf8Mark.size());
        else out += FromCp1251(line);
        out += end;
    });
    return out;
}

bool Cp1251CanStore(std::string_view utf8) {
    std::string out;
    return Convert("CP1251", "UTF-8", utf8, out, "?", 0) == 0;
}

size_t Length(std::string_view utf8) {
    size_t n = 0;
    for (char c : utf8)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
    return n;
}
}  // namespace codepage
