#pragma once
// Helpers shared by the tests of the pure layers: data tables of texts, and bytes for QCOMPARE.

#include <QByteArrayList>
#include <QTest>

#include <initializer_list>
#include <string>

namespace kestrix::test {

using Table = std::initializer_list<std::initializer_list<const char*>>;

// One row per line of the table: its tag, then the texts of the column "r".
inline void addrows(Table table) {
    QTest::addColumn<QByteArrayList>("r");
    for (const auto& row : table) {
        QTest::newRow(*row.begin()) << QByteArrayList(row.begin() + 1, row.end());
    }
}

inline QByteArray qb(const std::string& s) {
    return QByteArray(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace kestrix::test
