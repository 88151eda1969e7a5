// The about box: a component that fills the options dialog's About page with an about panel
// (product name, copyright, version line, description, picture, legal notice, two buttons).
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "vekPageControl.h"
#include "vekVersionInfo.h"

namespace vek {

enum TvekVersionFlag : unsigned {
    vvfMajor = 1u << 0,
    vvfMinor = 1u << 1,
    vvfRelease = 1u << 2,
    vvfBuild = 1u << 3,
    vvfDebug = 1u << 4,
    vvfPrerelease = 1u << 5,
    vvfPrivate = 1u << 6,
    vvfSpeacial = 1u << 7,
};
using TvekVersionFlags = unsigned;  // set of TvekVersionFlag
constexpr TvekVersionFlags kAllVersionFlags = 0xFF;

// "Version 2.1.0 (Build 0)" for file version 2.1.0.0 without build flags and the full format;
// "" when the version information is not active.
std::string FormatVersionLine(const TvekVersionInfo& info, TvekVersionFlags format);

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

class TfrmvekAboutBox : public TControlSink {
public:
    // A panel of 388 x 321 inside `parent`, showing the version resource of `versionFile`
    // (empty: the program's own).
    explicit TfrmvekAboutBox(HWND parent, const std::string& versionFile = {});
    ~TfrmvekAboutBox() override;
    TfrmvekAboutBox(const TfrmvekAboutBox&) = delete;
    TfrmvekAboutBox& operator=(const TfrmvekAboutBox&) = delete;

    HWND Handle() const { return handle_; }
    HWND Item(int id) const { return GetDlgItem(handle_, id); }
    std::string Text(int id) const;
    const std::string& Caption() const { return caption_; }
    const TvekVersionInfo& VersionInfo() const { return *versionInfo_; }
    HBITMAP Picture() const { return picture_; }
    HICON PictureIcon() const { return icon_; }
    void SetPicture(HBITMAP bitmap, HICON icon);
    std::function<void()> OnSystemInfo, OnTechSupport;

    bool HandleControlMessage(HWND control, UINT msg, WPARAM wParam, LPARAM lParam,
                              LRESULT& result) override;

private:
    HWND handle_ = nullptr;
    std::string caption_;
    std::unique_ptr<TvekVersionInfo> versionInfo_;
    HBITMAP picture_ = nullptr;
    HICON icon_ = nullptr;
};

class TvekAboutBoxDialog {
public:
    TvekAboutBoxDialog();
    ~TvekAboutBoxDialog();
    TvekAboutBoxDialog(const TvekAboutBoxDialog&) = delete;
    TvekAboutBoxDialog& operator=(const TvekAboutBoxDialog&) = delete;

    const std::vector<std::string>& LegalNotice() const { return legalNotice_; }
    void SetLegalNotice(const std::vector<std::string>& lines) { legalNotice_ = lines; }
    const TvekVersionInfo& VersionInfo() const { return *versionInfo_; }
    std::string Button1Caption = "&System Info...";
    std::string Button2Caption = "&Tech Support...";
    TvekVersionFlags VersionFormat = kAllVersionFlags;
    // The file whose version resource the panel shows (UTF-8); empty: the program's own.
    std::string VersionFile;
    std::function<void(void* Sender)> OnSystemInfo;
    std::function<void(void* Sender)> OnTechSupport;

    // Fills the About page with a new about panel (the dialog calls it when shown).
    void FillAboutPage(TTabSheet& page);
    // The panel of the last fill, or null.
    TfrmvekAboutBox* Panel() const { return panel_.get(); }

private:
    std::vector<std::string> legalNotice_;
    std::unique_ptr<TvekVersionInfo> versionInfo_;
    std::unique_ptr<TfrmvekAboutBox> panel_;
};

// The default legal notice, one line per entry.
std::vector<std::string> DefaultLegalNotice();

}  // namespace vek
