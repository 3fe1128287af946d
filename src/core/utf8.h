#pragma once
// Page bytes as text for people: UTF-8 where the bytes are valid UTF-8, else read as Latin-1.

#include <cstddef>
#include <string>
#include <string_view>

namespace kestrix {

// True when bytes are well-formed UTF-8 (no overlong forms, no surrogates, at most U+10FFFF).
bool isutf8(std::string_view bytes);

// bytes unchanged when they are UTF-8, else each byte read as Latin-1 and written as UTF-8.
std::string asutf8(std::string_view bytes);

// The number of characters of UTF-8 text: the bytes that do not continue a character.
std::size_t utf8length(std::string_view text);

} // namespace kestrix
