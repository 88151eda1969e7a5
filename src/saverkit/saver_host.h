// The saver host: runs the mode the command line asks for (the full-screen saver, the preview in
// the host's window, or the options dialog), reads the shared and the application's settings,
// and drives the application's frames with a timer that it re-arms, after every frame, with the
// delay that frame returned.
#pragma once

#include <windows.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "saverkit/drawing_window.h"
#include "saverkit/fullscreen_window.h"
#include "saverkit/help.h"
#include "saverkit/preview_window.h"
#include "saverkit/saver_hooks.h"
#include "saverkit/shared_settings.h"
#include "platform/registry_key.h"
#include "win32/handles.h"

namespace saverkit {

class AboutBox;

class SaverHost {
public:
    // What the application chooses once, before running.
    struct Options {
        // The program's title: the options dialog's caption is "Options for " + title. Empty:
        // the program file's name.
        std::string title;
        // The settings key where the program's version resource names none; empty: no key.
        std::string fallbackKey;
        Background background = Background::Colour;
        COLORREF colour = RGB(0, 0, 0);  // the background of Background::Colour
        bool generalPage = true;         // the options dialog's General page
        AboutBox* aboutBox = nullptr;    // the options dialog's About page; none without
        const Help* help = nullptr;      // none: help requests open nothing
        // The program's hidden main window: owner of the full-screen window, hidden while the
        // saver or the dialog shows.
        HWND applicationWindow = nullptr;
    };

    // registry: the current user's hive. hooks and registry must outlive the host.
    SaverHost(SaverHooks& hooks, senvola::Registry& registry, Options options);
    ~SaverHost();
    SaverHost(const SaverHost&) = delete;
    SaverHost& operator=(const SaverHost&) = delete;

    // Runs the mode the parameters (without the program name) ask for. The saver and the preview
    // return with their window shown, for the program's message loop to carry; the options
    // dialog returns when it closes. The program is told to quit with 0 when the mode is over or
    // there is none, and with 1 when the preview has no usable window to draw in.
    void Run(const std::vector<std::string>& params);

    bool ModeChosen() const { return modeChosen_; }
    Mode CurrentMode() const { return mode_; }
    // The settings key: the one the program's version resource names, else the fallback.
    std::string SettingsKey() const;
    // The key the application's settings were read from (empty before, or when there was none).
    const std::string& OpenedKey() const { return openedKey_; }
    // The shared values the saver ends by, as read.
    const DismissalSettings& DismissalValues() const { return dismissal_; }

    HWND DrawingWindowHandle() const;
    FullscreenWindow* Fullscreen() const { return saver_.get(); }
    PreviewWindow* Preview() const { return preview_.get(); }
    bool TimerArmed() const { return timerArmed_; }
    // The delay the timer was last armed with.
    std::chrono::milliseconds FrameDelay() const { return delay_; }

    // One frame: the timer stops, the application draws, the timer is re-armed with the delay
    // the frame returned. Frames therefore never overlap, even when one pumps messages.
    void Tick();

private:
    void ReadSettings();
    void RunSaver();
    void RunPreview(HWND parent);
    void RunConfiguration(bool parented);
    void TakeSnapshot();
    void Prepare(DrawingWindow& window);
    void ArmTimer();
    void StopTimer();
    void SaverClosing();
    static LRESULT CALLBACK TimerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

    SaverHooks& hooks_;
    senvola::Registry& registry_;
    Options options_;
    HWND timerWindow_ = nullptr;  // message-only window that carries the frame timer
    std::chrono::milliseconds delay_ = kDefaultFrameDelay;
    bool timerArmed_ = false;
    Mode mode_ = Mode::Saver;
    bool modeChosen_ = false;
    DismissalSettings dismissal_;
    std::string openedKey_;
    senvola::UniqueBitmap snapshot_;
    std::unique_ptr<FullscreenWindow> saver_;
    std::unique_ptr<PreviewWindow> preview_;
};

}  // namespace saverkit
