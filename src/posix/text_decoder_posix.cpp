#include "text_decoder_posix.h"

#include <iconv.h>

#include <array>
#include <cerrno>

#include "text/utf8.h"

namespace senvola {
namespace {

using text::Charset;

// iconv's names for the sets, chosen as the code pages Windows reads them with (CP949 for
// EUC-KR, CP932 for Shift_JIS; glibc's BIG5 is CP950 and its GBK has the euro at 0x80, as 936).
constexpr std::array<const char*, text::kCharsetCount> kIconvNames = {
    "UTF-8",       "ISO-8859-1",  "ISO-8859-2",  "ISO-8859-3",  "ISO-8859-4",  "ISO-8859-5",
    "ISO-8859-6",  "ISO-8859-7",  "ISO-8859-8",  "ISO-8859-9",  "ISO-8859-10", "ISO-8859-11",
    "ISO-8859-13", "ISO-8859-14", "ISO-8859-15", "ISO-8859-16", "CP874",       "CP1250",
    "CP1251",      "CP1252",      "CP1253",      "CP1254",      "CP1255",      "CP1256",
    "CP1257",      "CP1258",      "GBK",         "GB18030",     "BIG5",        "CP949",
    "CP932",       "EUC-JP",
};

class Converter {
public:
    explicit Converter(const char* from) : cd_(iconv_open("UTF-8", from)) {}
    ~Converter() {
        if (ok()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts what it can of [in, in + left), appending to `out`; stops at the end or at a
    // byte that does not begin a character (or begins one cut off by the end), and returns
    // false there.
    bool Run(const char*& in, std::size_t& left, std::string& out) {
        while (left > 0) {
            char* to = buffer_.data();
            std::size_t room = buffer_.size();
            // iconv's input pointer is not const on every C library; it never writes through it.
            char* from = const_cast<char*>(in);
            const std::size_t result = iconv(cd_, &from, &left, &to, &room);
            const int error = errno;
            in = from;
            out.append(buffer_.data(), buffer_.size() - room);
            if (result != static_cast<std::size_t>(-1)) return true;
            if (error != E2BIG) return false;
        }
        return true;
    }

    // Writes out what a stateful set holds back (CP1255 and CP1258 keep a base letter until
    // they see whether a combining mark follows) and starts afresh.
    void Flush(std::string& out) {
        char* to = buffer_.data();
        std::size_t room = buffer_.size();
        iconv(cd_, nullptr, nullptr, &to, &room);
        out.append(buffer_.data(), buffer_.size() - room);
    }

private:
    iconv_t cd_;
    std::array<char, 1024> buffer_{};
};

// Without a converter for the set, only ASCII can be told: every other byte is unreadable.
std::string AsciiOnly(std::string_view bytes) {
    std::string out;
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) < 0x80) {
            out.push_back(c);
        } else {
            out.append(text::kUtf8Replacement);
        }
    }
    return out;
}

}  // namespace

std::string PosixTextDecoder::ToUtf8(std::string_view bytes, Charset from) const {
    from = Resolve(from);
    if (from == Charset::Utf8) return text::SanitiseUtf8(bytes);
    const auto index = static_cast<std::size_t>(from);
    if (index >= kIconvNames.size()) return AsciiOnly(bytes);
    Converter converter(kIconvNames[index]);
    if (!converter.ok()) return AsciiOnly(bytes);

    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    const char* in = bytes.data();
    std::size_t left = bytes.size();
    while (!converter.Run(in, left, out)) {
        converter.Flush(out);
        out.append(text::kUtf8Replacement);
        ++in;
        --left;
    }
    converter.Flush(out);
    return out;
}

}  // namespace senvola
