#pragma once
// getdata: one compound's record, from its page in the page cache or from the server.

#include <string>

#include "compound/seams.h"
#include "web/fetcher.h"

namespace kestrix {

// What became of the last compound page getdata read.
struct PageOutcome {
    TransferResult answer; // the fetch's outcome; fault none when no fetch was needed
    bool fetched = false;  // the page was asked of the server
    bool fellback = false; // ...in vain, and the cached copy was used instead
    Failure stored;        // why the page could not be kept in the cache; ok when it was
};

struct CompoundContext {
    std::string scachedir;
    PageSource& pages;
    MessageBoxes& messages;
    LinkCaptions& links;
    PageOutcome outcome = {}; // filled in by every getdata
};

// The compound record "|key=value...|file=NAME" for every name of sfieldlist. Values the page
// lacks are empty; a failed fetch gives a record of empty values. After a fetch the compound
// page file and the identifier file are written into the page cache. The file item names the
// page file only when the cache holds it.
std::string getdata(const std::string& smw, const std::string& sid, const std::string& sfieldlist,
                    const std::string& sfileext, const std::string& cap, bool iforcenew,
                    CompoundContext& context);

} // namespace kestrix
