#include "win32/text_decoder_win32.h"

#include <windows.h>

#include <array>

#include "win32/path_win32.h"
#include "text/utf8.h"

namespace senvola {
namespace {

using text::Charset;

// The upper halves (0xA0 to 0xFF) of the ISO-8859 parts Windows has no code page for; below
// 0xA0 these parts are ASCII and the C1 controls, byte for byte.
constexpr std::array<wchar_t, 96> kIso8859_10 = {
    0x00A0, 0x0104, 0x0112, 0x0122, 0x012A, 0x0128, 0x0136, 0x00A7, 0x013B, 0x0110, 0x0160, 0x0166,
    0x017D, 0x00AD, 0x016A, 0x014A, 0x00B0, 0x0105, 0x0113, 0x0123, 0x012B, 0x0129, 0x0137, 0x00B7,
    0x013C, 0x0111, 0x0161, 0x0167, 0x017E, 0x2015, 0x016B, 0x014B, 0x0100, 0x00C1, 0x00C2, 0x00C3,
    0x00C4, 0x00C5, 0x00C6, 0x012E, 0x010C, 0x00C9, 0x0118, 0x00CB, 0x0116, 0x00CD, 0x00CE, 0x00CF,
    0x00D0, 0x0145, 0x014C, 0x00D3, 0x00D4, 0x00D5, 0x00D6, 0x0168, 0x00D8, 0x0172, 0x00DA, 0x00DB,
    0x00DC, 0x00DD, 0x00DE, 0x00DF, 0x0101, 0x00E1, 0x00E2, 0x00E3, 0x00E4, 0x00E5, 0x00E6, 0x012F,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x0117, 0x00ED, 0x00EE, 0x00EF, 0x00F0, 0x0146, 0x014D, 0x00F3,
    0x00F4, 0x00F5, 0x00F6, 0x0169, 0x00F8, 0x0173, 0x00FA, 0x00FB, 0x00FC, 0x00FD, 0x00FE, 0x0138,
};
constexpr std::array<wchar_t, 96> kIso8859_14 = {
    0x00A0, 0x1E02, 0x1E03, 0x00A3, 0x010A, 0x010B, 0x1E0A, 0x00A7, 0x1E80, 0x00A9, 0x1E82, 0x1E0B,
    0x1EF2, 0x00AD, 0x00AE, 0x0178, 0x1E1E, 0x1E1F, 0x0120, 0x0121, 0x1E40, 0x1E41, 0x00B6, 0x1E56,
    0x1E81, 0x1E57, 0x1E83, 0x1E60, 0x1EF3, 0x1E84, 0x1E85, 0x1E61, 0x00C0, 0x00C1, 0x00C2, 0x00C3,
    0x00C4, 0x00C5, 0x00C6, 0x00C7, 0x00C8, 0x00C9, 0x00CA, 0x00CB, 0x00CC, 0x00CD, 0x00CE, 0x00CF,
    0x0174, 0x00D1, 0x00D2, 0x00D3, 0x00D4, 0x00D5, 0x00D6, 0x1E6A, 0x00D8, 0x00D9, 0x00DA, 0x00DB,
    0x00DC, 0x00DD, 0x0176, 0x00DF, 0x00E0, 0x00E1, 0x00E2, 0x00E3, 0x00E4, 0x00E5, 0x00E6, 0x00E7,
    0x00E8, 0x00E9, 0x00EA, 0x00EB, 0x00EC, 0x00ED, 0x00EE, 0x00EF, 0x0175, 0x00F1, 0x00F2, 0x00F3,
    0x00F4, 0x00F5, 0x00F6, 0x1E6B, 0x00F8, 0x00F9, 0x00FA, 0x00FB, 0x00FC, 0x00FD, 0x0177, 0x00FF,
};
constexpr std::array<wchar_t, 96> kIso8859_16 = {
    0x00A0, 0x0104, 0x0105, 0x0141, 0x20AC, 0x201E, 0x0160, 0x00A7, 0x0161, 0x00A9, 0x0218, 0x00AB,
    0x0179, 0x00AD, 0x017A, 0x017B, 0x00B0, 0x00B1, 0x010C, 0x0142, 0x017D, 0x201D, 0x00B6, 0x00B7,
    0x017E, 0x010D, 0x0219, 0x00BB, 0x0152, 0x0153, 0x0178, 0x017C, 0x00C0, 0x00C1, 0x00C2, 0x0102,
    0x00C4, 0x0106, 0x00C6, 0x00C7, 0x00C8, 0x00C9, 0x00CA, 0x00CB, 0x00CC, 0x00CD, 0x00CE, 0x00CF,
    0x0110, 0x0143, 0x00D2, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x015A, 0x0170, 0x00D9, 0x00DA, 0x00DB,
    0x00DC, 0x0118, 0x021A, 0x00DF, 0x00E0, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x0107, 0x00E6, 0x00E7,
    0x00E8, 0x00E9, 0x00EA, 0x00EB, 0x00EC, 0x00ED, 0x00EE, 0x00EF, 0x0111, 0x0144, 0x00F2, 0x00F3,
    0x00F4, 0x0151, 0x00F6, 0x015B, 0x0171, 0x00F9, 0x00FA, 0x00FB, 0x00FC, 0x0119, 0x021B, 0x00FF,
};

const std::array<wchar_t, 96>* TableOf(Charset charset) {
    switch (charset) {
        case Charset::Iso8859_10: return &kIso8859_10;
        case Charset::Iso8859_14: return &kIso8859_14;
        case Charset::Iso8859_16: return &kIso8859_16;
        default: return nullptr;
    }
}

constexpr wchar_t kReplacement = 0xFFFD;

std::wstring FromTable(const std::array<wchar_t, 96>& table, std::string_view bytes) {
    std::wstring out(bytes.size(), L'\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        out[i] = c < 0xA0 ? static_cast<wchar_t>(c) : table[c - 0xA0];
    }
    return out;
}

// The whole text in one call when it is valid. Without MB_ERR_INVALID_CHARS Windows would not
// say where it went wrong: it drops some bad bytes, turns others into '?' or U+30FB, or passes
// them through as C1 controls, depending on the code page.
bool WidenStrict(UINT codePage, std::string_view bytes, std::wstring& out) {
    const int size = static_cast<int>(bytes.size());
    const int n = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
    if (n <= 0) return false;
    out.resize(static_cast<std::size_t>(n));
    return MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, out.data(), n) == n;
}

bool IsGb18030FourByte(std::string_view bytes, std::size_t i) {
    if (bytes.size() - i < 4) return false;
    const auto at = [&](std::size_t k) { return static_cast<unsigned char>(bytes[i + k]); };
    const auto lead = [](unsigned char c) { return c >= 0x81 && c <= 0xFE; };
    const auto digit = [](unsigned char c) { return c >= 0x30 && c <= 0x39; };
    return lead(at(0)) && digit(at(1)) && lead(at(2)) && digit(at(3));
}

// A text with a bad byte, one character at a time: at each position the shortest run of bytes
// that converts is one character; where none of up to the code page's longest character does,
// the byte is bad. ASCII bytes at a character's start are themselves in every set read here.
// GB18030 read as 936 (a Windows without 54936) shows each four-byte character as one U+FFFD
// rather than as two bad bytes and the two digits inside it.
std::wstring WidenPiecewise(UINT codePage, std::string_view bytes, bool gb18030As936) {
    CPINFO info{};
    const std::size_t longest = GetCPInfo(codePage, &info) && info.MaxCharSize > 0 ? info.MaxCharSize : 2;
    std::wstring out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            out.push_back(static_cast<wchar_t>(bytes[i]));
            ++i;
            continue;
        }
        if (gb18030As936 && IsGb18030FourByte(bytes, i)) {
            out.push_back(kReplacement);
            i += 4;
            continue;
        }
        bool found = false;
        for (std::size_t length = 1; length <= longest && i + length <= bytes.size(); ++length) {
            std::array<wchar_t, 4> unit{};
            const int n = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data() + i,
                                              static_cast<int>(length), unit.data(), static_cast<int>(unit.size()));
            if (n > 0) {
                out.append(unit.data(), static_cast<std::size_t>(n));
                i += length;
                found = true;
                break;
            }
        }
        if (!found) {
            out.push_back(kReplacement);
            ++i;
        }
    }
    return out;
}

// EUC-JP one character at a time, each found by its own structure. Windows reads it as code page
// 20932, which is not quite EUC-JP: it writes a JIS X 0212 character (8F b1 b2 in EUC-JP) as
// the two bytes b1 (b2 - 0x80), and so takes a first byte before an ASCII byte for such a
// character, where EUC-JP has a bad byte and the ASCII character after it.
std::wstring WidenEucJp(std::string_view bytes) {
    const auto high = [](unsigned char c) { return c >= 0xA1 && c <= 0xFE; };
    std::wstring out;
    out.reserve(bytes.size());
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    while (i < n) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            out.push_back(static_cast<wchar_t>(c));
            ++i;
            continue;
        }
        std::array<char, 2> unit{};
        std::size_t length = 0;
        if (c == 0x8E && i + 1 < n && p[i + 1] >= 0xA1 && p[i + 1] <= 0xDF) {  // half-width katakana
            unit = {static_cast<char>(c), static_cast<char>(p[i + 1])};
            length = 2;
        } else if (high(c) && i + 1 < n && high(p[i + 1])) {  // JIS X 0208
            unit = {static_cast<char>(c), static_cast<char>(p[i + 1])};
            length = 2;
        } else if (c == 0x8F && i + 2 < n && high(p[i + 1]) && high(p[i + 2])) {  // JIS X 0212
            unit = {static_cast<char>(p[i + 1]), static_cast<char>(p[i + 2] - 0x80)};
            length = 3;
        }
        wchar_t wide = 0;
        if (length > 0 && MultiByteToWideChar(20932, MB_ERR_INVALID_CHARS, unit.data(), 2, &wide, 1) == 1) {
            out.push_back(wide);
            i += length;
        } else {
            // A character of the right shape that the code page lacks is lost whole.
            out.push_back(kReplacement);
            i += length > 0 ? length : 1;
        }
    }
    return out;
}

bool Gb18030Available() {
    static const bool available = IsValidCodePage(54936) != FALSE;
    return available;
}

}  // namespace

unsigned CodePageOf(Charset charset) {
    switch (charset) {
        case Charset::Utf8: return 0;
        case Charset::Iso8859_1: return 28591;
        case Charset::Iso8859_2: return 28592;
        case Charset::Iso8859_3: return 28593;
        case Charset::Iso8859_4: return 28594;
        case Charset::Iso8859_5: return 28595;
        case Charset::Iso8859_6: return 28596;
        case Charset::Iso8859_7: return 28597;
        case Charset::Iso8859_8: return 28598;
        case Charset::Iso8859_9: return 28599;
        case Charset::Iso8859_10: return 0;
        case Charset::Iso8859_11: return 874;  // TIS-620 and windows-874 share their letters
        case Charset::Iso8859_13: return 28603;
        case Charset::Iso8859_14: return 0;
        case Charset::Iso8859_15: return 28605;
        case Charset::Iso8859_16: return 0;
        case Charset::Windows874: return 874;
        case Charset::Windows1250: return 1250;
        case Charset::Windows1251: return 1251;
        case Charset::Windows1252: return 1252;
        case Charset::Windows1253: return 1253;
        case Charset::Windows1254: return 1254;
        case Charset::Windows1255: return 1255;
        case Charset::Windows1256: return 1256;
        case Charset::Windows1257: return 1257;
        case Charset::Windows1258: return 1258;
        case Charset::Gbk: return 936;
        case Charset::Gb18030: return Gb18030Available() ? 54936 : 936;
        case Charset::Big5: return 950;
        case Charset::EucKr: return 949;
        case Charset::ShiftJis: return 932;
        case Charset::EucJp: return 20932;  // its JIS X 0212 part reshaped first
        case Charset::SystemAnsi: return CP_ACP;  // callers resolve it first; this is what it means
    }
    return 0;
}

std::optional<Charset> CharsetOfCodePage(unsigned codePage) {
    switch (codePage) {
        case CP_UTF8: return Charset::Utf8;
        case 874: return Charset::Windows874;
        case 932: return Charset::ShiftJis;
        case 936: return Charset::Gbk;
        case 949: return Charset::EucKr;
        case 950: return Charset::Big5;
        case 54936: return Charset::Gb18030;
        default:
            if (codePage >= 1250 && codePage <= 1258) {
                return static_cast<Charset>(static_cast<unsigned>(Charset::Windows1250) + (codePage - 1250));
            }
            return std::nullopt;
    }
}

std::string Win32TextDecoder::ToUtf8(std::string_view bytes, Charset from) const {
    from = Resolve(from);
    if (from == Charset::Utf8) return text::SanitiseUtf8(bytes);
    if (bytes.empty()) return {};
    std::wstring wide;
    if (const auto* table = TableOf(from)) {
        wide = FromTable(*table, bytes);
    } else if (from == Charset::EucJp) {
        wide = WidenEucJp(bytes);
    } else {
        const UINT codePage = CodePageOf(from);
        if (!WidenStrict(codePage, bytes, wide)) {
            wide = WidenPiecewise(codePage, bytes, from == Charset::Gb18030 && codePage == 936);
        }
        // The Windows code pages pass the bytes they leave undefined (0x81 in windows-1252, 0x80
        // in 932) through as C1 controls, which no character of theirs is: those are bad bytes.
        // In ISO-8859 the controls are characters of the set and stay.
        if (codePage < 28591 || codePage > 28605) {
            for (wchar_t& c : wide) {
                if (c >= 0x80 && c <= 0x9F) c = kReplacement;
            }
        }
    }
    return Utf8FromWide(wide);
}

Charset Win32TextDecoder::AnsiCodePage() const {
    return CharsetOfCodePage(GetACP()).value_or(Charset::Windows1252);
}

}  // namespace senvola
