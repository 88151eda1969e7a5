// The common dialogs the option pages open. Each returns false when the user cancels; tests put
// their own in, to answer without a modal dialog.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace senvola::app {

struct Dialogs {
    // filter in the form "Text|pattern|Text|pattern"; initialDir may be empty.
    std::function<bool(HWND owner, const std::string& filter, const std::string& initialDir, std::string& path)>
        openFile;
    std::function<bool(HWND owner, const std::string& startDir, std::string& directory)> chooseDirectory;
    std::function<bool(HWND owner, unsigned long& colour)> chooseColour;
    std::function<void(HWND owner, const std::string& text, const std::string& caption)> showError;
};

// The system's dialogs through the wide calls, every text and path in UTF-8: GetOpenFileNameW,
// SHBrowseForFolderW, ChooseColorA (whose custom colours last as long as these dialogs),
// MessageBoxW.
Dialogs SystemDialogs();

}  // namespace senvola::app
