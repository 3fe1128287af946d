#pragma once
// The field names of a compound record, each written once: the keys the compound panel and the
// tabulation read, the quantities of a compound page, and the column sets made of them. Names
// are the page's own markup; "~" marks a quantity whose symbol begins with a capital delta.

#include <array>
#include <string>
#include <string_view>

namespace kestrix::fields {

inline constexpr std::string_view formula = "Formula";
inline constexpr std::string_view molecularweight = "Molecular Weight";
inline constexpr std::string_view casreg = "CAS Reg";
inline constexpr std::string_view str3file = "Str3File";
// The closing item of every record: the name of the compound page file in the page cache.
inline constexpr std::string_view file = "file";

inline constexpr std::string_view tfus = "T<sub>fus</sub>";
inline constexpr std::string_view ttriple = "T<sub>triple</sub>";
inline constexpr std::string_view tboil = "T<sub>boil</sub>";
inline constexpr std::string_view tc = "T<sub>c</sub>";
inline constexpr std::string_view pc = "P<sub>c</sub>";
inline constexpr std::string_view ptriple = "P<sub>triple</sub>";

inline constexpr std::string_view vaph = "~<sub>vap</sub>H";
inline constexpr std::string_view vaps = "~<sub>vap</sub>S";
inline constexpr std::string_view fush = "~<sub>fus</sub>H";
inline constexpr std::string_view fuss = "~<sub>fus</sub>S";

inline constexpr std::string_view fhgas = "~<sub>f</sub>H&#176;<sub>gas</sub>";
inline constexpr std::string_view sgas = "S&#176;<sub>gas</sub>";
inline constexpr std::string_view fhliquid = "~<sub>f</sub>H&#176;<sub>liquid</sub>";
inline constexpr std::string_view sliquid = "S&#176;<sub>liquid</sub>";
inline constexpr std::string_view fhsolid = "~<sub>f</sub>H&#176;<sub>solid</sub>";
inline constexpr std::string_view ssolid = "S&#176;<sub>solid</sub>";

// The property fields the property box chooses between.
inline constexpr std::string_view boilingpoint = tboil;
inline constexpr std::string_view meltingpoint = tfus;

// The property codes, as the property box offers them, and the field of each; empty for any
// other code.
inline constexpr std::array<std::string_view, 2> propertycodes = {"BP", "MP"};
inline constexpr std::string_view propertyfield(std::string_view code) {
    return code == propertycodes[0]   ? boilingpoint
           : code == propertycodes[1] ? meltingpoint
                                      : std::string_view();
}

template <std::size_t N> using Names = std::array<std::string_view, N>;

inline constexpr Names<4> summary = {formula, molecularweight, casreg, str3file};
inline constexpr Names<5> temperatures = {tfus, ttriple, tboil, tc, pc};
inline constexpr Names<4> phasechange = {vaph, vaps, fush, fuss};
inline constexpr Names<2> gas = {fhgas, sgas};
inline constexpr Names<4> liquidsolid = {fhliquid, sliquid, fhsolid, ssolid};

// A column set as field-list text: every name led by "|".
template <std::size_t N> std::string joined(const Names<N>& names) {
    std::string list;
    for (std::string_view name : names) list.append("|").append(name);
    return list;
}

// The field list the formula search asks for: the property field, then every column set.
inline std::string searchlist(std::string_view propertyfield) {
    return std::string(propertyfield) + joined(summary) + joined(temperatures) +
           joined(phasechange) + joined(gas) + joined(liquidsolid);
}

} // namespace kestrix::fields
