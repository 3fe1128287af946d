#include "compound/getdata.h"

#include "compound/extract.h"
#include "core/text.h"
#include "web/cache.h"
#include "web/server.h"

namespace kestrix {

namespace {

std::string filename(const std::string& smw, const std::string& part, const std::string& ext) {
    std::string name = smw + "-$$$-" + ext;
    strsub(name, "$$$", part);
    return name;
}

} // namespace

std::string getdata(const std::string& smw, const std::string& sid, const std::string& sfieldlist,
                    const std::string& sfileext, const std::string& cap, bool iforcenew,
                    CompoundContext& context) {
    const std::string& dir = context.scachedir;
    context.links.emptylinkcaptions();

    std::string idname = filename(smw, sid, sfileext);
    if (idname.find('*') != std::string::npos) {
        const std::string match = findfirstmatch(dir, idname);
        if (!match.empty()) {
            // The lower-cased match must still open the file where letter case matters.
            idname = resolvename(dir, asciilower(match));
        } else {
            strsub(idname, "*", "data");
        }
    }
    const auto idpath = cachepath(dir, idname);

    std::string page;
    if (idpath && !iforcenew && fileexists(*idpath)) {
        const std::string cas = loadfromfile(*idpath);
        if (cas.starts_with("CAS-")) {
            if (const auto pagepath = cachepath(dir, filename(smw, cas, sfileext) + ".htm")) {
                page = loadfromfile(*pagepath);
            }
        }
    }

    const std::string url = server::compoundurl(sid);
    const bool fetched = page.empty();
    if (fetched) page = context.pages.getHTMLpage(url, cap);

    std::optional<std::string> cas;
    std::string record = extractrecord(
        page, sfieldlist, &cas, [&](const std::string& name) { context.messages.message(name); });
    std::string fileitem;
    if (cas) {
        // Compounds without a CAS number would all share one page file; give each its own.
        const std::string pagename =
            cas->empty() ? idname + ".htm" : filename(smw, "CAS-" + *cas, sfileext) + ".htm";
        const auto pagepath = cachepath(dir, pagename);
        if (pagepath) fileitem = pagename;
        if (fetched && pagepath && !page.empty()) {
            if (!cas->empty() && idpath) puttofile("CAS-" + *cas, *idpath);
            puttofile("<base href=" + url + ">\r\n" + page, *pagepath);
        }
    }
    return record + "|file=" + fileitem;
}

} // namespace kestrix
