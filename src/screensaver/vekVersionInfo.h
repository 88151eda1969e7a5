// The version resource of a program file: numbers, build flags, translations and the string
// table of the selected translation.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace vek {

// Raised by the framework for a refused operation; the message is the user-facing text.
class EvekError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum TFileFlag : unsigned {
    vsDebug = 1u << 0,
    vsInfoInferred = 1u << 1,
    vsPatched = 1u << 2,
    vsPreRelease = 1u << 3,
    vsPrivateBuild = 1u << 4,
    vsSpecialBuild = 1u << 5,
};
using TFileFlags = unsigned;  // set of TFileFlag

enum TFileType { vftUnknown, vftApp, vftDLL, vftDRV, vftFont, vftVXD, vftStaticLib };

enum TFileOSType : unsigned {
    vosUnknown = 1u << 0,
    vosDos = 1u << 1,
    vosOS216 = 1u << 2,
    vosOS232 = 1u << 3,
    vosNT = 1u << 4,
    vosWindows16 = 1u << 5,
    vosPM16 = 1u << 6,
    vosPM32 = 1u << 7,
    vosWindows32 = 1u << 8,
};
using TFileOS = unsigned;  // set of TFileOSType

// Where the version block comes from; the host's version library unless a test says otherwise.
// Paths are UTF-8.
class TVersionSource {
public:
    virtual ~TVersionSource() = default;
    virtual DWORD Size(const std::string& path) = 0;
    virtual bool Read(const std::string& path, DWORD size, void* block) = 0;
};

class TvekVersionInfo;

// The numeric version of the fixed record; all four parts are 0 when the file has none.
class TVersionNumber {
public:
    explicit TVersionNumber(const TvekVersionInfo& owner, bool product)
        : owner_(owner), product_(product) {}
    uint16_t Major() const { return static_cast<uint16_t>(High() >> 16); }
    uint16_t Minor() const { return static_cast<uint16_t>(High() & 0xFFFF); }
    uint16_t Release() const { return static_cast<uint16_t>(Low() >> 16); }
    uint16_t Build() const { return static_cast<uint16_t>(Low() & 0xFFFF); }
    std::string AsString() const;

private:
    DWORD High() const;
    DWORD Low() const;
    const TvekVersionInfo& owner_;
    bool product_;
};
using TProductVersion = TVersionNumber;
using TFileVersion = TVersionNumber;

class TvekVersionInfo {
public:
    // Reads the version resource of `path` (UTF-8, any length); an empty path means the program's
    // own file.
    explicit TvekVersionInfo(const std::string& path = {});
    TvekVersionInfo(const std::string& path, TVersionSource& source);
    TvekVersionInfo(const TvekVersionInfo&) = delete;
    TvekVersionInfo& operator=(const TvekVersionInfo&) = delete;

    bool Active() const { return size_ > 0; }
    const TProductVersion& ProductVersion() const { return *productVersion_; }
    const TFileVersion& FileVersion() const { return *fileVersion_; }
    TFileFlags FileFlags() const { return flags_; }
    TFileType FileType() const { return type_; }
    TFileOS FileOS() const { return os_; }
    const std::vector<std::string>& LanguageNames() const { return languageNames_; }
    const std::vector<std::string>& LanguageCodes() const { return languageCodes_; }
    int LanguageIndex() const { return languageIndex_; }
    // Throws EvekError "Index out of bounds (%d)" for a value outside -1..count-1.
    void SetLanguageIndex(int index);

    // The selected translation's code ("" when none).
    std::string Locale() const;
    std::string CompanyName() const { return StringValue("CompanyName"); }
    std::string FileDescription() const { return StringValue("FileDescription"); }
    std::string FileVersionText() const { return StringValue("FileVersion"); }
    std::string InternalName() const { return StringValue("InternalName"); }
    std::string LegalCopyright() const { return StringValue("LegalCopyright"); }
    std::string OriginalFilename() const { return StringValue("OriginalFilename"); }
    std::string ProductName() const { return StringValue("ProductName"); }
    std::string ProductVersionText() const { return StringValue("ProductVersion"); }
    // Any key of the selected translation's string table; "" when missing.
    std::string StringValue(const std::string& key) const;

    // The fixed record at the root of the block; null when there is none.
    const VS_FIXEDFILEINFO* FixedInfo() const;

private:
    void Load(const std::string& path, TVersionSource& source);

    std::unique_ptr<TProductVersion> productVersion_;
    std::unique_ptr<TFileVersion> fileVersion_;
    std::vector<unsigned char> block_;
    DWORD size_ = 0;
    bool read_ = false;
    TFileFlags flags_ = 0;
    TFileType type_ = vftUnknown;
    TFileOS os_ = 0;
    std::vector<std::string> languageNames_;
    std::vector<std::string> languageCodes_;
    int languageIndex_ = -1;
};

// "Software\" + company name + "\" + product name of the version resource; empty when either
// name is missing (or holds a backslash), never a path that names a key above or beside that one.
std::string ApplicationRegistryKey(const TvekVersionInfo& info);
// The key of the program's own version resource, or `fallback` when the resource does not name
// one (an unreadable file, a resource without company or product name).
std::string OwnApplicationKey(const std::string& fallback);

}  // namespace vek
