#include "app/dialogs.h"

#include <commdlg.h>
#include <shlobj.h>

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

#include "win32/handles.h"
#include "win32/path_win32.h"

namespace senvola::app {

namespace {

int CALLBACK BrowseCallback(HWND hwnd, UINT msg, LPARAM, LPARAM data) {
    if (msg == BFFM_INITIALIZED && data) SendMessageW(hwnd, BFFM_SETSELECTIONW, TRUE, data);
    return 0;
}

// Paths to 32767 characters, as the wide file calls take them.
constexpr DWORD kLongestPath = 32768;

bool OpenFile(HWND owner, const std::string& filter, const std::string& initialDir, std::string& path) {
    std::wstring f = WideFromUtf8(filter);
    std::replace(f.begin(), f.end(), L'|', L'\0');
    f.push_back(L'\0');
    f.push_back(L'\0');
    const std::wstring dir = WideFromUtf8(initialDir);
    std::vector<wchar_t> file(kLongestPath, L'\0');
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = f.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = kLongestPath;
    ofn.lpstrInitialDir = dir.empty() ? nullptr : dir.c_str();
    ofn.Flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_ENABLESIZING;
    if (!GetOpenFileNameW(&ofn)) return false;
    path = Utf8FromWide(file.data());
    return true;
}

bool ChooseDirectory(HWND owner, const std::string& startDir, std::string& directory) {
    wchar_t display[MAX_PATH] = {};
    const std::wstring start = WideFromUtf8(startDir);
    BROWSEINFOW bi{};
    bi.hwndOwner = owner;
    bi.pszDisplayName = display;
    bi.ulFlags = BIF_RETURNONLYFSDIRS;  // classic style: no help button, no new-folder button
    bi.lpfn = BrowseCallback;
    bi.lParam = start.empty() ? 0 : reinterpret_cast<LPARAM>(start.c_str());
    PIDLIST_ABSOLUTE pidl = SHBrowseForFolderW(&bi);
    if (!pidl) return false;
    const ScopeExit freeList([pidl] { CoTaskMemFree(pidl); });
    // SHGetPathFromIDListEx takes a buffer of any size; MAX_PATH would cut a long folder's path.
    std::vector<wchar_t> path(kLongestPath, L'\0');
    if (!SHGetPathFromIDListEx(pidl, path.data(), kLongestPath, GPFIDL_DEFAULT) &&
        !SHGetPathFromIDListW(pidl, path.data()))
        return false;
    directory = Utf8FromWide(path.data());
    return true;
}

void ShowError(HWND owner, const std::string& text, const std::string& caption) {
    MessageBoxW(owner, WideFromUtf8(text).c_str(), WideFromUtf8(caption).c_str(), MB_ICONEXCLAMATION | MB_OK);
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
