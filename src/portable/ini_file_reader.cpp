// The language file parsed from its bytes with the rules of private profile strings.
#include "portable/ini_file_reader.h"

#include <cstdint>
#include <exception>
#include <fstream>
#include <filesystem>
#include <iterator>

#include "platform/text_decoder.h"
#include "text/charset.h"
#include "text/utf8.h"

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

// Windows-1252 to Unicode, for a file in the ANSI code page when no decoder is given: the set
// language files have always been written in. The five bytes 1252 leaves undefined read as the
// C1 controls of the same number, as Windows reads them.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::string FromCp1252(std::string_view s) {
    std::string out;
    out.reserve(s.size() + s.size() / 2);
    for (const char c : s) {
        const auto b = static_cast<unsigned char>(c);
        text::AppendUtf8(out, b >= 0x80 && b < 0xA0 ? kCp1252High[b - 0x80] : b);
    }
    return out;
}

// UTF-16 to UTF-8; a surrogate without its partner reads as U+FFFD, an odd last byte is dropped.
std::string FromUtf16(std::string_view s, bool bigEndian) {
    std::string out;
    out.reserve(s.size());
    auto unitAt = [&](std::size_t i) {
        const auto a = static_cast<unsigned char>(s[i]), b = static_cast<unsigned char>(s[i + 1]);
        return static_cast<char32_t>(bigEndian ? (a << 8 | b) : (b << 8 | a));
    };
    for (std::size_t i = 0; i + 1 < s.size(); i += 2) {
        const char32_t unit = unitAt(i);
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 3 < s.size()) {
            const char32_t low = unitAt(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                text::AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                i += 2;
                continue;
            }
        }
        text::AppendUtf8(out, unit);  // a lone surrogate becomes U+FFFD there
    }
    return out;
}

}  // namespace

IniFileReader::IniFileReader(const std::string& path, const TextDecoder* ansi) : ansi_(ansi) {
    std::string bytes;
    try {
        // A directory opens on some systems and then fails (or throws) on the first read. The
        // name is UTF-8: on Windows the file opens by its wide name.
        std::ifstream in(std::filesystem::path(std::u8string(path.begin(), path.end())), std::ios::binary);
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

IniFileReader IniFileReader::FromBytes(std::string_view bytes, const TextDecoder* ansi) {
    IniFileReader r;
    r.ansi_ = ansi;
    r.loaded_ = true;
    r.Parse(bytes);
    return r;
}

std::string IniFileReader::Decode(std::string_view bytes) const {
    if (bytes.starts_with(text::kUtf8ByteOrderMark)) return text::SanitiseUtf8(text::StripByteOrderMark(bytes));
    if (bytes.starts_with("\xFF\xFE")) return FromUtf16(bytes.substr(2), false);
    if (bytes.starts_with("\xFE\xFF")) return FromUtf16(bytes.substr(2), true);
    // Text in the ANSI code page is hardly ever valid UTF-8 once it holds a letter beyond ASCII,
    // so a file without a mark is read as UTF-8 when it is, as the ANSI code page otherwise.
    if (text::IsValidUtf8(bytes)) return std::string(bytes);
    return ansi_ != nullptr ? ansi_->ToUtf8(bytes, ansi_->AnsiCodePage()) : FromCp1252(bytes);
}

void IniFileReader::Parse(std::string_view raw) {
    const std::string decoded = Decode(raw);
    const std::string_view bytes = decoded;

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
        value = value.substr(0, text::BytesOfFirstChars(value, kMaxValueLength));
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
