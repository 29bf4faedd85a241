// Makes the bold face the layout's bold captions are drawn with, from Wine's
// tahomabd.ttf. That file has Tahoma Bold's names and widths, but outlines
// of regular weight, and bitmaps of regular weight for the small sizes. The
// copy keeps the names and widths; every outline is drawn twice, the second
// time a fraction of the em to the right, as a bitmap bold is made: strokes
// heavier across, no taller. The bitmaps are set aside (their tables
// renamed), so every size is drawn from the outlines.
//   makeboldface IN.ttf OUT.ttf
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace {
using Bytes = std::vector<unsigned char>;

uint16_t U16(const Bytes& d, size_t at) { return static_cast<uint16_t>(d.at(at) << 8 | d.at(at + 1)); }
int16_t S16(const Bytes& d, size_t at) { return static_cast<int16_t>(U16(d, at)); }
uint32_t U32(const Bytes& d, size_t at) { return static_cast<uint32_t>(U16(d, at)) << 16 | U16(d, at + 2); }
void Put16(Bytes& d, size_t at, uint16_t v) {
    d.at(at) = static_cast<unsigned char>(v >> 8);
    d.at(at + 1) = static_cast<unsigned char>(v);
}
void Add16(Bytes& d, uint16_t v) {
    d.push_back(static_cast<unsigned char>(v >> 8));
    d.push_back(static_cast<unsigned char>(v));
}
void Add32(Bytes& d, uint32_t v) {
    Add16(d, static_cast<uint16_t>(v >> 16));
    Add16(d, static_cast<uint16_t>(v));
}

struct Point {
    int x, y;
    bool onCurve;
};

// A simple glyph with its outline drawn twice, `dx` apart; its hinting goes.
Bytes Smeared(const Bytes& g, int dx, uint16_t& points, uint16_t& contours) {
    const int16_t n = S16(g, 0);
    std::vector<uint16_t> ends;
    for (int c = 0; c < n; ++c) ends.push_back(U16(g, 10 + 2 * c));
    const size_t count = ends.empty() ? 0 : ends.back() + 1u;
    size_t at = 10 + 2 * n;
    at += 2 + U16(g, at);  // the instructions
    std::vector<uint8_t> flags;
    while (flags.size() < count) {
        const uint8_t f = g.at(at++);
        flags.push_back(f);
        if (f & 8)
            for (int r = g.at(at++); r > 0; --r) flags.push_back(f);
    }
    std::vector<Point> pts(count);
    for (int axis = 0; axis < 2; ++axis) {
        const uint8_t shortBit = axis ? 4 : 2, sameBit = axis ? 32 : 16;
        int v = 0;
        for (size_t i = 0; i < count; ++i) {
            const uint8_t f = flags[i];
            if (f & shortBit) v += (f & sameBit) ? g.at(at++) : -g.at(at++);
            else if (!(f & sameBit)) v += S16(g, (at += 2) - 2);
            (axis ? pts[i].y : pts[i].x) = v;
            pts[i].onCurve = f & 1;
        }
    }
    std::vector<Point> all = pts;
    for (Point p : pts) all.push_back({p.x + dx, p.y, p.onCurve});
    Bytes out;
    Add16(out, static_cast<uint16_t>(2 * n));
    Add16(out, U16(g, 2));
    Add16(out, U16(g, 4));
    Add16(out, static_cast<uint16_t>(S16(g, 6) + dx));
    Add16(out, U16(g, 8));
    for (int copy = 0; copy < 2; ++copy)
        for (uint16_t e : ends) Add16(out, static_cast<uint16_t>(e + copy * count));
    Add16(out, 0);                                                // no instructions
    for (const Point& p : all) out.push_back(p.onCurve ? 1 : 0);  // every delta in two bytes
    for (int axis = 0; axis < 2; ++axis) {
        int last = 0;
        for (const Point& p : all) {
            const int v = axis ? p.y : p.x;
            Add16(out, static_cast<uint16_t>(static_cast<int16_t>(v - last)));
            last = v;
        }
    }
    while (out.size() % 4) out.push_back(0);
    points = std::max<uint16_t>(points, static_cast<uint16_t>(all.size()));
    contours = std::max<uint16_t>(contours, static_cast<uint16_t>(2 * n));
    return out;
}

uint32_t CheckSum(const Bytes& t) {
    uint32_t sum = 0;
    for (size_t i = 0; i < t.size(); i += 4) {
        uint32_t w = 0;
        for (size_t k = 0; k < 4; ++k) w = w << 8 | (i + k < t.size() ? t[i + k] : 0);
        sum += w;
    }
    return sum;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: makeboldface IN.ttf OUT.ttf\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const Bytes d((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    try {
        std::map<std::string, Bytes> tables;
        for (uint16_t t = 0, n = U16(d, 4); t < n; ++t) {
            const size_t rec = 12 + 16u * t, off = U32(d, rec + 8), len = U32(d, rec + 12);
            if (off + len > d.size()) throw std::out_of_range("table");
            std::string tag(reinterpret_cast<const char*>(&d.at(rec)), 4);
            if (tag == "EBDT" || tag == "EBLC" || tag == "EBSC" || tag == "BDF ")
                tag[0] = static_cast<char>(std::tolower(tag[0]));
            tables[tag] = Bytes(d.begin() + static_cast<long>(off), d.begin() + static_cast<long>(off + len));
        }
        Bytes& head = tables.at("head");
        Bytes& maxp = tables.at("maxp");
        const Bytes& glyf = tables.at("glyf");
        const Bytes& loca = tables.at("loca");
        const bool longLoca = S16(head, 50) == 1;
        const uint16_t glyphs = U16(maxp, 4);
        const int dx = U16(head, 18) / 14;  // units per em / 14
        auto where = [&](uint16_t i) -> size_t { return longLoca ? U32(loca, 4u * i) : 2u * U16(loca, 2u * i); };
        Bytes newGlyf, newLoca;
        uint16_t points = 0, contours = 0;
        for (uint16_t i = 0; i < glyphs; ++i) {
            Add32(newLoca, static_cast<uint32_t>(newGlyf.size()));
            const size_t a = where(i), b = where(static_cast<uint16_t>(i + 1));
            if (b <= a) continue;
            const Bytes g(glyf.begin() + static_cast<long>(a), glyf.begin() + static_cast<long>(b));
            if (S16(g, 0) > 0) {
                const Bytes s = Smeared(g, dx, points, contours);
                newGlyf.insert(newGlyf.end(), s.begin(), s.end());
            } else {
                newGlyf.insert(newGlyf.end(), g.begin(), g.end());  // composite: its parts are smeared
                while (newGlyf.size() % 4) newGlyf.push_back(0);
            }
        }
        Add32(newLoca, static_cast<uint32_t>(newGlyf.size()));
        tables["glyf"] = newGlyf;
        tables["loca"] = newLoca;
        Put16(head, 50, 1);  // long offsets
        Put16(head, 8, 0);   // checksum adjustment: recomputed below
        Put16(head, 10, 0);
        Put16(maxp, 6, std::max(U16(maxp, 6), points));
        Put16(maxp, 8, std::max(U16(maxp, 8), contours));
        Put16(maxp, 10, static_cast<uint16_t>(std::min(0xFFFF, 2 * U16(maxp, 10))));
        Put16(maxp, 12, static_cast<uint16_t>(std::min(0xFFFF, 2 * U16(maxp, 12))));

        Bytes out(d.begin(), d.begin() + 12);
        const auto numTables = static_cast<uint16_t>(tables.size());
        Put16(out, 4, numTables);
        uint32_t offset = 12 + 16u * numTables;
        Bytes body;
        size_t headAt = 0;
        for (auto& [tag, t] : tables) {
            out.insert(out.end(), tag.begin(), tag.end());
            Add32(out, CheckSum(t));
            Add32(out, offset + static_cast<uint32_t>(body.size()));
            Add32(out, static_cast<uint32_t>(t.size()));
            if (tag == "head") headAt = offset + body.size();
            body.insert(body.end(), t.begin(), t.end());
            while (body.size() % 4) body.push_back(0);
        }
        out.insert(out.end(), body.begin(), body.end());
        const uint32_t adjust = 0xB1B0AFBAu - CheckSum(out);
        Put16(out, headAt + 8, static_cast<uint16_t>(adjust >> 16));
        Put16(out, headAt + 10, static_cast<uint16_t>(adjust));
        std::ofstream o(argv[2], std::ios::binary);
        o.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
        return o ? 0 : 1;
    } catch (const std::exception&) {
        std::fprintf(stderr, "makeboldface: %s is no TrueType font this tool can read\n", argv[1]);
        return 1;
    }
}
