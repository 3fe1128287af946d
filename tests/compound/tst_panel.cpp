// The compound panel filled from one result list entry, and the link targets.

#include <gtest/gtest.h>

#include <string>

#include "compound/links.h"
#include "compound/panel.h"
#include "panelrecorder.h"
#include "scratch.h"
#include "web/server.h"
#include "webfakes.h"

using namespace kestrix;
using namespace kestrix::test;

namespace {

const char* full = "Formula=C5H12|Molecular Weight=72.1488|CAS Reg=109-66-0|Str3File=C1|"
                   "T<sub>c</sub>=469.7|file=f.htm";
const std::string lines = "CAS# 109-66-0\r\nMF C5H12 MW 72.1488\r\npentane\r\n\r\n";

// Property column, record rest, flags (p: show property, k: kelvin), the links offered
// (indexes into the links below), the data text ("+": the lines of the full record, then the
// rest).
struct PanelRow {
    const char *name, *column, *rest, *flags, *links, *text;
};
const PanelRow panelrows[] = {
    {"kelvin", "BP 309.2", full, "pk", "0123", "+BP 309.2 Kelvin"},
    {"celsius", "MP -129.8", full, "p", "0123", "+MP -129.8 oC"},
    {"no unit for other columns", "bp 309", full, "pk", "0123", "+bp 309"},
    {"property hidden", "BP 309.2", full, "k", "0123", "+"},
    {"no 3-D reference", "BP ?", "Molecular Weight=72.1|CAS Reg=109-66-0|Str3File=|file=f.htm", "k",
     "023", "CAS# 109-66-0\r\nMW 72.1\r\npentane\r\n\r\n"},
    {"no CAS number, last occurrence wins", "BP ?",
     "||Formula=C5|CAS Reg=|junk|Formula= C5H12 |Str3File=C1|file=f.htm", "k", "01",
     "CAS# \r\nMF C5H12\r\npentane\r\n\r\n"},
    {"no file, no links", "BP ?", "Formula=C5H12|CAS Reg=1-2|Str3File=C1|file=", "k", "",
     "CAS# 1-2\r\nMF C5H12\r\npentane\r\n\r\n"},
    {"empty record rest", "BP ?", "", "k", "", "CAS# \r\n\r\npentane\r\n\r\n"},
};

TEST(Panel, FilledFromTheEntryAlone) {
    ScratchDir scratch;
    ASSERT_TRUE(scratch.valid());
    // The cache folder is a file, so the drawing cannot be stored; it shows all the same.
    ASSERT_TRUE(writebytes(scratch.path() / "c", "not a folder"));
    const std::string cachedir = scratch.dir() + "c/";
    const Strings links{"link 0 details... " + cachedir + "f.htm", "link 1 3D-Chime C1",
                        "link 2 Aldrich 109-66-0", "link 3 PubChem 109-66-0"};
    for (const PanelRow& row : panelrows) {
        SCOPED_TRACE(row.name);
        const std::string flags = row.flags, text = row.text;
        PanelRecorder panel;
        PageRecorder pages;
        PictureRecorder picture;
        pages.drawings[server::imageurl("X1")] = "GIF89a";
        ImageContext images{cachedir, pages, picture};
        const std::string entry =
            std::string("0309.200\tX1\t") + row.column + "\tpentane\t" + row.rest;
        const ListedCompound compound = readentry(entry, flags.find('k') != std::string::npos);
        const Failure error =
            showGif(compound, flags.find('p') != std::string::npos, true, panel, images);
        Strings expected{"caption pentane", "clear links"};
        for (const char* i = row.links; *i; ++i) expected.push_back(links.at(*i - '0'));
        expected.push_back("text " + (text.starts_with('+') ? lines + text.substr(1) : text));
        EXPECT_EQ(panel.calls, expected);
        EXPECT_EQ(picture.calls, (Strings{"clear", "clear", "show GIF89a"}));
        EXPECT_EQ(error.fault, Fault::notstored); // why the drawing was not kept
        EXPECT_FALSE(error.reason.empty());

        picture.calls.clear();
        EXPECT_TRUE(showGif(compound, true, false, panel, images).ok());
        EXPECT_EQ(picture.calls, Strings{"clear"}); // no drawing asked for
        EXPECT_EQ(pages.opened, Strings{server::imageurl("X1")});
    }
}

struct TargetRow {
    const char* name;
    Link link;
    const char* tag;
    std::string target;
};

TEST(Panel, LinkTargets) {
    const std::string nist = "http://" + std::string(server::host());
    const TargetRow rows[] = {
        {"details", Link::details, "/c/f.htm", "/c/f.htm"},
        {"details, empty tag", Link::details, "", ""},
        {"3-D", Link::threed, "C109660", nist + "/cgi/cbook.cgi/nist-3d.mol?Str3File=C109660"},
        {"catalogue", Link::msds, "109-66-0",
         "https://www.sigmaaldrich.com/US/en/search/109-66-0?focus=products&page=1&"
         "perpage=30&sort=relevance&term=109-66-0&type=product"},
        {"compound database, tag as it stands", Link::chemfinder, "109 66&0",
         "https://pubchem.ncbi.nlm.nih.gov/#query=109 66&0"},
        {"home", Link::nist, "ignored", nist + "/chemistry/"},
    };
    for (const TargetRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(linktarget(row.link, row.tag), row.target);
    }
}

} // namespace
