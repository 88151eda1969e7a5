// Byte strings as JSON text: a byte outside printable ASCII becomes the code point of its value.
#include "json_text.h"

#include <cstdio>

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

}  // namespace senvola::inspect
