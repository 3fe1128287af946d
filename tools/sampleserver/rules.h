#pragma once
// Misbehaviour rules: a text file that makes the sample server answer chosen requests badly.
// Each non-empty line reads "[N*] <substring> <action> [argument]"; lines starting with "#" are
// comments. The first line whose substring occurs in the request target applies. A line that
// starts with "N*" applies to the first N matching requests of the server's run only and is
// passed over after that.

#include <QByteArray>
#include <QHash>
#include <QString>
#include <optional>
#include <utility>

namespace kestrix::sampleserver {

struct Rule {
    QByteArray action;   // status, delay, stall, trickle, truncate, oversize, redirect, ...
    QByteArray argument; // the rest of the line, trimmed; empty when there is none
};

class Rules {
  public:
    // The rules of the file at path; an empty path has none.
    explicit Rules(QString path = {}) : path_(std::move(path)) {}

    // The rule that applies to target; nullopt without a file or a match. The file is read on
    // every call, so that it can change between requests. Counts the use of a limited line.
    std::optional<Rule> find(const QByteArray& target);

  private:
    QString path_;
    QHash<QByteArray, qint64> uses_; // how often each limited line has applied, by its text
};

// What a rule asks for, its argument read.
struct Action {
    enum Kind { Status, Answer, Delay, Stall, Trickle, Truncate, Oversize, Redirect, Loop, Body };
    Kind kind = Status;
    qint64 number = 0; // the status, milliseconds, bytes or MiB the action names
    qint64 step = 1;   // trickle: the bytes sent at each step
    QByteArray text;   // answer, body: the file; redirect: the location
    QByteArray header; // status, answer: a header line to add; empty for none
};

// The action of rule:
//   status N [Header: value]         answer N FILE [Header: value]   delay MS   stall
//   trickle MS [BYTES]   truncate BYTES   oversize MIB   redirect URL   redirectloop   body FILE
// nullopt when the action is unknown or its argument does not fit.
std::optional<Action> parseaction(const Rule& rule);

// The first word of text (up to a blank or tab) and the rest, trimmed.
std::pair<QByteArray, QByteArray> firstword(const QByteArray& text);

// Whether line is a header line to add to an answer: "Name: value" on one line.
bool headerline(const QByteArray& line);

} // namespace kestrix::sampleserver
