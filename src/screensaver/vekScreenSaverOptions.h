// The screensaver options dialog: the General page shared by all screensavers (hot corners,
// mouse sensitivity, password delay), the About page, and the application's pages merged in.
#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "OptionsDialog.h"
#include "vekTypes.h"

namespace vek {

class TvekAboutBoxDialog;

constexpr const char* kScreenSaversKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Screen Savers";

// Control ids of the General page (stable, so tests and scripts can find them).
enum : int {
    idcCornerText = 1001,
    idcMonitor = 1002,
    idcTopLeft = 1003,
    idcTopRight = 1004,
    idcBottomLeft = 1005,
    idcBottomRight = 1006,
    idcDismissHeading = 1007,
    idcDismissRule = 1008,
    idcSensitivityLabel = 1009,
    idcMouseThreshold = 1010,
    idcWaitLabel = 1011,
    idcPasswordDelay = 1012,
    idcPasswordDelayUpDown = 1013,
    idcPasswordDelayIndex = 1014,
    idcPasswordTrailing = 1015,
    idmCornerDefault = 201,
    idmCornerNow = 202,
    idmCornerNever = 203,
};

enum TCornerState { csDefault = 0, csNow = 1, csNever = 2 };
// Corners in the order of the letters of "Mouse Corners".
enum TCorner { cTopLeft = 0, cTopRight = 1, cBottomRight = 2, cBottomLeft = 3 };

class TvekfrmScreenSaverOptions : public TfrmOptionsDialog {
public:
    explicit TvekfrmScreenSaverOptions(HWND owner, const std::string& title);
    ~TvekfrmScreenSaverOptions() override;

    // What the component hands over.
    senvola::Registry* Registry = nullptr;
    std::string ApplicationKey;
    TRegistryEvent OnReadRegistry;
    TRegistryEvent OnWriteRegistry;
    TvekAboutBoxDialog* AboutBox = nullptr;

    void SetShowGeneral(bool show);
    void SetShowAbout(bool show);
    TTabSheet& AboutPage() { return *about_; }

    // Moves the application's pages in after the General page.
    void MergePages(TPageControl& application);

    // Loads the shared values and raises OnReadRegistry; then the merged tabs take the
    // captions their application pages have now.
    void Load();
    // Writes the shared values and raises OnWriteRegistry.
    void Save();

    TCornerState Corner(TCorner corner) const { return corners_[corner]; }
    void SetCorner(TCorner corner, TCornerState state);
    HWND CornerImage(TCorner corner) const { return cornerImages_[corner]; }
    HWND MouseThreshold() const { return cboMouseThreshold_; }
    HWND PasswordDelay() const { return sePasswordDelay_; }
    HWND PasswordDelayUpDown() const { return upPasswordDelay_; }
    HWND PasswordDelayIndex() const { return cboPasswordDelayIndex_; }
    HMENU pmuCorners() const { return pmuCorners_; }
    // A press on a corner marker at a point within it: opens the corner menu there.
    void CornerPressed(TCorner corner, POINT pointInMarker);

    bool HandleControlMessage(HWND control, UINT msg, WPARAM wParam, LPARAM lParam,
                              LRESULT& result) override;

protected:
    void DoShow() override;
    void DoOK() override;

private:
    void CreateGeneralPage();
    void DrawMonitorPart(HDC dc, HWND control, const RECT& rc);
    void UpdateMergedCaptions();
    int DelayValue() const;

    TTabSheet* about_ = nullptr;
    std::array<TCornerState, 4> corners_{};
    std::array<HWND, 4> cornerImages_{};
    HWND monitor_ = nullptr;
    HWND cboMouseThreshold_ = nullptr;
    HWND sePasswordDelay_ = nullptr;
    HWND upPasswordDelay_ = nullptr;
    HWND cboPasswordDelayIndex_ = nullptr;
    HMENU pmuCorners_ = nullptr;
    HBITMAP bmMonitor_ = nullptr;
    HBITMAP bmNowCheck_ = nullptr;
    HBITMAP bmNeverSpot_ = nullptr;
    int pressedCorner_ = -1;
    bool showAbout_ = false;
    std::vector<std::pair<TTabSheet*, TTabSheet*>> merged_;  // application page, dialog page
};

// Mouse threshold in pixels for a sensitivity index (0..3); -1 for any other index.
int MouseThresholdForIndex(int index);

}  // namespace vek
