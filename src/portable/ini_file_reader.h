// A language file read on any platform with the rules of GetPrivateProfileStringA as Windows
// applies them, so host tests see what the program sees on Windows:
// - sections and keys match without regard to the case of ASCII letters (Wine folds no others);
// - blanks (space, tab, vertical tab, form feed, Ctrl-Z) around section names, keys and values
//   are dropped; a value enclosed in a matching pair of ' or " loses the pair;
// - the first of duplicate sections and the first of duplicate keys win: a key that only a later
//   duplicate section holds is not found;
// - a line without '=' is a key without a value and reads as missing (it still hides a later key
//   of the same name); a line beginning with ';' is thus a comment, since no key begins with ';';
// - lines end at CR, LF or any run of them; the last line needs no line end;
// - a NUL byte ends the name or value it stands in;
// - a value is cut at 1023 characters, after the quotes are dropped;
// - a missing or unreadable file reads as empty.
// Texts are handed out in UTF-8, so that one file can carry every language: a file with a UTF-8
// or UTF-16 byte-order mark is decoded by it; one without is UTF-8 when its bytes are valid
// UTF-8, else text in the system's ANSI code page, decoded by the TextDecoder given (without
// one, Windows-1252, what language files used to be written in). Broken bytes read as U+FFFD.
// The file is parsed once, at construction; the object is immutable afterwards.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/ini_file.h"
#include "platform/text_decoder.h"

namespace senvola {

class IniFileReader final : public IniFile {
public:
    // Longest value handed out, as with a 1024-byte buffer.
    static constexpr std::size_t kMaxValueLength = 1023;

    // Reads and parses the file at `path` (UTF-8). `ansi`, when given, must outlive the call.
    explicit IniFileReader(const std::string& path, const TextDecoder* ansi = nullptr);
    // Parses the given file contents (for tools and tests).
    static IniFileReader FromBytes(std::string_view bytes, const TextDecoder* ansi = nullptr);

    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view def) const override;

    // True when the file could be read (an empty file counts as read).
    bool Loaded() const { return loaded_; }

private:
    IniFileReader() = default;
    std::string Decode(std::string_view bytes) const;
    void Parse(std::string_view bytes);

    struct Section {
        // By case-folded key; the first occurrence wins. No value = a line without '='.
        std::unordered_map<std::string, std::optional<std::string>> keys;
    };
    // By case-folded name; the first occurrence wins, later duplicates are dropped.
    std::unordered_map<std::string, std::size_t> sectionIndex_;
    std::vector<Section> sections_;
    bool loaded_ = false;
    const TextDecoder* ansi_ = nullptr;  // used while parsing only
};

}  // namespace senvola
