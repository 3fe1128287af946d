#pragma once
// Every address of the NIST chemistry data server. The host is the environment variable
// KESTRIX_SERVER_HOST, else the host the user saved (web/hostsetting.h), else the build setting
// of the same name; inserted values are used as they stand, not encoded.

#include <string>
#include <string_view>

#include "core/query.h"

namespace kestrix::server {

std::string_view host();
// The rule by which the host is chosen at the first ask: the environment's (when set and not
// empty), else the saved one (when not empty), else the build's.
std::string choosehost(const char* environment, const std::string& saved, std::string_view built);
// Chooses the host for the rest of the run, over the build setting and the environment. Call it
// before anything asks for an address.
void sethost(std::string chosen);

// How the program names itself to the server: "Kestrix/" and the version, then the toolkit
// in parentheses ("Kestrix/1.0d3 (Qt 6.4.2)").
std::string useragent(std::string_view toolkit);
// True while the host is the build's reserved placeholder, which names no real server: then
// nothing is to be asked of any server.
bool placeholder();
std::string_view placeholderhost();
// True when the environment's KESTRIX_SERVER_HOST chooses the host, over a saved one.
bool hostfromenvironment();

// The options text of the formula search; also part of the result page file name.
inline constexpr std::string_view searchoptions = "&NoIon=on&Units=SI&cTG=on&cTC=on&cTP=on";

// The options text of a search by name, and of a search by CAS number; also part of their result
// page file names.
inline constexpr std::string_view nameoptions = "&Units=SI&cTG=on&cTC=on&cTP=on";
inline constexpr std::string_view casoptions = "&Units=SI";

std::string formulaurl(std::string_view formula);
// A search by name: the name percent-encoded, all but the unreserved characters of URLs.
std::string nameurl(std::string_view name);
std::string casurl(std::string_view cas);
// The search the query asks for: by formula, CAS number or name.
std::string searchurl(const Query& query);
// The compound page of identifier id, in SI units with the mask 7.
std::string compoundurl(std::string_view id);
// The structure drawing as the server's pages of their time ask for it...
std::string imageurl(std::string_view id);
// ...and as today's pages do.
std::string structureurl(std::string_view id);
// The 3-D structure file address without its reference; the reference is appended to it.
std::string threedprefix();
std::string chemistryhome();

} // namespace kestrix::server
