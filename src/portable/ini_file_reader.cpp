// The language file parsed from its bytes with the rules of private profile strings.
#include "portable/ini_file_reader.h"

#include <cstdint>
#include <exception>
#include <fstream>
#include <iterator>

namespace senvola {
namespace {

// The characters Windows drops around names and values; Ctrl-Z ends old DOS text files.
bool IsBlank(unsigned char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == 0x1A; }

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && IsBlank(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && IsBlank(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}

// Names match without regard to the case of the ASCII letters only: that is what Wine shows
// (an accented capital and its small letter are different names there), and language files
// use ASCII names.
unsigned char FoldCase(unsigned char c) { return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + 32) : c; }

// A name as it is stored and looked up: blanks dropped, cut at a NUL, case folded.
std::string NameKey(std::string_view name) {
    name = TrimBlanks(name);
    if (auto nul = name.find('\0'); nul != std::string_view::npos) name = name.substr(0, nul);
    std::string out(name);
    for (char& c : out) c = static_cast<char>(FoldCase(static_cast<unsigned char>(c)));
    return out;
}

// Unicode code point to Windows-1252, '?' where the code page has no such character.
char ToCp1252(uint32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
    // The five positions 1252 leaves undefined map to the C1 controls of the same number.
    if (cp == 0x81 || cp == 0x8D || cp == 0x8F || cp == 0x90 || cp == 0x9D) return static_cast<char>(cp);
    static constexpr uint16_t kHigh[32] = {
        0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] != 0 && kHigh[i] == cp) return static_cast<char>(0x80 + i);
    return '?';
}

std::string FromUtf8(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        if (b < 0x80) {
            out += static_cast<char>(b);
            ++i;
            continue;
        }
        int extra;
        uint32_t cp;
        if ((b & 0xE0) == 0xC0) extra = 1, cp = b & 0x1Fu;
        else if ((b & 0xF0) == 0xE0) extra = 2, cp = b & 0x0Fu;
        else if ((b & 0xF8) == 0xF0) extra = 3, cp = b & 0x07u;
        else {  // a stray continuation byte or no UTF-8 lead byte at all
            out += '?';
            ++i;
            continue;
        }
        std::size_t j = i + 1;
        int got = 0;
        while (got < extra && j < s.size() && (static_cast<unsigned char>(s[j]) & 0xC0) == 0x80) {
            cp = (cp << 6) | (static_cast<unsigned char>(s[j]) & 0x3Fu);
            ++j;
            ++got;
        }
        out += got == extra ? ToCp1252(cp) : '?';
        i = j;
    }
    return out;
}

std::string FromUtf16(std::string_view s, bool bigEndian) {
    std::string out;
    out.reserve(s.size() / 2);
    for (std::size_t i = 0; i + 1 < s.size(); i += 2) {
        const auto a = static_cast<unsigned char>(s[i]), b = static_cast<unsigned char>(s[i + 1]);
        const uint32_t unit = bigEndian ? (a << 8 | b) : (b << 8 | a);
        if (unit >= 0xD800 && unit <= 0xDFFF) {  // surrogates: nothing in 1252
            if (unit <= 0xDBFF && i + 3 < s.size()) i += 2;
            out += '?';
            continue;
        }
        out += ToCp1252(unit);
    }
    return out;
}

}  // namespace

IniFileReader::IniFileReader(const std::string& path) {
    std::string bytes;
    try {
        // A directory opens on some systems and then fails (or throws) on the first read.
        std::ifstream in(path, std::ios::binary);
        if (in) {
            bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
            loaded_ = !in.bad();
        }
    } catch (const std::exception&) {
        loaded_ = false;
    }
    if (!loaded_) bytes.clear();
    Parse(bytes);
}

IniFileReader IniFileReader::FromBytes(std::string_view bytes) {
    IniFileReader r;
    r.loaded_ = true;
    r.Parse(bytes);
    return r;
}

void IniFileReader::Parse(std::string_view bytes) {
    std::string decoded;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        decoded = FromUtf8(bytes.substr(3));
        bytes = decoded;
    } else if (bytes.substr(0, 2) == "\xFF\xFE") {
        decoded = FromUtf16(bytes.substr(2), false);
        bytes = decoded;
    } else if (bytes.substr(0, 2) == "\xFE\xFF") {
        decoded = FromUtf16(bytes.substr(2), true);
        bytes = decoded;
    }

    // Lines before the first header belong to a section without a name.
    sections_.emplace_back();
    sectionIndex_.emplace(std::string(), 0);
    Section* current = &sections_.front();

    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = pos;
        while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r') ++end;
        std::string_view line = TrimBlanks(bytes.substr(pos, end - pos));
        pos = end;
        while (pos < bytes.size() && (bytes[pos] == '\n' || bytes[pos] == '\r')) ++pos;
        if (line.empty()) continue;

        if (line.front() == '[') {
            // The name runs to the last ']'; a header without one is read as a key line.
            const std::size_t close = line.rfind(']');
            if (close != std::string_view::npos) {
                auto [it, added] = sectionIndex_.emplace(NameKey(line.substr(1, close - 1)), sections_.size());
                if (added) {
                    sections_.emplace_back();
                    current = &sections_.back();
                } else {
                    current = nullptr;  // a duplicate section: its keys are never found
                }
                continue;
            }
        }
        if (current == nullptr) continue;

        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos) {
            current->keys.emplace(NameKey(line), std::nullopt);
            continue;
        }
        std::string_view value = TrimBlanks(line.substr(eq + 1));
        if (auto nul = value.find('\0'); nul != std::string_view::npos) value = value.substr(0, nul);
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        if (value.size() > kMaxValueLength) value = value.substr(0, kMaxValueLength);
        current->keys.emplace(NameKey(line.substr(0, eq)), std::string(value));
    }
}

std::string IniFileReader::ReadString(std::string_view section, std::string_view key,
                                      std::string_view def) const {
    const auto s = sectionIndex_.find(NameKey(section));
    if (s == sectionIndex_.end()) return std::string(def);
    const auto& keys = sections_[s->second].keys;
    const auto k = keys.find(NameKey(key));
    if (k == keys.end() || !k->second) return std::string(def);
    return *k->second;
}

}  // namespace senvola
