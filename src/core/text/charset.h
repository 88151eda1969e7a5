// The character sets a game record's texts may be written in, how a file names them, and which
// one its texts are read in. Only the names and the rule live here; turning bytes into Unicode is
// the platform's (platform/text_decoder.h).
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace senvola::text {

// A set that two names denote is decoded as the wider one: GB2312 as GBK (code page 936),
// EUC-KR as its extension CP949, Shift_JIS as CP932, Big5 as CP950 — what Windows reads them
// as, so that every character a real writer put in is found. ISO-8859-12 was never published.
enum class Charset : std::uint8_t {
    Utf8,
    Iso8859_1,
    Iso8859_2,
    Iso8859_3,
    Iso8859_4,
    Iso8859_5,
    Iso8859_6,
    Iso8859_7,
    Iso8859_8,
    Iso8859_9,
    Iso8859_10,
    Iso8859_11,
    Iso8859_13,
    Iso8859_14,
    Iso8859_15,
    Iso8859_16,
    Windows874,
    Windows1250,
    Windows1251,
    Windows1252,
    Windows1253,
    Windows1254,
    Windows1255,
    Windows1256,
    Windows1257,
    Windows1258,
    Gbk,
    Gb18030,
    Big5,
    EucKr,
    ShiftJis,
    EucJp,
    // Not a set of its own: "the system's ANSI code page", which a record without a declaration
    // falls back to. Only a TextDecoder knows which set that is (TextDecoder::Resolve).
    SystemAnsi,
};
// The sets proper; SystemAnsi stands outside them.
inline constexpr int kCharsetCount = static_cast<int>(Charset::EucJp) + 1;

// The set a CA[] value names, its case, '-', '_' and spaces aside ("UTF-8", "utf8", "ISO8859_1",
// "Latin1", "cp1252", "GB2312", "Shift_JIS", "ks_c_5601-1987", ...); nothing for a name outside
// the supported sets. "ASCII" is deliberately unknown: every set here contains it, and a file
// that says ASCII but holds other bytes is better read by the rule for undeclared texts.
std::optional<Charset> CharsetFromName(std::string_view name);

// The name shown for a set: "UTF-8", "ISO-8859-2", "windows-1252", "GBK", "GB18030", "Big5",
// "EUC-KR", "Shift_JIS", "EUC-JP". CharsetFromName reads each back.
std::string_view CharsetName(Charset charset);

// Well-formed UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF, no cut sequence.
bool IsValidUtf8(std::string_view bytes);
bool IsPlainAscii(std::string_view bytes);

// The set a record's texts are read in: the one the file declares; else UTF-8 when its text is
// valid UTF-8 with something beyond ASCII (plain ASCII reads the same in either); else the
// system's ANSI code page.
Charset ChooseCharset(std::optional<Charset> declared, bool textIsValidUtf8, bool textIsAscii, Charset ansi);

// True when `byte` begins a two-byte character of `charset` whose second byte may lie in the
// ASCII range: in GBK, GB18030, Big5, CP949 and Shift_JIS a ']' or '\' can be the second half
// of a character (Shift_JIS 0x95 0x5C is one kanji), so a reader looking for the end of a
// property value must step over the pair. EUC and single-byte sets never need this.
bool IsDoubleByteLead(Charset charset, unsigned char byte);

}  // namespace senvola::text
