// Turning a record's bytes into Unicode: the platform's own converter does it (the core carries
// no code-page tables). Win32 and POSIX implementations live outside the core.
#pragma once

#include <string>
#include <string_view>

#include "text/charset.h"

namespace senvola {

class TextDecoder {
public:
    virtual ~TextDecoder() = default;
    // `bytes` read in `from`, as UTF-8. Nothing is dropped silently and the text after a bad
    // byte still reads: in UTF-8 a broken sequence becomes U+FFFD as text::SanitiseUtf8 has it;
    // in the other sets a byte that begins no character (or one the set leaves undefined)
    // becomes one U+FFFD and reading goes on at the byte after it.
    virtual std::string ToUtf8(std::string_view bytes, text::Charset from) const = 0;
    // The set texts without a declaration fall back to: the system's ANSI code page.
    virtual text::Charset AnsiCodePage() const = 0;
    // `charset` with SystemAnsi replaced by the set it stands for here.
    text::Charset Resolve(text::Charset charset) const {
        return charset == text::Charset::SystemAnsi ? AnsiCodePage() : charset;
    }
};

}  // namespace senvola
