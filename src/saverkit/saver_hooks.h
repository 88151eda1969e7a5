// What an application gives the screensaver kit: how to load and save its settings, how to draw
// one frame, and its option pages. The kit owns the windows, the timer, the command line and the
// registry keys; it never knows what the application draws.
#pragma once

#include <windows.h>

#include <chrono>
#include <string>

#include "platform/registry_key.h"

namespace saverkit {

class TabPages;

// The options dialog's own texts in the application's language; an empty one keeps the kit's
// English text.
struct DialogTexts {
    std::string caption;  // the whole caption, instead of "Options for " + title
    std::string ok;
    std::string cancel;
};

// What the command line asked for.
enum class Mode { Saver, Preview, Configure };

// The frame delay of an application that has not named one yet.
inline constexpr std::chrono::milliseconds kDefaultFrameDelay{1000};

class SaverHooks {
public:
    virtual ~SaverHooks() = default;

    // Reads the application's settings from its key. Saver and preview: once, before any window
    // exists (a user without the key gets one without values). Configure: as the options dialog
    // is shown, after the shared screensaver values.
    virtual void LoadSettings(senvola::RegistryKey& key, Mode mode) = 0;
    // OK in the options dialog, after the shared screensaver values are written.
    virtual void SaveSettings(senvola::RegistryKey& key) = 0;

    // How long the preview waits before its first frame (the saver draws its first at once). It
    // is also the delay after a frame that fails before any frame has named one.
    virtual std::chrono::milliseconds FirstFrameDelay() = 0;
    // Draws one frame on `dc`, a DC of `window` that is valid during the call, and returns how
    // long to wait until the next. Frames never overlap. An exception is painted on the saver's
    // window; the next frame still comes, after the delay last named.
    virtual std::chrono::milliseconds DrawFrame(HWND window, HDC dc) = 0;
    // Draws what the last frame left once more, whole, on `dc` (clipped to what needs it): the
    // system has erased part of `window` (a window that covered it went away), or a change of
    // the display has given it another size or other monitors. Nothing before the first frame.
    virtual void RepaintFrame(HWND /*window*/, HDC /*dc*/) {}

    // The application's option pages, moved into the options dialog after its General page;
    // null: none.
    virtual TabPages* OptionPages() { return nullptr; }
    // Asked in configure mode right after LoadSettings, which has chosen the language.
    virtual DialogTexts OptionsDialogTexts() { return {}; }
    // The full-screen saver has accepted its dismissal and is about to end.
    virtual void SaverClosing() {}
};

}  // namespace saverkit
