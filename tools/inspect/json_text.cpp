// Byte strings as JSON text: a byte outside printable ASCII becomes the code point of its value.
#include "json_text.h"

#include <cstdio>

#include "text/utf8.h"

namespace senvola::inspect {

std::string JsonString(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + 2);
    out += '"';
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        switch (b) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (b < 0x20 || b >= 0x80) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(b));
                    out += buf;
                } else {
                    out += ch;
                }
        }
    }
    out += '"';
    return out;
}

std::string JsonUnicodeString(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    auto unit = [&out](unsigned u) {
        char buf[8];
        std::snprintf(buf, sizeof buf, "\\u%04x", u);
        out += buf;
    };
    for (std::size_t at = 0; at < text.size();) {
        const text::Utf8Char ch = text::DecodeUtf8(text, at);
        at += ch.length;
        const char32_t c = ch.codePoint;
        switch (c) {
            case U'"': out += "\\\""; continue;
            case U'\\': out += "\\\\"; continue;
            case U'\n': out += "\\n"; continue;
            case U'\r': out += "\\r"; continue;
            case U'\t': out += "\\t"; continue;
            default: break;
        }
        if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else if (c < 0x10000) {
            unit(static_cast<unsigned>(c));
        } else {
            unit(static_cast<unsigned>(0xD800 + ((c - 0x10000) >> 10)));
            unit(static_cast<unsigned>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        }
    }
    out += '"';
    return out;
}

}  // namespace senvola::inspect
