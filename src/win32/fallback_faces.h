// Faces to draw what a chosen font has no glyph for: GDI's own font linking is not there
// everywhere (not under Wine, not for every face on Windows), so the canvas and the dialogs
// look for a face that has the characters themselves.
#pragma once

#include <windows.h>

#include <string_view>

namespace senvola {

// Faces with wide coverage of Chinese, Japanese and Korean, best first: those of Windows, then
// those a Linux system (and so Wine) commonly has. A face that lacks a character is passed over
// for that character, so a Korean name still finds a Korean face after a Chinese one.
inline constexpr const wchar_t* kFallbackFaces[] = {
    L"Microsoft YaHei", L"Microsoft JhengHei", L"Malgun Gothic", L"Meiryo", L"Yu Gothic",
    L"SimSun", L"MingLiU", L"MS Gothic", L"Gulim", L"Arial Unicode MS", L"WenQuanYi Zen Hei",
    L"WenQuanYi Micro Hei", L"Noto Sans CJK SC", L"Noto Sans CJK JP", L"Noto Sans CJK KR",
    L"Source Han Sans SC", L"Droid Sans Fallback",
};

// Whether a face of that name is installed (as `dc` sees fonts).
bool FaceInstalled(HDC dc, const wchar_t* face);

// How many characters of `text` the font selected into `dc` has no glyph for; control
// characters (line breaks) are not counted.
int MissingGlyphs(HDC dc, std::wstring_view text);

}  // namespace senvola
