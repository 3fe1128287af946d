#pragma once
// What a search of the sample pages must show, as a person reads it off the pages (the table in
// samplevalues.cpp): each compound's display name and property values in both units, and what
// the server serves under each cache file name.

#include <QByteArray>
#include <QString>
#include <map>
#include <optional>
#include <string>

namespace kestrix::test {

class SampleValues {
  public:
    // The compounds of the table, with the bytes of their pages and drawings from the folder
    // "server" of tests/data as the sample server serves it.
    SampleValues();

    // The property value text an entry shows for the named compound: swhat "BP" or "MP", in
    // kelvin or Celsius; nullopt for a name no sample page has.
    std::optional<std::string> value(const std::string& name, const std::string& swhat,
                                     bool iskelvin) const;

    // The bytes a cache file must hold when it holds what the server served; nullopt for a name
    // the search never writes (a tabulation, say).
    std::optional<QByteArray> cached(const QString& filename) const;

  private:
    struct Values {
        std::string boilkelvin, boilcelsius, fuskelvin, fuscelsius;
    };
    std::map<std::string, Values> byname_;
    std::map<QString, QByteArray> files_;
};

// The property line a panel text ends in ("BP 9.4 oC"), and its name line; empty when the
// property is hidden.
struct PanelLine {
    std::string name, swhat, value;
    bool iskelvin = true;
};
std::optional<PanelLine> readpanel(const QString& text);

} // namespace kestrix::test
