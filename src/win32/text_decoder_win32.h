// Text decoding on Windows, by MultiByteToWideChar on the code page of each set.
#pragma once

#include <optional>

#include "platform/text_decoder.h"

namespace senvola {

class Win32TextDecoder final : public TextDecoder {
public:
    std::string ToUtf8(std::string_view bytes, text::Charset from) const override;
    // The set of GetACP(); windows-1252 for a code page outside the supported sets.
    text::Charset AnsiCodePage() const override;
};

// The Windows code page a set is read with; 0 for UTF-8 (checked in the core) and for
// ISO-8859-10, -14 and -16, which Windows has no code page for and are read from tables here.
// GB18030 is 54936, or 936 (its one- and two-byte part) where Windows cannot convert 54936.
unsigned CodePageOf(text::Charset charset);
// The set a system code page is; nothing for one outside the supported sets.
std::optional<text::Charset> CharsetOfCodePage(unsigned codePage);

}  // namespace senvola
