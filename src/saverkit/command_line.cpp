#include "saverkit/command_line.h"

#include <cctype>
#include <cstdint>
#include <cstdlib>

#include "win32/path_win32.h"

namespace saverkit {

std::vector<std::string> CommandLineParameters() {
    // UTF-8, so that a parameter naming a file outside the system code page survives.
    std::vector<std::string> params = senvola::Utf8Arguments();
    if (!params.empty()) params.erase(params.begin());
    return params;
}

std::optional<Mode> ModeOfParameters(const std::vector<std::string>& params) {
    if (params.empty()) return Mode::Configure;
    std::string first = params[0];
    for (char& c : first) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (first.find('s') != std::string::npos) return Mode::Saver;
    if (first.find('p') != std::string::npos) return Mode::Preview;
    if (first.find('c') != std::string::npos) return Mode::Configure;
    return std::nullopt;
}

std::optional<long long> ParseDecimal(const std::string& text) {
    if (text.empty()) return std::nullopt;
    const std::size_t i = (text[0] == '-' || text[0] == '+') ? 1 : 0;
    if (i == text.size() || text.size() - i > 18) return std::nullopt;
    for (std::size_t j = i; j < text.size(); ++j)
        if (!std::isdigit(static_cast<unsigned char>(text[j]))) return std::nullopt;
    return std::strtoll(text.c_str(), nullptr, 10);
}

std::optional<HWND> ParseWindowHandle(const std::string& text) {
    const std::optional<long long> v = ParseDecimal(text);
    if (!v || *v < INT32_MIN || *v > static_cast<long long>(UINT32_MAX)) return std::nullopt;
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(static_cast<uint32_t>(*v)));
}

}  // namespace saverkit
