// UTF-8 as the drawing takes it: characters read one at a time, a broken sequence shown as
// U+FFFD, cuts and line breaks only between characters.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace senvola::text {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;
inline constexpr std::string_view kUtf8Replacement = "\xEF\xBF\xBD";
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

struct Utf8Char {
    char32_t codePoint = 0;   // U+FFFD where the bytes are not UTF-8
    std::size_t length = 0;   // bytes taken; 0 only at the end of the text
    bool valid = false;       // false where U+FFFD stands for broken bytes
};

// The character that begins at byte `pos`. A broken sequence is one U+FFFD for its longest
// start that could still have become a character (the "maximal subpart" practice): E2 82 41
// gives U+FFFD then 'A', a stray continuation byte or C0 gives one U+FFFD per byte. So every
// byte that is not a continuation byte begins a character, and no valid character is lost.
Utf8Char DecodeUtf8(std::string_view text, std::size_t pos);

// `text` with each broken sequence replaced as DecodeUtf8 reads it; valid text comes back as is.
std::string SanitiseUtf8(std::string_view text);

// Appends `codePoint` encoded; a surrogate or a value past U+10FFFF appends U+FFFD.
void AppendUtf8(std::string& out, char32_t codePoint);

// Length in bytes of the character at `pos` (as DecodeUtf8 reads it); 0 at or past the end.
std::size_t CharLengthAt(std::string_view text, std::size_t pos);

// The last character boundary at or before `pos` (at most text.size()): where text may be cut
// without splitting a character. Boundaries are those of DecodeUtf8 read from the start, broken
// bytes included.
std::size_t BoundaryAtOrBefore(std::string_view text, std::size_t pos);

// Bytes taken by the first `count` characters of `text` (all of it when it has fewer).
std::size_t BytesOfFirstChars(std::string_view text, std::size_t count);

// `text` without a leading UTF-8 byte-order mark.
std::string_view StripByteOrderMark(std::string_view text);

// Whether a wrapped line may end between two neighbouring characters. Line feeds are not asked
// about: they always end a line. The rules, in order:
// - never before closing punctuation or a character that may not begin a line: ASCII ) ] } , .
//   ; : ! ?, the CJK closing brackets and full stops 、。，．：；？！）」』】〕〉》〙〗,
//   closing quotes, the ellipses, the prolonged sound mark ー, iteration marks and small kana;
// - never after opening punctuation: ASCII ( [ {, （「『【〔〈《〘〖, opening quotes;
// - after a space (also U+3000) or a hyphen, as words of Latin script wrap;
// - on either side of a CJK ideograph, kana, Hangul syllable, fullwidth form or other character
//   of the CJK blocks, since Chinese and Japanese run without spaces;
// - nowhere else, so other letters and digits stay together.
// It is the usual practice of East Asian line breaking cut to what game comments need, not the
// full Unicode line-breaking algorithm: no Thai dictionary breaks, no emoji sequences.
bool BreakAllowedBetween(char32_t before, char32_t after);

}  // namespace senvola::text
