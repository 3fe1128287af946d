#pragma once
// A scratch folder for one test, removed with it, and whole-file reads and writes. Plain C++ on
// std::filesystem, so that the tests of the pure layers build wherever those layers do.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <system_error>
#include <vector>

namespace kestrix::test {

class ScratchDir {
  public:
    ScratchDir() {
        std::random_device seed;
        const auto base = std::filesystem::temp_directory_path();
        for (int tries = 0; tries < 100; ++tries) {
            const auto candidate = base / ("kestrix-test-" + std::to_string(seed()));
            std::error_code error;
            if (std::filesystem::create_directory(candidate, error)) {
                path_ = candidate;
                return;
            }
        }
    }
    ~ScratchDir() {
        std::error_code error;
        if (!path_.empty()) std::filesystem::remove_all(path_, error);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    bool valid() const { return !path_.empty(); }
    // The folder with a trailing separator, as the page cache directory is written.
    std::string dir() const { return (path_ / "").string(); }
    std::filesystem::path path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// The whole file; empty text when it cannot be read.
inline std::string readbytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Writes bytes to path, creating its folder; false on failure.
inline bool writebytes(const std::filesystem::path& path, const std::string& bytes) {
    std::error_code error;
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), error);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

// The names of the files directly in dir, sorted.
inline std::vector<std::string> filenames(const std::filesystem::path& dir) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(dir, error)) {
        if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace kestrix::test
