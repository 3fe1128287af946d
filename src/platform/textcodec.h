#pragma once
// Page bytes as the window shows them: UTF-8 where valid, else Latin-1.

#include <QString>
#include <string>

namespace kestrix {

QString shown(const std::string& bytes);

} // namespace kestrix
