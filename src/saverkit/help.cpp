#include "saverkit/help.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <utility>

#include "win32/path_win32.h"

namespace saverkit {

Help::Help(std::string file, Engine engine) : file_(std::move(file)), engine_(std::move(engine)) {}

Help Help::Page(std::wstring path, Browser browser) {
    Help help;
    help.page_ = std::move(path);
    help.browser_ = std::move(browser);
    return help;
}

bool Help::Show(HWND window, UINT command, ULONG_PTR data) const {
    if (!page_.empty()) {
        if (command == HELP_CONTEXTPOPUP || command == HELP_CONTEXT)
            OpenPage(window, "topic-" + std::to_string(data));
        else if (command != HELP_SETPOPUP_POS && command != HELP_COMMAND)
            OpenPage(window, "contents");
        return true;
    }
    if (file_.empty()) return false;
    if (engine_)
        engine_(window, file_, command, data);
    else
        WinHelpA(window, file_.c_str(), command, data);
    return true;
}

bool Help::ShowSection(HWND window, std::string_view section) const {
    if (!page_.empty()) {
        OpenPage(window, section);
        return true;
    }
    if (!Show(window, HELP_CONTENTS, 0)) return false;
    Show(window, HELP_COMMAND, reinterpret_cast<ULONG_PTR>("JI(`',`Contents')"));
    return true;
}

void Help::OpenPage(HWND window, std::string_view section) const {
    const std::wstring url = PageUrl(page_, section);
    if (browser_)
        browser_(window, url);
    else
        OpenInBrowser(window, url);
}

std::wstring Help::PageUrl(const std::wstring& path, std::string_view section) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::wstring url = L"file:///";
    for (const unsigned char c : senvola::Utf8FromWide(path)) {
        if (c == '\\') {
            url += L'/';
        } else if (c <= ' ' || c >= 0x80 || c == '%' || c == '#' || c == '?' || c == '"') {
            url += L'%';
            url += static_cast<wchar_t>(kHex[c >> 4]);
            url += static_cast<wchar_t>(kHex[c & 15]);
        } else {
            url += static_cast<wchar_t>(c);
        }
    }
    if (!section.empty()) url += L'#' + senvola::WideFromUtf8(section);
    return url;
}

void OpenInBrowser(HWND window, const std::wstring& url) {
    // Opening the file: address itself would reach the browser through the file's association,
    // which drops the "#section"; the browser given the address keeps it.
    wchar_t browser[MAX_PATH * 2] = {};
    DWORD size = static_cast<DWORD>(std::size(browser));
    if (SUCCEEDED(AssocQueryStringW(0, ASSOCSTR_EXECUTABLE, L"http", L"open", browser, &size))) {
        const std::wstring quoted = L"\"" + url + L"\"";
        if (reinterpret_cast<INT_PTR>(ShellExecuteW(window, L"open", browser, quoted.c_str(), nullptr, SW_SHOWNORMAL)) > 32)
            return;
    }
    ShellExecuteW(window, L"open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace saverkit
