// Display names from the inverted, lower-case names of the result page.

#include <gtest/gtest.h>

#include "core/names.h"

namespace {

struct NameRow {
    const char *name, *inverted, *display;
};
const NameRow namerows[] = {
    {"plain", "pentane", "pentane"},
    {"substituent", "butane, 2-methyl-", "2-methylbutane"},
    {"two locants", "propane, 2,2-dimethyl-", "2,2-dimethylpropane"},
    {"no locant", "benzene, methyl-", "methylbenzene"},
    {"locant name", "1-propanol, 2-methyl-", "2-methyl-1-propanol"},
    {"locant list name", "1,3-butadiene, 2-methyl-", "2-methyl-1,3-butadiene"},
    {"stereo", "2-butene, (z)-", "(Z)-2-butene"},
    {"two inverted parts", "ethene, 1,2-dichloro-, (e)-", "(E)-1,2-dichloroethene"},
    {"cis", "cyclohexane, 1,2-dimethyl-, cis-", "cis-1,2-dimethylcyclohexane"},
    {"N first", "formamide, n-methyl-", "N-methylformamide"},
    {"N inside", "ethanamine, n-ethyl-n-methyl-", "N-ethyl-N-methylethanamine"},
    {"beta", "beta-alanine, n-methyl-", "N-methyl-beta-alanine"},
    {"alpha, D", "alpha-d-glucopyranose, 2-deoxy-", "2-deoxy-alpha-D-glucopyranose"},
    {"indicated hydrogen", "2h-pyran, 3,4-dihydro-", "3,4-dihydro-2H-pyran"},
    {"hydrogen alone", "1h-indene", "1H-indene"},
    {"D first", "d-glucose", "D-glucose"},
    {"L first", "l-alanine", "L-alanine"},
    {"five characters keep the hyphen", "butane, 2-me-", "2-me-butane"},
    {"ester", "acetic acid, methyl ester", "methyl esteracetic acid"},
    {"guillemets", "&#171;x&#187;", "x"},
    {"hyphen added after a prefix", "2-pentanone, methyl", "methyl-2-pentanone"},
    {"second part of 5 keeps it", "x-ane, 1,1-di-, (r)-", "(R)-1,1-di-x-ane"},
    {"O inside", "benzene, 1-o-tolyl-", "1-O-tolylbenzene"},
    {"D and L sharing a hyphen", "1-hexene, 3-d-l-", "3-D-L-1-hexene"},
    {"lowest 32-bit locant", "-2147483648ane, x", "x--2147483648ane"},
    {"beyond 32 bits", "2147483648ane, x", "x2147483648ane"},
    {"empty", "", ""},
};

TEST(Names, DisplayNameInReadingOrder) {
    for (const NameRow& row : namerows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(kestrix::displayname(row.inverted), row.display);
    }
}

} // namespace
