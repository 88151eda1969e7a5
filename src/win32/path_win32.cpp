#include "win32/path_win32.h"

#include <windows.h>
#include <shellapi.h>

#include "win32/handles.h"

namespace senvola {
namespace {

std::wstring Widen(UINT codePage, std::string_view text) {
    if (text.empty()) return {};
    const int n = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (n <= 0) return {};
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

std::string Narrow(UINT codePage, DWORD flags, std::wstring_view text, BOOL* usedDefault) {
    if (text.empty()) return {};
    const int n = WideCharToMultiByte(codePage, flags, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                      nullptr, usedDefault);
    if (n <= 0) return {};
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(codePage, flags, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr,
                        usedDefault);
    return out;
}

// Longer than any path Windows can name (32767 characters): a module name never needs more.
constexpr std::size_t kLongestPath = 1u << 16;

}  // namespace

std::wstring WideFromUtf8(std::string_view text) { return Widen(CP_UTF8, text); }
std::string Utf8FromWide(std::wstring_view text) { return Narrow(CP_UTF8, 0, text, nullptr); }
std::wstring WideFromAnsi(std::string_view text) { return Widen(CP_ACP, text); }
std::string AnsiFromWide(std::wstring_view text) { return Narrow(CP_ACP, 0, text, nullptr); }

std::optional<std::string> ExactAnsiFromWide(std::wstring_view text) {
    // A system code page of UTF-8 holds every character (and takes neither flag nor flag pointer).
    if (GetACP() == CP_UTF8) return Narrow(CP_UTF8, 0, text, nullptr);
    BOOL usedDefault = FALSE;
    std::string out = Narrow(CP_ACP, WC_NO_BEST_FIT_CHARS, text, &usedDefault);
    if (usedDefault || (out.empty() && !text.empty())) return std::nullopt;
    return out;
}

std::wstring LongPathForm(std::wstring path) {
    if (path.size() < MAX_PATH) return path;
    if (path.starts_with(L"\\\\?\\") || path.starts_with(L"\\\\.\\")) return path;
    const bool share = path.starts_with(L"\\\\");
    const bool drive = path.size() >= 3 && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/');
    if (!share && !drive) return path;
    // The prefix turns off the parsing that takes '/' as a separator and resolves "." and "..":
    // the path is made canonical first.
    const DWORD need = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (need > 0) {
        std::wstring full(need, L'\0');
        const DWORD got = GetFullPathNameW(path.c_str(), need, full.data(), nullptr);
        if (got > 0 && got < need) path.assign(full.data(), got);
    }
    return share ? L"\\\\?\\UNC\\" + path.substr(2) : L"\\\\?\\" + path;
}

std::vector<std::string> Utf8Arguments() {
    std::vector<std::string> args;
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv) return args;
    const ScopeExit freeArgv([argv] { LocalFree(argv); });
    for (int i = 0; i < argc; ++i) args.push_back(Utf8FromWide(argv[i]));
    return args;
}

std::wstring ProgramFile() {
    // The buffer grows until the whole name fits: a full buffer may mean a cut name.
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return {};
        if (n < buffer.size()) {
            buffer.resize(n);
            return buffer;
        }
        if (buffer.size() >= kLongestPath) return {};
        buffer.resize(buffer.size() * 2);
    }
}

std::wstring ProgramDirectory() {
    const std::wstring file = ProgramFile();
    const auto slash = file.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return {};
    return file.substr(0, slash) + L'\\';
}

}  // namespace senvola
