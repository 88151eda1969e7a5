// The version resource of a program file: numbers, build flags, translations and the string
// table of the selected translation; and the settings key the program's own resource names.
#pragma once

#include <windows.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace saverkit {

// A refused operation of the kit; the message is the user-facing text.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Build flags of the fixed record, as a set.
enum FileFlag : unsigned {
    kFlagDebug = 1u << 0,
    kFlagInfoInferred = 1u << 1,
    kFlagPatched = 1u << 2,
    kFlagPreRelease = 1u << 3,
    kFlagPrivateBuild = 1u << 4,
    kFlagSpecialBuild = 1u << 5,
};

enum class FileType { Unknown, App, Dll, Driver, Font, Vxd, StaticLib };

// The operating systems of the fixed record, as a set.
enum FileOs : unsigned {
    kOsUnknown = 1u << 0,
    kOsDos = 1u << 1,
    kOsOs216 = 1u << 2,
    kOsOs232 = 1u << 3,
    kOsNt = 1u << 4,
    kOsWindows16 = 1u << 5,
    kOsPm16 = 1u << 6,
    kOsPm32 = 1u << 7,
    kOsWindows32 = 1u << 8,
};

// Where the version block comes from; the host's version library unless a test says otherwise.
// Paths are UTF-8.
class VersionSource {
public:
    virtual ~VersionSource() = default;
    virtual DWORD Size(const std::string& path) = 0;
    virtual bool Read(const std::string& path, DWORD size, void* block) = 0;
};

class VersionInfo;

// A version number of the fixed record; all four parts are 0 when the file has none. Its text is
// the string of the selected translation, so it follows the translation chosen later.
class VersionNumber {
public:
    VersionNumber(const VersionInfo& owner, bool product) : owner_(owner), product_(product) {}
    uint16_t Major() const { return static_cast<uint16_t>(High() >> 16); }
    uint16_t Minor() const { return static_cast<uint16_t>(High() & 0xFFFF); }
    uint16_t Release() const { return static_cast<uint16_t>(Low() >> 16); }
    uint16_t Build() const { return static_cast<uint16_t>(Low() & 0xFFFF); }
    std::string AsString() const;

private:
    DWORD High() const;
    DWORD Low() const;
    const VersionInfo& owner_;
    bool product_;
};

class VersionInfo {
public:
    // Reads the version resource of `path` (UTF-8, any length); an empty path means the program's
    // own file.
    explicit VersionInfo(const std::string& path = {});
    VersionInfo(const std::string& path, VersionSource& source);
    VersionInfo(const VersionInfo&) = delete;
    VersionInfo& operator=(const VersionInfo&) = delete;

    bool Active() const { return size_ > 0; }
    const VersionNumber& ProductVersion() const { return productVersion_; }
    const VersionNumber& FileVersion() const { return fileVersion_; }
    unsigned FileFlags() const { return flags_; }  // FileFlag set
    FileType Type() const { return type_; }
    unsigned Os() const { return os_; }  // FileOs set
    const std::vector<std::string>& LanguageNames() const { return languageNames_; }
    const std::vector<std::string>& LanguageCodes() const { return languageCodes_; }
    int LanguageIndex() const { return languageIndex_; }
    // Throws Error "Index out of bounds (%d)" for a value outside -1..count-1.
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
    void Load(const std::string& path, VersionSource& source);

    VersionNumber productVersion_{*this, true};
    VersionNumber fileVersion_{*this, false};
    std::vector<unsigned char> block_;
    DWORD size_ = 0;
    bool read_ = false;
    unsigned flags_ = 0;
    FileType type_ = FileType::Unknown;
    unsigned os_ = 0;
    std::vector<std::string> languageNames_;
    std::vector<std::string> languageCodes_;
    int languageIndex_ = -1;
};

// "Software\" + company name + "\" + product name of the version resource; empty when either
// name is missing (or holds a backslash), never a path that names a key above or beside that one.
std::string ApplicationRegistryKey(const VersionInfo& info);
// The settings key of the program: the one its own version resource names, or `fallback` where
// the resource names none (an unreadable file, a resource without company or product name).
std::string OwnApplicationKey(const std::string& fallback);

}  // namespace saverkit
