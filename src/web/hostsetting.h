#pragma once
// The server host the user set once, kept in the user's configuration folder as a one-line
// file: the one setting that outlives a run besides the page cache. The host in effect is
// KESTRIX_SERVER_HOST from the environment, else this file's, else the build setting
// (web/server.h).

#include <string>
#include <string_view>

#include "web/failure.h"

namespace kestrix {

// $XDG_CONFIG_HOME/kestrix/server (~/.config/kestrix/server without it; %APPDATA%\kestrix\server
// on Windows); empty text when no folder can be named.
std::string hostfilepath();

// The host the file holds: its first line without blanks; empty text when there is none or it
// is no host.
std::string savedhost(const std::string& path = hostfilepath());

// Writes the host as the file's one line, replacing any earlier one atomically (creating the
// folder); what failed and why when it could not.
Failure savehost(const std::string& host, const std::string& path = hostfilepath());

// What the user typed, as a host: blanks, an "http://" or "https://" in front and a "/" behind
// dropped ("http://chem.example.org/" -> "chem.example.org"). Empty text when the rest is no
// host name or address with an optional port; problem then says why.
std::string readhost(std::string_view typed, std::string* problem = nullptr);

} // namespace kestrix
