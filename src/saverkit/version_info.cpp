#include "saverkit/version_info.h"

#include <cstdio>

#include "win32/path_win32.h"

namespace saverkit {

namespace {

// Paths are UTF-8 and may be longer than MAX_PATH: the wide calls take both.
class HostVersionSource : public VersionSource {
public:
    DWORD Size(const std::string& path) override {
        DWORD handle = 0;
        return GetFileVersionInfoSizeW(senvola::LongPathForm(senvola::WideFromUtf8(path)).c_str(), &handle);
    }
    bool Read(const std::string& path, DWORD size, void* block) override {
        return GetFileVersionInfoW(senvola::LongPathForm(senvola::WideFromUtf8(path)).c_str(), 0, size, block) !=
               FALSE;
    }
};

// A part of a key path: a name that opens one key, not the key above or a deeper one.
bool UsableKeyName(const std::string& name) { return !name.empty() && name.find('\\') == std::string::npos; }

}  // namespace

std::string ApplicationRegistryKey(const VersionInfo& info) {
    const std::string company = info.CompanyName(), product = info.ProductName();
    // "Software\" + "" + "\" + "" would name Software itself.
    if (!UsableKeyName(company) || !UsableKeyName(product)) return {};
    return "Software\\" + company + "\\" + product;
}

std::string OwnApplicationKey(const std::string& fallback) {
    const std::string key = ApplicationRegistryKey(VersionInfo());
    return key.empty() ? fallback : key;
}

std::string VersionNumber::AsString() const {
    return owner_.StringValue(product_ ? "ProductVersion" : "FileVersion");
}

DWORD VersionNumber::High() const {
    const VS_FIXEDFILEINFO* f = owner_.FixedInfo();
    if (!f) return 0;
    return product_ ? f->dwProductVersionMS : f->dwFileVersionMS;
}

DWORD VersionNumber::Low() const {
    const VS_FIXEDFILEINFO* f = owner_.FixedInfo();
    if (!f) return 0;
    return product_ ? f->dwProductVersionLS : f->dwFileVersionLS;
}

VersionInfo::VersionInfo(const std::string& path) {
    HostVersionSource host;
    Load(path, host);
}

VersionInfo::VersionInfo(const std::string& path, VersionSource& source) {
    Load(path, source);
}

void VersionInfo::Load(const std::string& pathIn, VersionSource& source) {
    const std::string path = pathIn.empty() ? senvola::Utf8FromWide(senvola::ProgramFile()) : pathIn;

    DWORD size = source.Size(path);
    if (static_cast<LONG>(size) <= 0) {
        size_ = 0;
        languageIndex_ = -1;
        return;
    }
    size_ = size;
    block_.assign(size, 0);
    if (!source.Read(path, size, block_.data())) {
        // Active by its size, but without a block nothing can be read: no translation.
        languageIndex_ = -1;
        return;
    }
    read_ = true;

    if (const VS_FIXEDFILEINFO* f = FixedInfo()) {
        DWORD bits = f->dwFileFlags & f->dwFileFlagsMask;
        if (bits & VS_FF_DEBUG) flags_ |= kFlagDebug;
        if (bits & VS_FF_PRERELEASE) flags_ |= kFlagPreRelease;
        if (bits & VS_FF_PATCHED) flags_ |= kFlagPatched;
        if (bits & VS_FF_PRIVATEBUILD) flags_ |= kFlagPrivateBuild;
        if (bits & VS_FF_INFOINFERRED) flags_ |= kFlagInfoInferred;
        if (bits & VS_FF_SPECIALBUILD) flags_ |= kFlagSpecialBuild;

        switch (f->dwFileType) {
        case 1: type_ = FileType::App; break;
        case 2: type_ = FileType::Dll; break;
        case 3: type_ = FileType::Driver; break;
        case 4: type_ = FileType::Font; break;
        case 5: type_ = FileType::Vxd; break;
        case 7: type_ = FileType::StaticLib; break;
        default: type_ = FileType::Unknown; break;
        }

        DWORD os = f->dwFileOS;
        if (os == 0) {
            os_ = kOsUnknown;
        } else {
            switch (HIWORD(os)) {
            case 1: os_ |= kOsDos; break;
            case 2: os_ |= kOsOs216; break;
            case 3: os_ |= kOsOs232; break;
            case 4: os_ |= kOsNt; break;
            default: break;
            }
            switch (LOWORD(os)) {
            case 1: os_ |= kOsWindows16; break;
            case 2: os_ |= kOsPm16; break;
            case 3: os_ |= kOsPm32; break;
            case 4: os_ |= kOsWindows32; break;
            default: break;
            }
        }
    }

    void* data = nullptr;
    UINT len = 0;
    if (VerQueryValueW(block_.data(), L"\\VarFileInfo\\Translation", &data, &len) && data) {
        const auto* entries = static_cast<const DWORD*>(data);
        const UINT count = len / 4;
        for (UINT i = 0; i < count; ++i) {
            const WORD lang = LOWORD(entries[i]);
            char name[257] = {};
            VerLanguageNameA(lang, name, 256);
            languageNames_.emplace_back(name);
        }
        for (UINT i = 0; i < count; ++i) {
            char code[16];
            std::snprintf(code, sizeof code, "%04X%04X", static_cast<unsigned>(LOWORD(entries[i])),
                          static_cast<unsigned>(HIWORD(entries[i])));
            languageCodes_.emplace_back(code);
        }
    }
    languageIndex_ = 0;
}

void VersionInfo::SetLanguageIndex(int index) {
    if (index < -1 || index > static_cast<int>(languageNames_.size()) - 1) {
        char msg[64];
        std::snprintf(msg, sizeof msg, "Index out of bounds (%d)", index);
        throw Error(msg);
    }
    languageIndex_ = index;
}

std::string VersionInfo::Locale() const {
    if (languageIndex_ < 0 || languageIndex_ >= static_cast<int>(languageCodes_.size())) return {};
    return languageCodes_[static_cast<size_t>(languageIndex_)];
}

const VS_FIXEDFILEINFO* VersionInfo::FixedInfo() const {
    if (!read_) return nullptr;
    void* data = nullptr;
    UINT len = 0;
    if (!VerQueryValueW(const_cast<unsigned char*>(block_.data()), L"\\", &data, &len) || !data ||
        len < sizeof(VS_FIXEDFILEINFO))
        return nullptr;
    return static_cast<const VS_FIXEDFILEINFO*>(data);
}

std::string VersionInfo::StringValue(const std::string& key) const {
    if (!Active() || !read_) return {};
    const std::string locale = Locale();
    if (locale.empty()) return {};
    std::string path = "\\StringFileInfo\\" + locale + "\\" + key;
    if (path.size() > 255) path.resize(255);
    void* data = nullptr;
    UINT len = 0;
    if (!VerQueryValueW(const_cast<unsigned char*>(block_.data()), senvola::WideFromUtf8(path).c_str(), &data,
                        &len) ||
        !data)
        return {};
    const auto* text = static_cast<const wchar_t*>(data);
    size_t n = 0;
    // The value ends at its terminating zero, and never past the block.
    const auto* end = reinterpret_cast<const wchar_t*>(block_.data() + block_.size() - block_.size() % 2);
    while (text + n < end && text[n]) ++n;
    // UTF-8, as every text the kit shows.
    return senvola::Utf8FromWide(std::wstring_view(text, n));
}

}  // namespace saverkit
