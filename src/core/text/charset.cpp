#include "text/charset.h"

#include <array>

#include "text/utf8.h"

namespace senvola::text {
namespace {

struct NamedCharset {
    std::string_view name;  // lower case, without '-', '_' or spaces
    Charset charset;
};

// Names writers put in CA[] (and the IANA names and aliases of the same sets); a name of a
// subset maps to the set decoded in its place.
constexpr std::array kNames = std::to_array<NamedCharset>({
    {"utf8", Charset::Utf8},
    {"iso88591", Charset::Iso8859_1},
    {"latin1", Charset::Iso8859_1},
    {"l1", Charset::Iso8859_1},
    {"iso88592", Charset::Iso8859_2},
    {"latin2", Charset::Iso8859_2},
    {"iso88593", Charset::Iso8859_3},
    {"latin3", Charset::Iso8859_3},
    {"iso88594", Charset::Iso8859_4},
    {"latin4", Charset::Iso8859_4},
    {"iso88595", Charset::Iso8859_5},
    {"cyrillic", Charset::Iso8859_5},
    {"iso88596", Charset::Iso8859_6},
    {"arabic", Charset::Iso8859_6},
    {"iso88597", Charset::Iso8859_7},
    {"greek", Charset::Iso8859_7},
    {"iso88598", Charset::Iso8859_8},
    {"hebrew", Charset::Iso8859_8},
    {"iso88599", Charset::Iso8859_9},
    {"latin5", Charset::Iso8859_9},
    {"iso885910", Charset::Iso8859_10},
    {"latin6", Charset::Iso8859_10},
    {"iso885911", Charset::Iso8859_11},
    {"iso885913", Charset::Iso8859_13},
    {"latin7", Charset::Iso8859_13},
    {"iso885914", Charset::Iso8859_14},
    {"latin8", Charset::Iso8859_14},
    {"iso885915", Charset::Iso8859_15},
    {"latin9", Charset::Iso8859_15},
    {"iso885916", Charset::Iso8859_16},
    {"latin10", Charset::Iso8859_16},
    {"windows874", Charset::Windows874},
    {"cp874", Charset::Windows874},
    {"tis620", Charset::Windows874},
    {"windows1250", Charset::Windows1250},
    {"cp1250", Charset::Windows1250},
    {"windows1251", Charset::Windows1251},
    {"cp1251", Charset::Windows1251},
    {"windows1252", Charset::Windows1252},
    {"cp1252", Charset::Windows1252},
    {"windows1253", Charset::Windows1253},
    {"cp1253", Charset::Windows1253},
    {"windows1254", Charset::Windows1254},
    {"cp1254", Charset::Windows1254},
    {"windows1255", Charset::Windows1255},
    {"cp1255", Charset::Windows1255},
    {"windows1256", Charset::Windows1256},
    {"cp1256", Charset::Windows1256},
    {"windows1257", Charset::Windows1257},
    {"cp1257", Charset::Windows1257},
    {"windows1258", Charset::Windows1258},
    {"cp1258", Charset::Windows1258},
    {"gbk", Charset::Gbk},
    {"gb2312", Charset::Gbk},
    {"euccn", Charset::Gbk},
    {"cp936", Charset::Gbk},
    {"windows936", Charset::Gbk},
    {"ms936", Charset::Gbk},
    {"xgbk", Charset::Gbk},
    {"gb18030", Charset::Gb18030},
    {"big5", Charset::Big5},
    {"cp950", Charset::Big5},
    {"windows950", Charset::Big5},
    {"xxbig5", Charset::Big5},
    {"euckr", Charset::EucKr},
    {"cp949", Charset::EucKr},
    {"windows949", Charset::EucKr},
    {"uhc", Charset::EucKr},
    {"ksc56011987", Charset::EucKr},
    {"ksc5601", Charset::EucKr},
    {"shiftjis", Charset::ShiftJis},
    {"sjis", Charset::ShiftJis},
    {"xsjis", Charset::ShiftJis},
    {"cp932", Charset::ShiftJis},
    {"windows31j", Charset::ShiftJis},
    {"mskanji", Charset::ShiftJis},
    {"eucjp", Charset::EucJp},
    {"xeucjp", Charset::EucJp},
});

constexpr std::array<std::string_view, kCharsetCount> kDisplayNames = {
    "UTF-8",        "ISO-8859-1",   "ISO-8859-2",   "ISO-8859-3",   "ISO-8859-4",   "ISO-8859-5",
    "ISO-8859-6",   "ISO-8859-7",   "ISO-8859-8",   "ISO-8859-9",   "ISO-8859-10",  "ISO-8859-11",
    "ISO-8859-13",  "ISO-8859-14",  "ISO-8859-15",  "ISO-8859-16",  "windows-874",  "windows-1250",
    "windows-1251", "windows-1252", "windows-1253", "windows-1254", "windows-1255", "windows-1256",
    "windows-1257", "windows-1258", "GBK",          "GB18030",      "Big5",         "EUC-KR",
    "Shift_JIS",    "EUC-JP",
};

// Names longer than this are no name of a set here: the key is built on the stack.
constexpr std::size_t kLongestKey = 24;

}  // namespace

std::optional<Charset> CharsetFromName(std::string_view name) {
    std::array<char, kLongestKey> key{};
    std::size_t n = 0;
    for (const char c : name) {
        if (c == '-' || c == '_' || c == ' ') continue;
        if (n == key.size()) return std::nullopt;
        key[n++] = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    const std::string_view normal(key.data(), n);
    for (const NamedCharset& entry : kNames) {
        if (entry.name == normal) return entry.charset;
    }
    return std::nullopt;
}

std::string_view CharsetName(Charset charset) {
    const auto index = static_cast<std::size_t>(charset);
    return index < kDisplayNames.size() ? kDisplayNames[index] : std::string_view{};
}

bool IsValidUtf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        const Utf8Char ch = DecodeUtf8(bytes, i);
        if (!ch.valid) return false;
        i += ch.length;
    }
    return true;
}

bool IsPlainAscii(std::string_view bytes) {
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

Charset ChooseCharset(std::optional<Charset> declared, bool textIsValidUtf8, bool textIsAscii, Charset ansi) {
    if (declared) return *declared;
    if (textIsValidUtf8 && !textIsAscii) return Charset::Utf8;
    return ansi;
}

bool IsDoubleByteLead(Charset charset, unsigned char byte) {
    switch (charset) {
        case Charset::Gbk:
        case Charset::Gb18030:
        case Charset::Big5:
        case Charset::EucKr:
            return byte >= 0x81 && byte <= 0xFE;
        case Charset::ShiftJis:
            return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
        default:
            return false;
    }
}

}  // namespace senvola::text
