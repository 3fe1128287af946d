#pragma once
// The field names of a compound record. The formula search asks for the property field and
// all column sets; the tabulation offers column sets 2 to 5 as its groups.

#include <string>
#include <string_view>

namespace kestrix::fields {

inline constexpr std::string_view boilingpoint = "T<sub>boil</sub>";
inline constexpr std::string_view meltingpoint = "T<sub>fus</sub>";

inline constexpr std::string_view summary = "|Formula|Molecular Weight|CAS Reg|Str3File";
inline constexpr std::string_view temperatures =
    "|T<sub>fus</sub>|T<sub>triple</sub>|T<sub>boil</sub>|T<sub>c</sub>|P<sub>c</sub>";
inline constexpr std::string_view phasechange =
    "|~<sub>vap</sub>H|~<sub>vap</sub>S|~<sub>fus</sub>H|~<sub>fus</sub>S";
inline constexpr std::string_view gas = "|~<sub>f</sub>H&#176;<sub>gas</sub>|S&#176;<sub>gas</sub>";
inline constexpr std::string_view liquidsolid =
    "|~<sub>f</sub>H&#176;<sub>liquid</sub>|S&#176;<sub>liquid</sub>"
    "|~<sub>f</sub>H&#176;<sub>solid</sub>|S&#176;<sub>solid</sub>";

// The field list the formula search asks for: the property field, then every column set.
inline std::string searchlist(std::string_view propertyfield) {
    return std::string(propertyfield) + std::string(summary) + std::string(temperatures) +
           std::string(phasechange) + std::string(gas) + std::string(liquidsolid);
}

} // namespace kestrix::fields
