#include "web/cachenames.h"

#include "core/text.h"
#include "web/server.h"

namespace kestrix {

namespace {

// The compound files' pattern, with "$$$" replaced by what tells them apart.
std::string compoundfile(std::string_view smw, std::string_view part, std::string_view ext) {
    std::string name = std::string(smw) + "-$$$-" + std::string(ext);
    strsub(name, "$$$", part);
    return name;
}

} // namespace

std::string resultpagename(std::string_view formula) {
    return std::string(formula) + "-" + std::string(server::searchoptions) + ".htm";
}

std::string identifiername(std::string_view smw, std::string_view sid, std::string_view sfileext) {
    return compoundfile(smw, sid, sfileext);
}

std::string compoundpagename(std::string_view smw, std::string_view cas,
                             std::string_view sfileext) {
    return compoundfile(smw, cas, sfileext) + ".htm";
}

std::string drawingname(std::string_view sid) {
    return std::string(sid) + ".gif";
}

std::string tabulationname(std::string_view text, bool isexcel) {
    return std::string(text) + (isexcel ? ".csv" : ".htm");
}

} // namespace kestrix
