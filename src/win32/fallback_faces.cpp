#include "win32/fallback_faces.h"

#include <vector>

namespace senvola {
namespace {

int CALLBACK StopAtFirstFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

}  // namespace

bool FaceInstalled(HDC dc, const wchar_t* face) {
    LOGFONTW lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
    bool found = false;
    EnumFontFamiliesExW(dc, &lf, StopAtFirstFace, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

int MissingGlyphs(HDC dc, std::wstring_view text) {
    if (text.empty()) return 0;
    std::vector<WORD> glyphs(text.size());
    if (GetGlyphIndicesW(dc, text.data(), static_cast<int>(text.size()), glyphs.data(),
                         GGI_MARK_NONEXISTING_GLYPHS) == GDI_ERROR)
        return 0;
    int missing = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (glyphs[i] == 0xFFFF && text[i] >= 0x20) ++missing;
    return missing;
}

}  // namespace senvola
