#include "core/names.h"

#include "core/number.h"
#include "core/text.h"

namespace kestrix {

namespace {

bool endswith(const std::string& s, std::string_view tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

bool startswith(const std::string& s, std::string_view head) {
    return s.starts_with(head);
}

bool secondisnthyphen(const std::string& s) {
    return s.size() < 2 || s[1] != '-';
}

} // namespace

std::string displayname(std::string name) {
    strsub(name, "&#171;", "");
    strsub(name, "&#187;", "");

    std::string prefix;
    if (const auto last = name.rfind(", "); last != std::string::npos) {
        prefix = name.substr(last + 2);
        name.resize(last);
    }

    if (name.find(", ") != std::string::npos) {
        const std::string first = strextr(name, ", ");
        std::string second = name;
        name = first;
        if (numericvalue(name) == 0 && endswith(second, "-") && second.size() > 5 &&
            secondisnthyphen(name)) {
            second.pop_back();
        }
        name = second + name;
    }

    if (numericvalue(name) == 0 && endswith(prefix, "-") && prefix.size() > 5 &&
        secondisnthyphen(name) && !startswith(name, "beta-") && !startswith(name, "alpha-")) {
        prefix.pop_back();
    }

    if (prefix.size() == 4 && prefix.front() == '(' && endswith(prefix, ")-")) {
        for (char& c : prefix) {
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        }
    }

    const double whole = roundhalfeven(numericvalue(name));
    if (whole >= -2147483648.0 && whole <= 2147483647.0 && whole != 0 && !prefix.empty() &&
        !endswith(prefix, "-")) {
        prefix += '-';
    }

    name = prefix + name;

    if (startswith(name, "n-")) name[0] = 'N';
    strsub(name, "-n-", "-N-");
    strsub(name, "-o-", "-O-");
    strsub(name, "-d-", "-D-");
    strsub(name, "-l-", "-L-");
    for (char digit = '0'; digit <= '9'; ++digit) {
        strsub(name, std::string{digit, 'h', '-'}, std::string{digit, 'H', '-'});
    }
    if (startswith(name, "d-")) name[0] = 'D';
    if (startswith(name, "l-")) name[0] = 'L';
    return name;
}

} // namespace kestrix
