#pragma once
// Turns a compound name from the server's result page (inverted, lower case) into the display
// name in reading order: 'butane, 2-methyl-' -> '2-methylbutane', '2-butene, (z)-' ->
// '(Z)-2-butene'.

#include <string>

namespace kestrix {

std::string displayname(std::string name);

} // namespace kestrix
