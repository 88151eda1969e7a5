// The application's help and the engine that opens it: the options dialog's "What's This?" and
// title-bar help, and the application's own help buttons, all ask here. The help is a WinHelp
// file, or an HTML page of the application's own that the browser opens at a section: WinHelp
// is gone from current Windows.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

namespace saverkit {

class Help {
public:
    // Shows `command` of `file`; tests give one that records the requests.
    using Engine = std::function<void(HWND window, const std::string& file, UINT command, ULONG_PTR data)>;
    // Opens an address (file:///...#section) in the browser; tests give one that records it.
    using Browser = std::function<void(HWND window, const std::wstring& url)>;

    // An empty file: no help, and nothing opens. No engine: the system's WinHelp.
    explicit Help(std::string file = {}, Engine engine = {});
    // The HTML page at `path` (a full path); no browser: the user's default one.
    static Help Page(std::wstring path, Browser browser = {});

    const std::string& File() const { return file_; }
    bool Available() const { return !file_.empty() || !page_.empty(); }
    // Asks the engine for `command`; false, and nothing opens, without help. The page shows a
    // context topic n (HELP_CONTEXTPOPUP, HELP_CONTEXT) at its section "topic-n", anything else
    // at the top; the pop-up's position and the commands that follow the contents mean nothing
    // to a page.
    bool Show(HWND window, UINT command, ULONG_PTR data) const;
    // The help's contents: the page at `section`, or the help file's contents topic.
    bool ShowSection(HWND window, std::string_view section) const;

    // The file: address of `path` with `section` after "#", spaces, "%", "#" and characters
    // beyond ASCII escaped as URLs need them.
    static std::wstring PageUrl(const std::wstring& path, std::string_view section);

private:
    void OpenPage(HWND window, std::string_view section) const;

    std::string file_;
    Engine engine_;
    std::wstring page_;
    Browser browser_;
};

// The user's default browser opening `url`, else whatever the shell opens it with.
void OpenInBrowser(HWND window, const std::wstring& url);

}  // namespace saverkit
