// The General page of the options dialog: the values every screensaver of the user shares (hot
// corners on a picture of the monitor, mouse sensitivity, password delay), shown from the shared
// key and written back to it.
#pragma once

#include <windows.h>

#include <array>
#include <optional>

#include "saverkit/shared_settings.h"
#include "saverkit/tab_pages.h"
#include "platform/registry_key.h"
#include "win32/bmp_win32.h"
#include "win32/handles.h"

namespace saverkit {

class OptionsDialog;

// Control ids of the General page (stable, so that tests and scripts can find them).
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

// The corners in the order of the letters of "Mouse Corners".
enum class ScreenCorner { TopLeft, TopRight, BottomRight, BottomLeft };

class GeneralPage final : public ControlSink {
public:
    // Builds the page's controls on `page`; the dialog answers its menus.
    GeneralPage(OptionsDialog& dialog, TabPage& page);
    GeneralPage(const GeneralPage&) = delete;
    GeneralPage& operator=(const GeneralPage&) = delete;

    // The stored values, or the defaults (normal sensitivity, 0 minutes, no corners) for what is
    // missing. An index outside its list leaves the list without a selection.
    void Load(senvola::Registry& registry);
    // Writes the shown values; a list without a selection leaves its stored values alone, as the
    // key is shared with other programs.
    void Save(senvola::Registry& registry);

    CornerState StateOf(ScreenCorner corner) const { return corners_[Index(corner)]; }
    void SetCorner(ScreenCorner corner, CornerState state);
    HWND CornerMarker(ScreenCorner corner) const { return markers_[Index(corner)]; }
    HWND MouseThreshold() const { return mouseThreshold_; }
    HWND PasswordDelay() const { return passwordDelay_; }
    HWND PasswordDelayIndex() const { return passwordDelayIndex_; }
    HMENU CornerMenu() const { return cornerMenu_.get(); }
    // A press on a corner marker at a point within it: the corner menu there, and its choice.
    void CornerPressed(ScreenCorner corner, POINT pointInMarker);

    bool HandleControlMessage(HWND control, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    static std::size_t Index(ScreenCorner corner) { return static_cast<std::size_t>(corner); }
    void DrawMonitorPart(HDC dc, HWND control, const RECT& rc);
    int DelayValue() const;

    OptionsDialog& dialog_;
    std::array<CornerState, 4> corners_{};
    std::array<HWND, 4> markers_{};
    HWND monitor_ = nullptr;
    HWND mouseThreshold_ = nullptr;
    HWND passwordDelay_ = nullptr;
    HWND passwordDelayUpDown_ = nullptr;
    HWND passwordDelayIndex_ = nullptr;
    senvola::UniqueMenu cornerMenu_;
    std::optional<senvola::BmpPicture> monitorPicture_, nowPicture_, neverPicture_;
};

}  // namespace saverkit
