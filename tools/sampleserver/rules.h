#pragma once
// Misbehaviour rules: a text file that makes the sample server answer chosen requests badly.
// Each non-empty line reads "<substring> <action> [argument]"; lines starting with "#" are
// comments. The first line whose substring occurs in the request target applies.

#include <QByteArray>
#include <QString>
#include <optional>

namespace kestrix::sampleserver {

struct Rule {
    QByteArray action;   // status, delay, stall, trickle, truncate, oversize, redirect, ...
    QByteArray argument; // the rest of the line, trimmed; empty when there is none
};

// The rule of the file at path that applies to target; nullopt without a file or a match.
// The file is read on every call, so that it can change between requests.
std::optional<Rule> findrule(const QString& path, const QByteArray& target);

} // namespace kestrix::sampleserver
