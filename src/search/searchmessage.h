#pragma once
// The one message a search shows at its end about what its fetches met.

#include <string>

#include "search/fetchreport.h"

namespace kestrix {

// At most this many compounds are named; the rest are counted ("and 3 more").
inline constexpr std::size_t mostnamed = 10;

// Names the server, what could not be had and why, in sentences; that the server listed only
// the first compounds it found; the cache folder when it could not be written. After a search
// that read only the cache, names every page it lacked instead. Empty when all went well.
// query is the text searched for.
std::string searchmessage(const FetchReport& report, const std::string& query,
                          const std::string& scachedir);

} // namespace kestrix
