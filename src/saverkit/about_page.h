// The About page of the options dialog: an about panel (product name, copyright, version line,
// description, picture, legal notice, two buttons) filled from a program's version resource.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "saverkit/tab_pages.h"
#include "saverkit/version_info.h"
#include "win32/bmp_win32.h"

namespace saverkit {

// Which parts the version line shows, as a set.
enum VersionPart : unsigned {
    kShowMajor = 1u << 0,
    kShowMinor = 1u << 1,
    kShowRelease = 1u << 2,
    kShowBuild = 1u << 3,
    kShowDebug = 1u << 4,
    kShowPrerelease = 1u << 5,
    kShowPrivate = 1u << 6,
    kShowSpecial = 1u << 7,
};
constexpr unsigned kAllVersionParts = 0xFF;

// "Version 2.1.0 (Build 0)" for file version 2.1.0.0 without build flags and every part shown;
// "" when the version information is not active.
std::string FormatVersionLine(const VersionInfo& info, unsigned parts);

// The default legal notice, one line per entry.
std::vector<std::string> DefaultLegalNotice();

// Control ids of the about panel.
enum : int {
    idcProgramImage = 1201,
    idcProductName = 1202,
    idcCopyright = 1203,
    idcVersion = 1204,
    idcDescription = 1205,
    idcAboutRule = 1206,
    idcLegalNotice = 1207,
    idcSystemInfo = 1208,
    idcTechSupport = 1209,
    idcAboutOK = 1210,
};

class AboutPanel : public ControlSink {
public:
    // A panel of 388 x 321 inside `parent`, captioned "About " + title, showing the version
    // resource of `versionFile` (empty: the program's own).
    AboutPanel(HWND parent, const std::string& title, const std::string& versionFile);
    ~AboutPanel() override;
    AboutPanel(const AboutPanel&) = delete;
    AboutPanel& operator=(const AboutPanel&) = delete;

    HWND Handle() const { return handle_; }
    HWND Item(int id) const { return GetDlgItem(handle_, id); }
    std::string Text(int id) const;
    const std::string& Caption() const { return caption_; }
    const VersionInfo& Version() const { return versionInfo_; }
    // The picture: the program's BM_ABOUT bitmap, or else its icon.
    bool HasPicture() const { return picture_.has_value(); }
    HICON Icon() const { return icon_; }
    void SetPicture(std::optional<senvola::BmpPicture> picture, HICON icon);
    std::function<void()> onSystemInfo, onTechSupport;

    bool HandleControlMessage(HWND control, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    HWND handle_ = nullptr;
    std::string caption_;
    VersionInfo versionInfo_;
    std::optional<senvola::BmpPicture> picture_;
    HICON icon_ = nullptr;  // shared, never destroyed
};

// What a program puts on the About page; the options dialog fills the page when it is shown.
class AboutBox {
public:
    void SetLegalNotice(const std::vector<std::string>& lines) { legalNotice_ = lines; }
    std::string systemInfoCaption = "&System Info...";
    std::string techSupportCaption = "&Tech Support...";
    unsigned versionParts = kAllVersionParts;
    // The file whose version resource the panel shows (UTF-8); empty: the program's own.
    std::string versionFile;
    // The two buttons; a button without its action is hidden. They get the panel pressed on.
    std::function<void(AboutPanel&)> onSystemInfo;
    std::function<void(AboutPanel&)> onTechSupport;

    // Fills `page` with a new about panel for the program titled `title`.
    void FillAboutPage(TabPage& page, const std::string& title);
    // The panel of the last fill, or null.
    AboutPanel* Panel() const { return panel_.get(); }

private:
    std::vector<std::string> legalNotice_ = DefaultLegalNotice();
    std::unique_ptr<AboutPanel> panel_;
};

}  // namespace saverkit
