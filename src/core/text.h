#pragma once
// The text primitives every parser is built from. Texts are bytes; a delimiter is found by
// exact, case-sensitive comparison, leftmost first. Only blanks (character 32) are trimmed.

#include <optional>
#include <string>
#include <string_view>

namespace kestrix {

// Removes leading and trailing blanks (character 32 only).
std::string trimblanks(std::string_view s);

// Returns the trimmed text of st before the first ch and leaves the trimmed rest in st; without
// ch, returns all of st trimmed and empties st. An empty ch returns empty text and keeps st.
std::string strextr(std::string& st, std::string_view ch);

// strextr on a view: the same cut without copying; the result and st view the same text.
std::string_view strextrview(std::string_view& st, std::string_view ch);

// The mirror cut: returns the trimmed text after the first ch, st keeps the trimmed text before.
std::string strextrtail(std::string& st, std::string_view ch);

// Replaces every ch1 in s by ch2, searching again from the start after every replacement (so
// 'aaab' with 'ab' -> 'b' gives 'b'), in time close to linear. An empty ch1 changes nothing.
void strsub(std::string& s, std::string_view ch1, std::string_view ch2);

// Reads the leading number of s, rounded half to even, then drops s up to and including the
// character at the first ch (exactly one character), or all of s without ch. A number outside
// the 16-bit range fails: nullopt, and s is unchanged.
std::optional<int> parsestringforinteger(std::string& s, std::string_view ch);

// ASCII letters to lower case; every other byte (UTF-8 included) unchanged.
std::string asciilower(std::string_view s);

} // namespace kestrix
