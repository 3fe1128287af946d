#include "core/text.h"

#include "core/number.h"

namespace kestrix {

namespace {

std::string_view trimview(std::string_view s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

enum class Cut { none, whole, atdelimiter };

// Splits st at its first ch into the trimmed texts before and after it; without ch, all of st
// is before (whole). Nothing is split with an empty ch.
Cut split(std::string_view st, std::string_view ch, std::string_view& before,
          std::string_view& after) {
    if (ch.empty()) return Cut::none;
    const auto p = st.find(ch);
    before = trimview(st.substr(0, p));
    if (p == std::string_view::npos) return Cut::whole;
    after = trimview(st.substr(p + ch.size()));
    return Cut::atdelimiter;
}

} // namespace

std::string trimblanks(std::string_view s) {
    return std::string(trimview(s));
}

std::string_view strextrview(std::string_view& st, std::string_view ch) {
    std::string_view before, after;
    if (split(st, ch, before, after) == Cut::none) return {};
    st = after;
    return before;
}

std::string strextr(std::string& st, std::string_view ch) {
    std::string_view before, after;
    if (split(st, ch, before, after) == Cut::none) return {};
    std::string result(before);
    st = std::string(after);
    return result;
}

std::string strextrtail(std::string& st, std::string_view ch) {
    std::string_view before, after;
    const Cut cut = split(st, ch, before, after);
    if (cut == Cut::none) return {};
    if (cut == Cut::whole) std::swap(before, after);
    std::string result(after);
    st = std::string(before);
    return result;
}

namespace {

// Replacement with restart-from-the-start semantics, for ch1 not occurring in ch2. After a
// replacement at p, no occurrence can start before p - n + 1, so the text up to there is final
// (out) and the last n - 1 characters before p plus the replacement are scanned again
// (pending), ahead of the unread input.
void substitute(std::string& s, std::string_view ch1, std::string_view ch2) {
    const std::size_t n = ch1.size();
    if (s.find(ch1) == std::string::npos) return;
    std::string out;
    out.reserve(s.size());
    std::string pending;
    std::size_t i = 0;

    // Text before the replacement is `before` (the end of out, then the given prefix); keep
    // its last n - 1 characters for rescanning, move the rest to out.
    auto replaceafter = [&](std::string_view prefix, std::string_view after) {
        std::string tail;
        if (prefix.size() >= n - 1) {
            out.append(prefix.substr(0, prefix.size() - (n - 1)));
            tail = prefix.substr(prefix.size() - (n - 1));
        } else {
            const std::size_t take = std::min(n - 1 - prefix.size(), out.size());
            tail = out.substr(out.size() - take);
            tail.append(prefix);
            out.resize(out.size() - take);
        }
        tail.append(ch2);
        tail.append(after);
        pending = std::move(tail);
    };

    for (;;) {
        if (!pending.empty()) {
            std::string window = pending;
            window.append(std::string_view(s).substr(i, std::min(n - 1, s.size() - i)));
            const auto pos = window.find(ch1);
            if (pos != std::string::npos && pos < pending.size()) {
                const std::size_t end = pos + n;
                std::string after;
                if (end <= pending.size()) {
                    after = pending.substr(end);
                } else {
                    i += end - pending.size();
                }
                const std::string prefix = pending.substr(0, pos);
                replaceafter(prefix, after);
                continue;
            }
            out.append(pending);
            pending.clear();
        }
        const auto q = s.find(ch1, i);
        if (q == std::string::npos) {
            out.append(std::string_view(s).substr(i));
            break;
        }
        const std::string_view prefix = std::string_view(s).substr(i, q - i);
        i = q + n;
        replaceafter(prefix, {});
    }
    s = std::move(out);
}

// One left-to-right pass without rescanning; used only where the restart rule would never end.
void substituteonce(std::string& s, std::string_view ch1, std::string_view ch2) {
    std::string out;
    std::size_t i = 0;
    for (auto q = s.find(ch1); q != std::string::npos; q = s.find(ch1, i)) {
        out.append(s, i, q - i);
        out.append(ch2);
        i = q + ch1.size();
    }
    out.append(s, i);
    s = std::move(out);
}

} // namespace

void strsub(std::string& s, std::string_view ch1, std::string_view ch2) {
    if (ch1.empty()) return;
    if (ch2.find(ch1) == std::string_view::npos) {
        substitute(s, ch1, ch2);
        return;
    }
    // ch1 inside ch2 would be found again in its own replacement: go through character 31.
    static constexpr std::string_view placeholder = "\x1f";
    if (ch1.find(placeholder) != std::string_view::npos ||
        ch2.find(placeholder) != std::string_view::npos) {
        substituteonce(s, ch1, ch2);
        return;
    }
    substitute(s, ch1, placeholder);
    substitute(s, placeholder, ch2);
}

std::optional<int> parsestringforinteger(std::string& s, std::string_view ch) {
    const double value = roundhalfeven(numericvalue(s));
    if (value < minshort || value > maxshort) return std::nullopt;
    const auto p = ch.empty() ? std::string::npos : s.find(ch);
    if (p == std::string::npos) {
        s.clear();
    } else {
        s.erase(0, p + 1);
    }
    return static_cast<int>(value);
}

std::string asciilower(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

} // namespace kestrix
