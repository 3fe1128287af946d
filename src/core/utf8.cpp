#include "core/utf8.h"

namespace kestrix {

namespace {

bool continuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

} // namespace

bool isutf8(std::string_view bytes) {
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    while (i < n) {
        const unsigned char c = s[i];
        std::size_t length = 0;
        // The smallest second byte for each lead, against overlong forms and surrogates.
        unsigned char low = 0x80, high = 0xBF;
        if (c < 0x80) {
            ++i;
            continue;
        } else if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            if (c == 0xE0) low = 0xA0;
            if (c == 0xED) high = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            if (c == 0xF0) low = 0x90;
            if (c == 0xF4) high = 0x8F;
        } else {
            return false;
        }
        if (i + length > n || s[i + 1] < low || s[i + 1] > high) return false;
        for (std::size_t k = 2; k < length; ++k) {
            if (!continuation(s[i + k])) return false;
        }
        i += length;
    }
    return true;
}

std::string asutf8(std::string_view bytes) {
    if (isutf8(bytes)) return std::string(bytes);
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char byte : bytes) {
        const auto c = static_cast<unsigned char>(byte);
        if (c < 0x80) {
            out += byte;
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::size_t utf8length(std::string_view text) {
    std::size_t n = 0;
    for (const char c : text) {
        if (!continuation(static_cast<unsigned char>(c))) ++n;
    }
    return n;
}

} // namespace kestrix
