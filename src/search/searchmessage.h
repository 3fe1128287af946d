#pragma once
// The one message a search shows at its end about what its fetches met.

#include <string>

#include "web/fetchreport.h"

namespace kestrix {

// Names the server, what could not be had and why, in sentences; with the build's placeholder
// host, also how to set a real one. Empty when all went well.
std::string searchmessage(const FetchReport& report, const std::string& formula);

} // namespace kestrix
