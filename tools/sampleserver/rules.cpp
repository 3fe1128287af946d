#include "rules.h"

#include <QFile>

namespace kestrix::sampleserver {

namespace {

bool blank(char c) {
    return c == ' ' || c == '\t';
}

// The limit of a leading "N*" word; nullopt when word is not one.
std::optional<qint64> limit(const QByteArray& word) {
    if (word.size() < 2 || !word.endsWith('*')) return std::nullopt;
    bool ok = false;
    const qint64 n = word.chopped(1).toLongLong(&ok);
    if (!ok || n < 0) return std::nullopt;
    return n;
}

// A number >= 0; nullopt when word is none.
std::optional<qint64> number(const QByteArray& word) {
    bool ok = false;
    const qint64 n = word.toLongLong(&ok);
    if (!ok || n < 0) return std::nullopt;
    return n;
}

bool statuscode(qint64 n) {
    return n >= 100 && n <= 999;
}

} // namespace

std::pair<QByteArray, QByteArray> firstword(const QByteArray& text) {
    const QByteArray t = text.trimmed();
    qsizetype end = 0;
    while (end < t.size() && !blank(t.at(end))) ++end;
    return {t.left(end), t.mid(end).trimmed()};
}

bool headerline(const QByteArray& line) {
    const qsizetype colon = line.indexOf(':');
    if (colon <= 0 || line.contains('\r') || line.contains('\n')) return false;
    for (const char c : line.left(colon)) {
        if (blank(c)) return false;
    }
    return true;
}

std::optional<Rule> Rules::find(const QByteArray& target) {
    if (path_.isEmpty()) return std::nullopt;
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    for (const QByteArray& raw : file.readAll().split('\n')) {
        // Only the words before the argument are split on blanks: a header line in the
        // argument keeps its own.
        const QByteArray line = raw.trimmed();
        if (line.isEmpty() || line.startsWith('#')) continue;
        auto [pattern, rest] = firstword(line);
        const std::optional<qint64> times = limit(pattern);
        if (times) std::tie(pattern, rest) = firstword(rest);
        if (rest.isEmpty()) continue; // a substring without an action
        if (!target.contains(pattern)) continue;
        if (times) {
            qint64& used = uses_[line];
            if (used >= *times) continue;
            ++used;
        }
        const auto [action, argument] = firstword(rest);
        return Rule{action, argument};
    }
    return std::nullopt;
}

std::optional<Action> parseaction(const Rule& rule) {
    const QByteArray& name = rule.action;
    const auto [word, rest] = firstword(rule.argument);
    Action a;
    a.number = number(word).value_or(-1);
    if (name == "status") {
        if (!statuscode(a.number) || !(rest.isEmpty() || headerline(rest))) return std::nullopt;
        a.header = rest; // everything after the number, its blanks included
        return a;
    }
    if (name == "answer") {
        a.kind = Action::Answer;
        std::tie(a.text, a.header) = firstword(rest);
        if (!statuscode(a.number) || a.text.isEmpty()) return std::nullopt;
        if (!a.header.isEmpty() && !headerline(a.header)) return std::nullopt;
        return a;
    }
    if (name == "trickle") {
        a.kind = Action::Trickle;
        const auto [step, extra] = firstword(rest);
        a.step = step.isEmpty() ? 1 : number(step).value_or(0);
        if (a.number < 0 || a.step < 1 || !extra.isEmpty()) return std::nullopt;
        return a;
    }
    static const std::pair<const char*, Action::Kind> counted[] = {
        {"delay", Action::Delay}, {"truncate", Action::Truncate}, {"oversize", Action::Oversize}};
    for (const auto& [countedname, kind] : counted) {
        if (name != countedname) continue;
        if (a.number < 0 || !rest.isEmpty()) return std::nullopt;
        a.kind = kind;
        return a;
    }
    a.number = 0;
    a.text = rule.argument;
    if (name == "stall")
        a.kind = Action::Stall;
    else if (name == "redirectloop")
        a.kind = Action::Loop;
    else if (name == "redirect" && !a.text.isEmpty())
        a.kind = Action::Redirect;
    else if (name == "body" && !a.text.isEmpty())
        a.kind = Action::Body;
    else
        return std::nullopt;
    return a;
}

} // namespace kestrix::sampleserver
