#pragma once
// getdata: one compound's record, from its page in the page cache or from the server.

#include <string>

#include "compound/seams.h"
#include "web/fetcher.h"
#include "web/fetchreport.h"

namespace kestrix {

struct CompoundContext {
    std::string scachedir;
    PageSource& pages;
    MessageBoxes& messages;
    LinkCaptions& links;
    FetchReport* report = nullptr;    // told of pages shown from the cache because a fetch failed
    TransferResult* answer = nullptr; // receives what became of a fetch of the page
};

// The compound record "|key=value...|file=NAME" for every name of sfieldlist. Values the page
// lacks are empty; a failed fetch gives a record of empty values. After a fetch the compound
// page file and the identifier file are written into the page cache.
std::string getdata(const std::string& smw, const std::string& sid, const std::string& sfieldlist,
                    const std::string& sfileext, const std::string& cap, bool iforcenew,
                    CompoundContext& context);

} // namespace kestrix
