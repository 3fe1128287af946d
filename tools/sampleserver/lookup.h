#pragma once
// The sample server's answers to a search by name and by CAS number, found in the compound pages
// of the sample folder: each page's heading, its other names and its CAS registry number.

#include <QByteArray>
#include <QString>
#include <optional>

namespace kestrix::sampleserver {

// value with every "%XX" decoded and "+" read as a blank; a "%" without two hex digits after it
// stays as it is.
QByteArray percentdecoded(const QByteArray& value);

// Whether value has the form of a CAS registry number: 2 to 7 digits, 2 digits and 1 digit,
// joined by "-".
bool casnumber(const QByteArray& value);

// The answer to a name search for encodedname (percent-encoded, as sent): the page of the one
// compound whose heading or one of whose other names holds the name (ASCII case ignored), or a
// list page of several, by id; nullopt when none does or the name is blank.
std::optional<QByteArray> namesearch(const QString& datadir, const QByteArray& encodedname);

// The page of the compound whose CAS registry number is cas; nullopt when none has it.
std::optional<QByteArray> cassearch(const QString& datadir, const QByteArray& cas);

} // namespace kestrix::sampleserver
