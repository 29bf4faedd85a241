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
// Whether every character of the text can be stored in the code page.
bool Cp1251CanStore(std::string_view utf8);
// The number of characters (code points) of UTF-8 text.
size_t Length(std::string_view utf8);
}  // namespace codepage
