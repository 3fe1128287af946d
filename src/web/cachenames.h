#pragma once
// The names of the page cache's files, one rule each. Names are not checked here; cachepath
// refuses those that cannot name a file directly in the cache directory.

#include <string>
#include <string_view>

namespace kestrix {

// A formula's result page: "C5H12-&NoIon=on&Units=SI&cTG=on&cTC=on&cTP=on.htm".
std::string resultpagename(std::string_view formula);

// The file that maps a compound identifier to its CAS number: "C5H12-C109660-thermo".
std::string identifiername(std::string_view smw, std::string_view sid, std::string_view sfileext);

// A compound's page, named by what its identifier file holds ("CAS-109-66-0"):
// "C5H12-CAS-109-66-0-thermo.htm".
std::string compoundpagename(std::string_view smw, std::string_view cas, std::string_view sfileext);

// A structure drawing: "C109660.gif".
std::string drawingname(std::string_view sid);

// A tabulation, named after the formula box text as typed: "C5H12.htm" or "C5H12.csv".
std::string tabulationname(std::string_view text, bool isexcel);

} // namespace kestrix
