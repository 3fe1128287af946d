#include "samplevalues.h"

#include <QDir>
#include <QStringList>

#include "compound/extract.h"
#include "core/entry.h"
#include "core/fields.h"
#include "core/names.h"
#include "core/resultpage.h"
#include "files.h"
#include "web/cachenames.h"
#include "web/server.h"

namespace kestrix::test {

SampleValues::SampleValues(const QString& folder) {
    const QDir data(QDir::isAbsolutePath(folder) ? folder
                                                 : QStringLiteral(KESTRIX_TEST_DATA "/") + folder);
    for (const QString& file : QDir(data.filePath("formula")).entryList(QDir::Files)) {
        const std::string formula = QFileInfo(file).completeBaseName().toStdString();
        const QByteArray list = readfile(data.filePath("formula/" + file));
        files_[QString::fromStdString(resultpagename(formula))] = list;
        for (const ResultItem& item : readresultpage(list.toStdString()).items) {
            const QString id = QString::fromStdString(item.id);
            Compound c;
            c.id = item.id;
            c.formula = formula;
            c.page = readfile(data.filePath("compound/" + id + ".htm"));
            c.drawing = readfile(data.filePath("image/" + id + ".gif"));
            const std::string page = c.page.toStdString();
            c.cas = extractvalue(page, fields::casreg, FieldGroup::summary);
            c.boil = extractvalue(page, fields::tboil, FieldGroup::table);
            c.fus = extractvalue(page, fields::tfus, FieldGroup::table);
            const QByteArray stored =
                QByteArray::fromStdString("<base href=" + server::compoundurl(item.id) + ">\r\n") +
                c.page;
            files_[QString::fromStdString(identifiername(formula, item.id, "thermo"))] =
                QByteArray::fromStdString("CAS-" + c.cas);
            files_[QString::fromStdString(compoundpagename(formula, "CAS-" + c.cas, "thermo"))] =
                stored;
            files_[QString::fromStdString(drawingname(item.id))] = c.drawing;
            byname_[displayname(item.name)] = c;
        }
    }
}

std::optional<std::string> SampleValues::value(const std::string& name, const std::string& swhat,
                                               bool iskelvin) const {
    const auto c = byname_.find(name);
    if (c == byname_.end()) return std::nullopt;
    return propertyvalue(swhat == "MP" ? c->second.fus : c->second.boil, iskelvin);
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
