// Text decoding on POSIX hosts, by iconv. There is no system code page here: texts without a
// declaration fall back to the set given (windows-1252, what most records of that kind are in).
#pragma once

#include "platform/text_decoder.h"

namespace senvola {

class PosixTextDecoder final : public TextDecoder {
public:
    explicit PosixTextDecoder(text::Charset ansi = text::Charset::Windows1252) : ansi_(ansi) {}
    std::string ToUtf8(std::string_view bytes, text::Charset from) const override;
    text::Charset AnsiCodePage() const override { return ansi_; }

private:
    text::Charset ansi_;
};

}  // namespace senvola
