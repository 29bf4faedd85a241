#pragma once
// Text files of the game are stored in Windows-1251; inside the program all
// text is UTF-8.
#include <string>
#include <string_view>

namespace codepage {
// Every byte has a meaning except 0x98, which becomes '?'.
std::string FromCp1251(std::string_view bytes);
// Characters the code page cannot store become '?'.
std::string ToCp1251(std::string_view utf8);
// Text files line by line: a line the code page cannot spell (a folder named
// in French or Chinese) is stored as UTF-8 behind the byte-order mark
// EF BB BF, which reads back as the same text; every other line is stored in
// the code page exactly as before. Line ends pass through.
std::string LinesToFile(std::string_view utf8);
std::string LinesFromFile(std::string_view bytes);
// Whether every character of the text can be stored in the code page.
bool Cp1251CanStore(std::string_view utf8);
// The number of characters (code points) of UTF-8 text.
size_t Length(std::string_view utf8);
}  // namespace codepage
