#pragma once
// The result list as the command line prints it: aligned columns, tab- or comma-separated text
// with the columns of the list's copy text (tabulate/listtext.h), or JSON. Page text that is not
// UTF-8 is taken as Latin-1; the output is UTF-8.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/listedcompound.h"

namespace kestrix {

enum class OutputFormat { table, tsv, csv, json };

// "table", "tsv", "csv" or "json"; nullopt for anything else.
std::optional<OutputFormat> outputformat(std::string_view word);

// The entries in list order, their values in kelvin or, when iskelvin is false, Celsius.
//   table: a header line and a line per compound, columns padded to the widest cell;
//   tsv:   the same cells joined by tabs, lines ended by LF;
//   csv:   the same cells by RFC 4180: joined by commas, quoted when they hold a comma, a quote
//          or a line break (quotes doubled), lines ended by CR LF;
//   json:  an array of objects {name, id, cas, formula, mw, property, value, unit}; mw and value
//          are numbers, and null where there is none ("?"), as are a missing cas and formula.
std::string writelist(const std::vector<ListedCompound>& entries, bool iskelvin,
                      OutputFormat format);

// text as a JSON string, quotes included: quotes, backslashes and control characters escaped,
// other characters as UTF-8 (asutf8).
std::string jsonstring(std::string_view text);

// text as a JSON number when it reads wholly as a finite decimal number ("72.1488", "178."
// -> "178"); nullopt otherwise.
std::optional<std::string> jsonnumber(std::string_view text);

} // namespace kestrix
