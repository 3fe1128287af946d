#include "samplevalues.h"

#include <QDir>
#include <QStringList>

#include "files.h"
#include "web/server.h"

namespace kestrix::test {

namespace {

// Read off the sample pages: display name as listed, identifier, formula searched, CAS number
// ("" for none), boiling point and melting point as listed in kelvin and in Celsius ("?" for
// none: the page gives no such value).
struct Row {
    const char* name;
    const char* id;
    const char* formula;
    const char* cas;
    const char* boilk;
    const char* boilc;
    const char* fusk;
    const char* fusc;
};

// clang-format off
constexpr Row sample[] = {
    {"pentane",             "C109660",   "C5H12", "109-66-0",   "309.2", "36",    "143.5", "-129.7"},
    {"2-methylbutane",      "C78784",    "C5H12", "78-78-4",    "301",   "28",    "113.3", "-159.9"},
    {"2,2-dimethylpropane", "C463821",   "C5H12", "463-82-1",   "282.6", "9.4",   "256.6", "-16.6"},
    {"hexane",              "C110543",   "C6H14", "110-54-3",   "341.9", "68.7",  "177.8", "-95.4"},
    {"2-methylpentane",     "C107835",   "C6H14", "107-83-5",   "333.4", "60.2",  "119.5", "-153.7"},
    {"3-methylpentane",     "C96140",    "C6H14", "96-14-0",    "336.4", "63.2",  "110.3", "-162.9"},
    {"2,2-dimethylbutane",  "C75832",    "C6H14", "75-83-2",    "322.9", "49.7",  "174.2", "-99"},
    {"2,3-dimethylbutane",  "C79298",    "C6H14", "79-29-8",    "331.1", "57.9",  "145.2", "-128"},
    {"butane",              "C106978",   "C4H10", "106-97-8",   "272.7", "-0.5",  "134.6", "-138.6"},
    {"2-methylpropane",     "C75285",    "C4H10", "75-28-5",    "261.4", "-11.8", "113.7", "-159.5"},
    {"dideuterobutane",     "U123456",   "C4H10", "",           "272.5", "-0.7",  "?",     "?"},
    {"radon",               "C10043922", "Rn",    "10043-92-2", "211.3", "-61.9", "202",   "-71"},
};
// clang-format on

// The result page's cache file: the formula and the search options.
QString resultfile(const QString& formula) {
    return formula + QStringLiteral("-&NoIon=on&Units=SI&cTG=on&cTC=on&cTP=on.htm");
}

} // namespace

SampleValues::SampleValues() {
    const QDir data(QStringLiteral(KESTRIX_TEST_DATA "/server"));
    const QString host =
        QString::fromLatin1(server::host().data(), qsizetype(server::host().size()));
    for (const Row& row : sample) {
        const QString id = QString::fromLatin1(row.id);
        const QString formula = QString::fromLatin1(row.formula);
        const QString cas = QString::fromLatin1(row.cas);
        files_[resultfile(formula)] = readfile(data.filePath("formula/" + formula + ".htm"));
        const QByteArray page = readfile(data.filePath("compound/" + id + ".htm"));
        const QByteArray stored = "<base href=http://" + host.toLatin1() +
                                  "/cgi/cbook.cgi?ID=" + id.toLatin1() + "&Units=SI&Mask=7>\r\n" +
                                  page;
        // The identifier file names the page file by CAS number; a page without one is kept
        // under the identifier file's own name.
        const QString idfile = formula + "-" + id + "-thermo";
        if (cas.isEmpty()) {
            files_[idfile + ".htm"] = stored;
        } else {
            files_[idfile] = "CAS-" + cas.toLatin1();
            files_[formula + "-CAS-" + cas + "-thermo.htm"] = stored;
        }
        files_[id + ".gif"] = readfile(data.filePath("image/" + id + ".gif"));
        byname_[row.name] = {row.boilk, row.boilc, row.fusk, row.fusc};
    }
}

std::optional<std::string> SampleValues::value(const std::string& name, const std::string& swhat,
                                               bool iskelvin) const {
    const auto c = byname_.find(name);
    if (c == byname_.end()) return std::nullopt;
    const Values& v = c->second;
    if (swhat == "MP") return iskelvin ? v.fuskelvin : v.fuscelsius;
    return iskelvin ? v.boilkelvin : v.boilcelsius;
}

std::optional<QByteArray> SampleValues::cached(const QString& filename) const {
    const auto file = files_.find(filename);
    if (file == files_.end()) return std::nullopt;
    return file->second;
}
std::optional<PanelLine> readpanel(const QString& text) {
    const QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.size() < 5) return std::nullopt;
    const QString last = lines.last();
    const QStringList words = last.split(QLatin1Char(' '));
    if (words.size() != 3) return std::nullopt;
    PanelLine line;
    line.name = lines[2].toStdString();
    line.swhat = words[0].toStdString();
    line.value = words[1].toStdString();
    line.iskelvin = words[2] == QLatin1String("Kelvin");
    return line;
}

} // namespace kestrix::test
