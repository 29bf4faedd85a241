// Fuzz target: any bytes as a hall-of-fame file. The reader must keep names
// and scores paired, give finite scores, and what it writes must read back
// as the same table.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/files/CodePage.h"
#include "records/formats/HallOfFame.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text = codepage::FromCp1251(std::string_view(reinterpret_cast<const char*>(data), size));
    const hof::Table t = hof::Parse(text);
    if (t.colNames.size() != t.colScores.size()) std::abort();
    for (size_t i = 0; i < t.Rows(); ++i) {
        if (!std::isfinite(t.colScores[i])) std::abort();
        (void)hof::RowText(i + 1, t.colNames[i], t.colScores[i]);
    }
    // Names without line ends survive a save and a read unchanged.
    hof::Table clean;
    for (size_t i = 0; i < t.Rows(); ++i)
        if (t.colNames[i].find_first_of("\r\n") == std::string::npos) {
            clean.colNames.push_back(t.colNames[i]);
            clean.colScores.push_back(t.colScores[i]);
        }
    const hof::Table back = hof::Parse(codepage::FromCp1251(codepage::ToCp1251(hof::Format(clean))));
    if (back.Rows() != clean.Rows()) std::abort();
    for (size_t i = 0; i < back.Rows(); ++i) {
        if (back.colNames[i] != clean.colNames[i]) std::abort();
        const double a = back.colScores[i], b = clean.colScores[i];
        if (std::fabs(a - b) > 1e-9 * std::fmax(1.0, std::fabs(b))) std::abort();
    }
    int16_t place = static_cast<int16_t>(t.Rows() < 32767 ? t.Rows() : 32767), passed = 0;
    (void)hof::UpdateRanking(t.colScores, place, passed, static_cast<int32_t>(size * 1000));
    return 0;
}
