#include "app/dialogs.h"

#include <commdlg.h>
#include <shlobj.h>

#include <algorithm>
#include <array>
#include <memory>

#include "win32/handles.h"

namespace senvola::app {

namespace {

int CALLBACK BrowseCallback(HWND hwnd, UINT msg, LPARAM, LPARAM data) {
    if (msg == BFFM_INITIALIZED && data) SendMessageA(hwnd, BFFM_SETSELECTIONA, TRUE, data);
    return 0;
}

bool OpenFile(HWND owner, const std::string& filter, const std::string& initialDir, std::string& path) {
    std::string f = filter;
    std::replace(f.begin(), f.end(), '|', '\0');
    f.push_back('\0');
    f.push_back('\0');
    char file[MAX_PATH * 2] = {};
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = f.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrInitialDir = initialDir.empty() ? nullptr : initialDir.c_str();
    ofn.Flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_ENABLESIZING;
    if (!GetOpenFileNameA(&ofn)) return false;
    path = file;
    return true;
}

bool ChooseDirectory(HWND owner, const std::string& startDir, std::string& directory) {
    char display[MAX_PATH] = {};
    BROWSEINFOA bi{};
    bi.hwndOwner = owner;
    bi.pszDisplayName = display;
    bi.ulFlags = BIF_RETURNONLYFSDIRS;  // classic style: no help button, no new-folder button
    bi.lpfn = BrowseCallback;
    bi.lParam = reinterpret_cast<LPARAM>(startDir.c_str());
    PIDLIST_ABSOLUTE pidl = SHBrowseForFolderA(&bi);
    if (!pidl) return false;
    const ScopeExit freeList([pidl] { CoTaskMemFree(pidl); });
    char path[MAX_PATH] = {};
    if (!SHGetPathFromIDListA(pidl, path)) return false;
    directory = path;
    return true;
}

void ShowError(HWND owner, const std::string& text, const std::string& caption) {
    MessageBoxA(owner, text.c_str(), caption.c_str(), MB_ICONEXCLAMATION | MB_OK);
}

}  // namespace

Dialogs SystemDialogs() {
    // The colour dialog offers the custom colours chosen earlier in the same run.
    auto custom = std::make_shared<std::array<COLORREF, 16>>();
    auto chooseColour = [custom](HWND owner, unsigned long& colour) {
        CHOOSECOLORA cc{};
        cc.lStructSize = sizeof cc;
        cc.hwndOwner = owner;
        cc.rgbResult = colour;
        cc.lpCustColors = custom->data();
        cc.Flags = CC_RGBINIT;
        if (!ChooseColorA(&cc)) return false;
        colour = cc.rgbResult;
        return true;
    };
    return {OpenFile, ChooseDirectory, chooseColour, ShowError};
}

}  // namespace senvola::app
