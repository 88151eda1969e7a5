#include "text/utf8.h"

#include <algorithm>
#include <array>

namespace senvola::text {
namespace {

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// Characters a line may not begin with (closing brackets and quotes, stops, commas, the marks
// that belong to the character before them). Sorted, for binary search.
constexpr auto kNoBreakBefore = std::to_array<char32_t>({
    U'!', U')', U',', U'.', U':', U';', U'?', U']', U'}',
    0x2019,  // ’
    0x201D,  // ”
    0x2025,  // ‥
    0x2026,  // …
    0x3001,  // 、
    0x3002,  // 。
    0x3005,  // 々
    0x3009,  // 〉
    0x300B,  // 》
    0x300D,  // 」
    0x300F,  // 』
    0x3011,  // 】
    0x3015,  // 〕
    0x3017,  // 〗
    0x3019,  // 〙
    0x301B,  // 〛
    0x301C,  // 〜
    0x301E,  // 〞
    0x301F,  // 〟
    0x3041, 0x3043, 0x3045, 0x3047, 0x3049, 0x3063, 0x3083, 0x3085, 0x3087, 0x308E, 0x3095,
    0x3096,  // small hiragana
    0x309B, 0x309C, 0x309D, 0x309E,  // sound marks, iteration marks
    0x30A1, 0x30A3, 0x30A5, 0x30A7, 0x30A9, 0x30C3, 0x30E3, 0x30E5, 0x30E7, 0x30EE, 0x30F5,
    0x30F6,  // small katakana
    0x30FB,  // ・
    0x30FC,  // ー
    0x30FD, 0x30FE,  // ヽ ヾ
    0xFF01,  // ！
    0xFF09,  // ）
    0xFF0C,  // ，
    0xFF0E,  // ．
    0xFF1A,  // ：
    0xFF1B,  // ；
    0xFF1F,  // ？
    0xFF3D,  // ］
    0xFF5D,  // ｝
    0xFF60,  // ｠
    0xFF61,  // ｡
    0xFF63,  // ｣
    0xFF64,  // ､
    0xFF65,  // ･
    0xFF70,  // ｰ
    0xFF9E, 0xFF9F,  // ﾞ ﾟ
});

// Characters a line may not end with: opening brackets and quotes.
constexpr auto kNoBreakAfter = std::to_array<char32_t>({
    U'(', U'[', U'{',
    0x2018,  // ‘
    0x201C,  // “
    0x3008,  // 〈
    0x300A,  // 《
    0x300C,  // 「
    0x300E,  // 『
    0x3010,  // 【
    0x3014,  // 〔
    0x3016,  // 〖
    0x3018,  // 〘
    0x301A,  // 〚
    0x301D,  // 〝
    0xFF08,  // （
    0xFF3B,  // ［
    0xFF5B,  // ｛
    0xFF5F,  // ｟
    0xFF62,  // ｢
});

static_assert(std::is_sorted(kNoBreakBefore.begin(), kNoBreakBefore.end()));
static_assert(std::is_sorted(kNoBreakAfter.begin(), kNoBreakAfter.end()));

struct Range {
    char32_t first, last;
};

// Blocks whose characters stand each as a word of their own.
constexpr auto kBreakBetween = std::to_array<Range>({
    {0x2E80, 0x2FDF},    // CJK radicals, Kangxi radicals
    {0x2FF0, 0x303F},    // ideographic description, CJK symbols and punctuation
    {0x3040, 0x31FF},    // hiragana, katakana, bopomofo, Hangul compatibility jamo, kanbun
    {0x3200, 0x4DBF},    // enclosed CJK, compatibility, extension A
    {0x4E00, 0x9FFF},    // CJK unified ideographs
    {0xA000, 0xA4CF},    // Yi
    {0xAC00, 0xD7A3},    // Hangul syllables
    {0xF900, 0xFAFF},    // CJK compatibility ideographs
    {0xFE30, 0xFE4F},    // CJK compatibility forms
    {0xFF00, 0xFFEF},    // halfwidth and fullwidth forms
    {0x20000, 0x3FFFD},  // supplementary ideographic planes
});

static_assert(std::is_sorted(kBreakBetween.begin(), kBreakBetween.end(),
                             [](Range a, Range b) { return a.last < b.first; }));

bool Contains(const auto& sorted, char32_t c) { return std::binary_search(sorted.begin(), sorted.end(), c); }

bool IsCjk(char32_t c) {
    const auto it = std::lower_bound(kBreakBetween.begin(), kBreakBetween.end(), c,
                                     [](Range r, char32_t v) { return r.last < v; });
    return it != kBreakBetween.end() && it->first <= c;
}

}  // namespace

Utf8Char DecodeUtf8(std::string_view text, std::size_t pos) {
    if (pos >= text.size()) return {};
    const auto* p = reinterpret_cast<const unsigned char*>(text.data()) + pos;
    const std::size_t left = text.size() - pos;
    const unsigned char c = p[0];
    if (c < 0x80) return {c, 1, true};

    std::size_t length = 0;
    char32_t value = 0;
    // The second byte's range excludes overlong forms (E0, F0), surrogates (ED) and code points
    // past U+10FFFF (F4); a byte outside it ends the broken sequence before that byte.
    unsigned char low = 0x80, high = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) {
        length = 2;
        value = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
        length = 3;
        value = c & 0x0F;
        if (c == 0xE0) low = 0xA0;
        if (c == 0xED) high = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        length = 4;
        value = c & 0x07;
        if (c == 0xF0) low = 0x90;
        if (c == 0xF4) high = 0x8F;
    } else {
        return {kReplacementCharacter, 1, false};
    }
    for (std::size_t k = 1; k < length; ++k) {
        const bool fits = k < left && (k == 1 ? (p[k] >= low && p[k] <= high) : IsContinuation(p[k]));
        if (!fits) return {kReplacementCharacter, k, false};
        value = (value << 6) | (p[k] & 0x3F);
    }
    return {value, length, true};
}

std::string SanitiseUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t runStart = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            ++i;
            continue;
        }
        const Utf8Char ch = DecodeUtf8(text, i);
        if (!ch.valid) {
            out.append(text.substr(runStart, i - runStart));
            out.append(kUtf8Replacement);
            runStart = i + ch.length;
        }
        i += ch.length;
    }
    out.append(text.substr(runStart));
    return out;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = kReplacementCharacter;
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

std::size_t CharLengthAt(std::string_view text, std::size_t pos) { return DecodeUtf8(text, pos).length; }

std::size_t BoundaryAtOrBefore(std::string_view text, std::size_t pos) {
    if (pos >= text.size()) return text.size();
    // Every byte that is not a continuation byte begins a character, and a character is at most
    // four bytes: look back at most three bytes for one, then step forward from it.
    std::size_t start = pos;
    while (start > 0 && pos - start < 3 && IsContinuation(static_cast<unsigned char>(text[start]))) --start;
    if (IsContinuation(static_cast<unsigned char>(text[start]))) return pos;  // a stray byte
    std::size_t at = start;
    while (at < pos) {
        const std::size_t next = at + CharLengthAt(text, at);
        if (next > pos) break;
        at = next;
    }
    return at;
}

std::size_t BytesOfFirstChars(std::string_view text, std::size_t count) {
    std::size_t at = 0;
    for (std::size_t n = 0; n < count && at < text.size(); ++n) at += CharLengthAt(text, at);
    return at;
}

std::string_view StripByteOrderMark(std::string_view text) {
    return text.starts_with(kUtf8ByteOrderMark) ? text.substr(kUtf8ByteOrderMark.size()) : text;
}

bool BreakAllowedBetween(char32_t before, char32_t after) {
    if (Contains(kNoBreakBefore, after)) return false;
    if (Contains(kNoBreakAfter, before)) return false;
    if (before == U' ' || before == U'-' || before == 0x3000) return true;
    return IsCjk(before) || IsCjk(after);
}

}  // namespace senvola::text
