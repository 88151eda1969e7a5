// JSON text for the inspection tool's machine-read output.
#pragma once

#include <string>
#include <string_view>

namespace senvola::inspect {

// A JSON string literal holding the bytes of `bytes`: each byte b becomes the character
// U+00bb, so that any record text (ANSI code page, UTF-8 or broken) comes out as valid JSON
// and nothing is lost. Quotes, backslashes and control characters are escaped.
std::string JsonString(std::string_view bytes);

// A JSON string literal holding the characters of the UTF-8 `text`: what a person reads. It is
// written in ASCII, each character beyond it as \uXXXX (a surrogate pair beyond U+FFFF), so that
// no console's code page can garble it; a broken sequence gives U+FFFD.
std::string JsonUnicodeString(std::string_view text);

}  // namespace senvola::inspect
