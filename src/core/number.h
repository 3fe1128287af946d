#pragma once
// The one rule by which every parser reads a number from the front of a text, and the number
// formats the system writes.

#include <string>
#include <string_view>

namespace kestrix {

// Counters and tab stops are 16-bit signed numbers: a count stops at maxshort, and a whole number
// outside minshort..maxshort cannot be read as one.
inline constexpr int maxshort = 32767;
inline constexpr int minshort = -32768;

// Adds 1 to a 16-bit counter, which stays at maxshort.
inline void countup(int& n) {
    if (n < maxshort) ++n;
}

// Blanks, tabs and line feeds are skipped anywhere until the number ends; then an optional
// sign, digits with at most one ".", an optional exponent (E or D, either case). Reading stops
// at the first character that cannot continue the number; no number, or one too large to
// hold, reads as 0. '309.2' -> 309.2, '2-methylbutane' -> 2, 'butane' -> 0.
double numericvalue(std::string_view s);

// Brings d to the nearest whole number, halfway values to the even neighbour (12.5 -> 12).
double roundhalfeven(double d);

// Plain decimal notation: up to 15 significant digits, no trailing zeros, no decimal point for
// whole numbers, "." as decimal point ('309.2', '36', '-11.8', '0.001').
std::string plaindecimal(double d);

// The pattern "0000.000": at least four digits before the point, exactly three after, a minus
// sign for negatives ('-0011.800'). A text that is not a number is returned unchanged.
std::string formatsortkey(std::string_view value);

// True when s is a number in the "0000.000" pattern, as formatsortkey writes it.
bool issortkeynumber(std::string_view s);

} // namespace kestrix
