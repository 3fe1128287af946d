#include "web/hostsetting.h"

#include <cstdlib>
#include <filesystem>

#include "core/text.h"
#include "web/cache.h"

namespace kestrix {

namespace {

std::string envfolder(const char* name) {
    const char* value = std::getenv(name);
    return value && value[0] ? std::string(value) : std::string();
}

bool hostcharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '-';
}

} // namespace

std::string hostfilepath() {
#ifdef _WIN32
    const std::string base = envfolder("APPDATA");
    return base.empty() ? std::string() : base + "\\kestrix\\server";
#else
    std::string base = envfolder("XDG_CONFIG_HOME");
    // A relative folder is no configuration folder, as the desktop's rules have it.
    if (base.empty() || base[0] != '/') {
        const std::string home = envfolder("HOME");
        if (home.empty()) return {};
        base = home + "/.config";
    }
    return base + "/kestrix/server";
#endif
}

std::string savedhost(const std::string& path) {
    if (path.empty()) return {};
    std::string text = loadfromfile(path);
    const auto end = text.find_first_of("\r\n");
    if (end != std::string::npos) text.resize(end);
    return readhost(text);
}

Failure savehost(const std::string& host, const std::string& path) {
    if (path.empty()) return failure(Fault::notstored, "no configuration folder is known");
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    return puttofile(host + "\n", path);
}

std::string readhost(std::string_view typed, std::string* problem) {
    const auto fail = [problem](const char* why) {
        if (problem) *problem = why;
        return std::string();
    };
    std::string host = trimblanks(typed);
    for (std::string_view scheme : {"http://", "https://"}) {
        if (asciilower(host.substr(0, scheme.size())) == scheme) host.erase(0, scheme.size());
    }
    if (!host.empty() && host.back() == '/') host.pop_back();
    if (host.empty()) return fail("no host was given");
    std::string_view name = host;
    if (const auto colon = host.rfind(':'); colon != std::string::npos) {
        const std::string_view port = std::string_view(host).substr(colon + 1);
        if (port.empty() || port.size() > 5 ||
            port.find_first_not_of("0123456789") != std::string_view::npos ||
            std::atoi(std::string(port).c_str()) < 1 ||
            std::atoi(std::string(port).c_str()) > 65535) {
            return fail("the port is no number from 1 to 65535");
        }
        name = name.substr(0, colon);
    }
    if (name.empty() || name.front() == '-' || name.front() == '.' || name.back() == '-' ||
        name.find("..") != std::string_view::npos) {
        return fail("that is no host name");
    }
    for (char c : name) {
        if (!hostcharacter(c))
            return fail("a host name holds only letters, digits, \"-\" and \".\"");
    }
    if (name.size() > 253) return fail("the host name is too long");
    return host;
}

} // namespace kestrix
