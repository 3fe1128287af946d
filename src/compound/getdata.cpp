#include "compound/getdata.h"

#include "compound/extract.h"
#include "core/fields.h"
#include "core/text.h"
#include "web/cache.h"
#include "web/cachedfetch.h"
#include "web/cachenames.h"
#include "web/server.h"

namespace kestrix {

namespace {

constexpr std::string_view casprefix = "CAS-";

// The identifier file's name; a "*" in it (a formula pattern) names the first matching file.
std::string identifierfile(const std::string& dir, const std::string& smw, const std::string& sid,
                           const std::string& sfileext) {
    std::string name = identifiername(smw, sid, sfileext);
    if (name.find('*') == std::string::npos) return name;
    const std::string match = findfirstmatch(dir, name);
    // The lower-cased match must still open the file where letter case matters.
    if (!match.empty()) return resolvename(dir, asciilower(match));
    strsub(name, "*", "data");
    return name;
}

// The compound page file of a page with this CAS number. Compounds without one would all share
// one page file; each keeps its own, named after its identifier file.
std::string pagefile(const std::string& smw, const std::string& idname, const std::string& cas,
                     const std::string& sfileext) {
    if (cas.empty()) return idname + ".htm";
    return compoundpagename(smw, std::string(casprefix) + cas, sfileext);
}

} // namespace

std::string getdata(const std::string& smw, const std::string& sid, const std::string& sfieldlist,
                    const std::string& sfileext, const std::string& cap, bool iforcenew,
                    CompoundContext& context) {
    const std::string& dir = context.scachedir;
    context.links.emptylinkcaptions();

    const std::string idname = identifierfile(dir, smw, sid, sfileext);
    const std::string idpath = cachepath(dir, idname);
    std::string cachedpage;
    if (!idpath.empty() && fileexists(idpath)) {
        const std::string cas = loadfromfile(idpath);
        if (cas.starts_with(casprefix))
            cachedpage = cachepath(dir, compoundpagename(smw, cas, sfileext));
    }
    // A page without a CAS number is kept under its identifier file's name, with no
    // identifier file: found there, it works offline like any other.
    if (cachedpage.empty()) {
        const std::string own = cachepath(dir, pagefile(smw, idname, "", sfileext));
        if (!own.empty() && fileexists(own)) cachedpage = own;
    }

    // The page file is named by the page's own CAS number, and written only when the field
    // list asks for that number; the identifier file then points at it.
    const bool listscas = listsfield(sfieldlist, fields::casreg);
    const std::string url = server::compoundurl(sid);
    PageOutcome& outcome = context.outcome;
    outcome = {};
    const Fetched page = cachedfetch(
        cachedpage, iforcenew,
        [&] {
            outcome.fetched = true;
            return context.pages.getHTMLpage(url, cap, &outcome.answer);
        },
        [&](const std::string& body) -> Failure {
            if (!listscas) return {};
            const std::string cas = extractvalue(body, fields::casreg, FieldGroup::summary);
            const std::string pagepath = cachepath(dir, pagefile(smw, idname, cas, sfileext));
            if (pagepath.empty()) return {};
            const Failure stored = puttofile("<base href=" + url + ">\r\n" + body, pagepath);
            if (!stored.ok() || cas.empty() || idpath.empty()) return stored;
            return puttofile(std::string(casprefix) + cas, idpath);
        });
    outcome.fellback = page.fellback;
    outcome.stored = page.stored;

    std::optional<std::string> cas;
    const std::string record =
        extractrecord(page.body, sfieldlist, &cas,
                      [&](const std::string& name) { context.messages.message(name); });
    // Only a page the cache holds can be opened from the panel or the table.
    std::string fileitem;
    if (cas) {
        const std::string name = pagefile(smw, idname, *cas, sfileext);
        if (const std::string path = cachepath(dir, name); !path.empty() && fileexists(path)) {
            fileitem = name;
        }
    }
    return record + "|" + std::string(fields::file) + "=" + fileitem;
}

} // namespace kestrix
