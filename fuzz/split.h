#pragma once
// Cutting a fuzzer input into the parts that a target feeds to the functions under test.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace kestrix::fuzz {

// The input cut at every separator byte; n separators give n + 1 parts.
inline std::vector<std::string> splitinput(const std::uint8_t* data, std::size_t size,
                                           char separator) {
    std::vector<std::string> parts(1);
    for (std::size_t i = 0; i < size; ++i) {
        const char c = static_cast<char>(data[i]);
        if (c == separator) {
            parts.emplace_back();
        } else {
            parts.back() += c;
        }
    }
    return parts;
}

inline std::string part(const std::vector<std::string>& parts, std::size_t i) {
    return i < parts.size() ? parts[i] : std::string();
}

// Stops the run with a crash that libFuzzer records.
[[noreturn]] inline void fail(const char* file, int line, const char* condition) {
    std::fprintf(stderr, "%s:%d: property does not hold: %s\n", file, line, condition);
    __builtin_trap();
}

} // namespace kestrix::fuzz

// Checks a property of the code under test.
#define FUZZ_CHECK(condition)                                                                      \
    ((condition) ? void(0) : kestrix::fuzz::fail(__FILE__, __LINE__, #condition))
