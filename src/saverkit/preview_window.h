// The live preview inside the host's preview area: a child window without input of its own that
// ends the program when the host destroys the area around it.
#pragma once

#include <windows.h>

#include "saverkit/drawing_window.h"

namespace saverkit {

class PreviewWindow final : public DrawingWindow {
public:
    // The class name hosts and tests find the window by.
    static constexpr const char* kClassName = "TfrmScreenSaverPreview";

    // A child of `parent` at (0, 0), width x height.
    PreviewWindow(HWND parent, int width, int height);
    HWND Parent() const { return parent_; }

private:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    HWND parent_;
};

// False for what cannot hold a preview: no window, the desktop or the shell's windows that cover
// it (a preview the size of the screen that no host would ever close), a message-only window.
bool UsablePreviewParent(HWND window);

}  // namespace saverkit
