#pragma once
// The one place where the notebook's 8-bit cell texts meet Unicode.
// Cells hold Windows-1252 bytes; a cell in the "Symbol" font holds that
// font's code, which stands for another sign (a "p" there is π).
#include <string>

namespace renglero {

char32_t aUnicode(unsigned char codigo, bool simbolo);

// The UTF-8 text of a cell's 8-bit text, in the normal font or in Symbol.
std::string aUtf8(const std::string& texto, bool simbolo = false);

// The UTF-8 encoding of one code point.
std::string utf8(char32_t punto);

// The Windows-1252 code of a Unicode character, or -1 when it has none.
int desdeUnicode(char32_t punto);

// Decodes UTF-8 into code points (invalid bytes are taken as Latin-1).
std::u32string decodificarUtf8(const std::string& texto);

} // namespace renglero
