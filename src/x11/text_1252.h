// The core's texts are bytes in Windows-1252, as the language file and the Windows program have
// them; pango takes UTF-8. Until the core's texts become Unicode, this is the one conversion.
#pragma once

#include <string>
#include <string_view>

namespace senvola::x11 {

// Replaces `out` with `text` read as Windows-1252. The five bytes that code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the C1 controls of the same number, as
// Windows converts them. NUL bytes are left out: pango takes no
// NUL inside a text.
void Utf8From1252(std::string_view text, std::string& out);

}  // namespace senvola::x11
