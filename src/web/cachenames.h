#pragma once
// The names of the page cache's files, one rule each. Names are not checked here; cachepath
// refuses those that cannot name a file directly in the cache directory.

#include <string>
#include <string_view>

#include "core/query.h"

namespace kestrix {

// A formula's result page: "C5H12-&NoIon=on&Units=SI&cTG=on&cTC=on&cTP=on.htm".
std::string resultpagename(std::string_view formula);

// What a search's files begin with: the formula itself; "cas-" and the CAS number
// ("cas-109-66-0"); "name-" and the name with every byte but A-Z, a-z and 0-9 as "%XX"
// ("name-2%2C2%2Ddimethylpropane"), a long one cut and told apart by a hash of the whole
// ("name-...._0123456789abcdef"). A formula begins with a capital, so no kind meets another;
// an escaped name holds no "-", so no name's files meet another's.
std::string searchkey(const Query& query);

// The result page of any search: a formula's as above, else the search key, "-", the options
// text and ".htm" ("cas-109-66-0-&Units=SI.htm").
std::string resultpagename(const Query& query);

// The question whose result page a file of that name is: the formula, CAS number or name as it
// was searched. Empty text for any other file, and for a name too long to be read back.
std::string cachedquestion(std::string_view filename);

// The file that maps a compound identifier to its CAS number: "C5H12-C109660-thermo".
std::string identifiername(std::string_view smw, std::string_view sid, std::string_view sfileext);

// A compound's page, named by what its identifier file holds ("CAS-109-66-0"):
// "C5H12-CAS-109-66-0-thermo.htm".
std::string compoundpagename(std::string_view smw, std::string_view cas, std::string_view sfileext);

// A structure drawing: "C109660.gif".
std::string drawingname(std::string_view sid);

// A tabulation, named after the formula box text as typed: "C5H12.htm" or "C5H12.csv"; when the
// text asks for a name or a CAS number, after its search key ("name-pentane.htm").
std::string tabulationname(std::string_view text, bool isexcel);

} // namespace kestrix
