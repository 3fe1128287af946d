#include "web/cache.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

#include "core/text.h"
#include "core/utf8.h"
#include "web/cachenames.h"
#include "web/safename.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace kestrix {

namespace {

// Paths are UTF-8 text. Windows names files in UTF-16 and would read a narrow name in the local
// code page, so paths go to and from it by an explicit conversion; text that is not UTF-8 names
// no file there (an empty path).
fs::path nativepath(const std::string& path) {
#ifdef _WIN32
    if (!isutf8(path)) return {};
    return fs::path(std::u8string(path.begin(), path.end()));
#else
    return fs::path(path);
#endif
}

// A file name as UTF-8 text; empty when Windows holds a name that is not UTF-16.
std::string pathtext(const fs::path& path) {
#ifdef _WIN32
    try {
        const std::u8string text = path.u8string();
        return std::string(text.begin(), text.end());
    } catch (const std::exception&) {
        return {};
    }
#else
    return path.string();
#endif
}

#ifdef _WIN32
// The name of the file (not a folder) at path as its folder holds it, in the letter case it was
// written with; empty when there is none. Windows finds a file whatever the case of its name,
// but the cache's names are told apart by case: "CO" is carbon monoxide, "Co" cobalt.
std::wstring storedname(const fs::path& path) {
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return {};
    FindClose(search);
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return {};
    return found.cFileName;
}
#endif

} // namespace

std::string defaultcachedir() {
#ifdef _WIN32
    return "C:\\temp\\webdata\\";
#else
    std::string base;
    if (const char* xdg = std::getenv("XDG_CACHE_HOME"); xdg && xdg[0] == '/') {
        base = xdg;
    } else if (const char* home = std::getenv("HOME"); home && home[0]) {
        base = std::string(home) + "/.cache";
    } else {
        base = "/tmp";
    }
    while (base.size() > 1 && base.back() == '/') base.pop_back();
    return base + "/kestrix/webdata/";
#endif
}

void createcachedir(const std::string& scachedir) {
    std::error_code ignored;
    fs::create_directories(nativepath(scachedir).parent_path(), ignored); // parents first
}

std::string cachepath(const std::string& scachedir, std::string_view name) {
    if (!safename(name)) return {};
    return scachedir + std::string(name);
}

bool fileexists(const std::string& path) {
    const fs::path native = nativepath(path);
    std::error_code ec;
    if (!fs::is_regular_file(native, ec)) return false;
#ifdef _WIN32
    // In the letter case asked for, as on Linux.
    return storedname(native) == native.filename().wstring();
#else
    return true;
#endif
}

std::string loadfromfile(const std::string& fname, long& pt) {
    // A directory (or a device) opens for reading here but has no length to read.
    if (!fileexists(fname)) return {};
    std::ifstream in(nativepath(fname), std::ios::binary);
    if (!in) return {};
    in.seekg(0, std::ios::end);
    const std::streamoff length = in.tellg();
    if (length < 0) return {};
    long long n = length;
    long long from = pt;
    if (pt < 0) {
        n = std::min<long long>(n, -static_cast<long long>(pt));
        pt = 0;
        from = 0;
    }
    if (from >= n) return {};
    std::string text(static_cast<std::size_t>(n - from), '\0');
    in.seekg(from);
    if (!in.read(text.data(), static_cast<std::streamsize>(text.size()))) return {};
    return text;
}

std::string loadfromfile(const std::string& fname) {
    long pt = 0;
    return loadfromfile(fname, pt);
}

namespace {

Failure fail(const std::string& what) {
    return failure(Fault::notstored, what);
}

std::string describe(int code) {
    return std::strerror(code);
}

} // namespace

Failure puttofile(const std::string& swhat, const std::string& sfile, long pt) {
    // A crash or a full disk must never leave a truncated page that a later search would take
    // for a valid copy: write a temporary file beside it, then rename it over the old one.
    // No fsync: it would cost milliseconds per page, and ext4 already commits a file that
    // replaces another by rename before the rename itself.
    const fs::path target = nativepath(sfile);
    const fs::path dir = target.parent_path();
    if (target.empty() && !sfile.empty()) return fail(describe(EINVAL)); // not UTF-8
    if (target.filename().empty()) return fail(describe(EISDIR));
    std::error_code ec;
    if (!dir.empty() && !fs::is_directory(dir, ec)) {
        return fail(describe(fs::exists(dir, ec) ? ENOTDIR : ENOENT));
    }

    static std::mt19937_64 random{std::random_device{}()};
    const fs::path temp = dir / nativepath("." + pathtext(target.filename()) + "." +
                                           std::to_string(random() % 1000000000) + ".tmp");
    std::string content;
    if (pt > 1) content.assign(static_cast<std::size_t>(pt - 1), '\0');
    content += swhat;
#ifdef _WIN32
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) return fail(describe(errno));
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        out.close();
        if (!out) {
            fs::remove(temp, ec);
            return fail(describe(EIO));
        }
    }
#else
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) return fail(describe(errno));
    std::size_t written = 0;
    while (written < content.size()) {
        const ssize_t n = ::write(fd, content.data() + written, content.size() - written);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int code = errno;
            ::close(fd);
            ::unlink(temp.c_str());
            return fail(describe(code));
        }
        written += static_cast<std::size_t>(n);
    }
    if (::close(fd) != 0) {
        const int code = errno;
        ::unlink(temp.c_str());
        return fail(describe(code));
    }
#endif
#ifdef _WIN32
    // A file whose name differs in letter case only is another page ("CO" and "Co"): it gives
    // way, else the rename would keep its name and the page would not be found by this one.
    if (const std::wstring stored = storedname(target);
        !stored.empty() && stored != target.filename().wstring()) {
        fs::remove(dir / stored, ec);
    }
#endif
    fs::rename(temp, target, ec);
    if (ec) {
        fs::remove(temp, ec);
        return fail(ec.message());
    }
    return {};
}

namespace {

bool matches(std::string_view pattern, std::string_view name) {
    // Iterative wildcard match with backtracking to the last "*".
    std::size_t p = 0, n = 0, star = std::string_view::npos, mark = 0;
    auto same = [](char a, char b) {
        return asciilower(std::string_view(&a, 1)) == asciilower(std::string_view(&b, 1));
    };
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            mark = n;
        } else if (p < pattern.size() && same(pattern[p], name[n])) {
            ++p, ++n;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            n = ++mark;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

} // namespace

std::vector<std::string> listfiles(const std::string& dir) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(nativepath(dir), ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = pathtext(it->path().filename());
        if (name.empty() || name[0] == '.') continue;
        std::error_code kind;
        if (it->is_symlink(kind) || !it->is_regular_file(kind)) continue;
        names.push_back(name);
    }
    return names;
}

std::vector<std::string> cachedquestions(const std::string& scachedir) {
    std::vector<std::string> questions;
    for (const std::string& name : listfiles(scachedir)) {
        if (std::string question = cachedquestion(name); !question.empty()) {
            questions.push_back(std::move(question));
        }
    }
    std::sort(questions.begin(), questions.end(), [](const std::string& a, const std::string& b) {
        const std::string x = asciilower(a), y = asciilower(b);
        return x != y ? x < y : a < b;
    });
    return questions;
}

std::string findfirstmatch(const std::string& dir, std::string_view pattern) {
    for (const std::string& name : listfiles(dir)) {
        if (matches(pattern, name)) return name;
    }
    return {};
}

std::string resolvename(const std::string& dir, std::string_view name) {
    if (!safename(name)) return {};
    if (fileexists(dir + std::string(name))) return std::string(name);
    const std::string lower = asciilower(name);
    for (const std::string& candidate : listfiles(dir)) {
        if (asciilower(candidate) == lower) return candidate;
    }
    return {};
}

void clearcache(const std::string& scachedir, MessageBoxes& messages) {
    const std::vector<std::string> names = listfiles(scachedir);
    if (names.empty()) return;
    const Answer answer = messages.message("This will clear all " + std::to_string(names.size()) +
                                               " files in directory " + scachedir + ".",
                                           Buttons::okcancel);
    if (answer != Answer::ok) return;
    for (const std::string& name : names) {
        std::error_code ignored;
        fs::remove(nativepath(scachedir + name), ignored);
    }
    messages.message("Directory " + scachedir + " cleared.");
}

} // namespace kestrix
