// The committed character-set fixtures (tests/data/charsets, made by
// scripts/make_charset_fixtures.py): a record in each set, and beside it the same record in
// UTF-8 as a correct decoder gives it.
#pragma once

#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

namespace senvola::text_test {

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::string FixturePath(std::string_view name) {
    return std::string(SENVOLA_SOURCE_DIR) + "/tests/data/charsets/" + std::string(name) + ".sgf";
}
inline std::string ExpectedPath(std::string_view name) {
    return std::string(SENVOLA_SOURCE_DIR) + "/tests/data/charsets/expected/" + std::string(name) + ".sgf";
}

// The value of the record's first CA[] property: an identifier "CA" not ending a longer one.
inline std::optional<std::string_view> DeclaredCharset(std::string_view bytes) {
    for (std::size_t at = bytes.find("CA["); at != std::string_view::npos; at = bytes.find("CA[", at + 1)) {
        if (at > 0 && bytes[at - 1] >= 'A' && bytes[at - 1] <= 'Z') continue;
        const std::size_t end = bytes.find(']', at + 3);
        if (end == std::string_view::npos) return std::nullopt;
        return bytes.substr(at + 3, end - at - 3);
    }
    return std::nullopt;
}

}  // namespace senvola::text_test
