#pragma once
// Every address of the NIST chemistry data server. The host is the build setting
// KESTRIX_SERVER_HOST, which the environment variable of the same name overrides at run time;
// inserted values are used as they stand, not encoded.

#include <string>
#include <string_view>

namespace kestrix::server {

std::string_view host();

// How the program names itself to the server: "Kestrix/" and the version, then the toolkit
// in parentheses ("Kestrix/1.0d3 (Qt 6.4.2)").
std::string useragent(std::string_view toolkit);
// True while the host is the build's reserved placeholder, which names no real server.
bool placeholder();

// The options text of the formula search; also part of the result page file name.
inline constexpr std::string_view searchoptions = "&NoIon=on&Units=SI&cTG=on&cTC=on&cTP=on";

std::string formulaurl(std::string_view formula);
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
