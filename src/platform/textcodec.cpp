#include "platform/textcodec.h"

#include "core/utf8.h"

namespace kestrix {

QString shown(const std::string& bytes) {
    const std::string text = asutf8(bytes);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace kestrix
