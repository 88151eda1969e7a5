// The window of the running saver: over every monitor, top-most, no pointer; it ends on input
// beyond the dismissal rules (with the host's password where asked for) and paints a failed
// frame's error on itself instead of showing a message box.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "saverkit/dismissal.h"
#include "saverkit/drawing_window.h"
#include "saverkit/shared_settings.h"
#include "platform/registry_key.h"

namespace saverkit {

class FullscreenWindow final : public DrawingWindow, private PasswordHost {
public:
    // The class name hosts and tests find the window by.
    static constexpr const char* kClassName = "WindowsScreenSaverClass";

    // registry: the current user's hive (the password switch). applicationWindow: the program's
    // hidden main window, owner of this one and hidden when this one shows (may be null).
    // closing: called once the window has accepted its dismissal, before the program is told
    // to end.
    FullscreenWindow(senvola::Registry& registry, HWND applicationWindow, std::function<void()> closing);

    Dismissal& DismissalRules() { return dismissal_; }
    // The shared settings, before showing.
    void SetDismissalSettings(const DismissalSettings& settings);
    // A close request of the window (mouse, key, click, WM_CLOSE).
    void RequestClose();
    // `message` at (0, 0) in 12 points over a fresh black picture of the window; never fails.
    void ShowError(const std::string& message) noexcept;

private:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    bool PasswordSwitchedOn() override;
    void ShowPointer(bool show) override;
    PasswordVerdict VerifyPassword() override;

    senvola::Registry& registry_;
    HWND applicationWindow_;
    std::function<void()> closing_;
    Dismissal dismissal_;
};

}  // namespace saverkit
