// Fuzz target: any bytes as a settings file. The reader must not crash, and
// every value it gives must lie in its field's range and survive a save and
// a read unchanged.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/files/CodePage.h"
#include "records/formats/SettingsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text = codepage::FromCp1251(std::string_view(reinterpret_cast<const char*>(data), size));
    const auto v = settings::Parse(text, "/game");
    if (!v) return 0;
    for (double p :
         {v->mainLeft, v->mainTop, v->hall.left, v->hall.top, v->stat.left, v->stat.top, v->future.left, v->future.top})
        if (!std::isfinite(p)) std::abort();
    // The 8-, 16- and 32-bit fields hold their types; paths have no line ends.
    auto oneLine = [](const std::string& s) { return s.find_first_of("\r\n") == std::string::npos; };
    if (!oneLine(v->PathToBkgMusic)) std::abort();
    for (const auto& c : v->channels)
        if (!oneLine(c.path)) std::abort();
    const auto back = settings::Parse(codepage::FromCp1251(codepage::ToCp1251(settings::Format(*v))), "/game");
    if (!back) std::abort();
    if (back->VolumeBkgMusic != v->VolumeBkgMusic || back->freq != v->freq || back->iMirvax != v->iMirvax ||
        back->SpeedChange != v->SpeedChange || back->channels != v->channels ||
        back->EnableSoundControl != v->EnableSoundControl || back->stat.shown != v->stat.shown)
        std::abort();
    return 0;
}
