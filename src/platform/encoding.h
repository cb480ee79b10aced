// Text at the file boundary: Windows-1250 on disk, UTF-8 in memory.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kvem {

// Decodes Windows-1250 bytes to UTF-8. The five bytes the code page leaves
// undefined become U+FFFD so that damaged input never produces invalid UTF-8.
std::string Cp1250ToUtf8(std::string_view bytes);

// Encodes UTF-8 text to Windows-1250. A character the code page cannot hold (or
// a malformed UTF-8 sequence) is written as "?" and counted in *unmappable.
std::string Utf8ToCp1250(std::string_view text, std::size_t* unmappable = nullptr);

// Number of characters (code points) of UTF-8 text.
std::size_t Utf8Length(std::string_view text);

// The first `maxChars` characters of UTF-8 text; never splits a character.
std::string Utf8Left(std::string_view text, std::size_t maxChars);

// Case-insensitive comparison as the program's texts need it: ASCII and the
// Latin letters of Windows-1250 ("Nový" equals "NOVÝ").
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

// Upper-cased copy (same letter set as EqualsIgnoreCase).
std::string ToUpper(std::string_view text);

}  // namespace kvem
