#pragma once
// What the text of the search box asks for: a molecular formula (element symbols with counts), a
// CAS registry number (NNNNNNN-NN-N with its check digit), or, for anything else, a name.

#include <string>
#include <string_view>

namespace kestrix {

enum class QueryKind { none, formula, cas, name };

struct Query {
    QueryKind kind = QueryKind::none; // none: the text is empty or blanks only
    std::string text;                 // the typed text without leading and trailing blanks
    // For a CAS number whose check digit is wrong: the digit it should end in; else -1.
    int expectedcheck = -1;
};

// True when text reads wholly as element symbols, each followed by an optional count ("C5H12",
// "CO", "Co", "C4H8D2"); letter case counts, so "co" is not one.
bool isformula(std::string_view text);

// The check digit of a CAS number's leading digits (without its dashes): the sum of the digits
// from the right times 1, 2, 3, ... modulo 10. digits holds only '0'...'9'.
int cascheckdigit(std::string_view digits);

Query classifyquery(std::string_view typed);

// text percent-encoded: every byte but A-Z, a-z, 0-9 and those in keep becomes "%XX" (upper-case
// hex digits).
std::string percentencoded(std::string_view text, std::string_view keep);
// The bytes of "%XX" (either case of hex digit) back; any other character as it stands.
std::string percentdecoded(std::string_view text);

} // namespace kestrix
