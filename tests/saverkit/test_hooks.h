// Hooks for the kit's tests: each does what its function says, and nothing without one.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>

#include "saverkit/saver_hooks.h"
#include "saverkit/tab_pages.h"

namespace saverkit::testing {

struct TestHooks final : SaverHooks {
    std::function<void(senvola::RegistryKey& key, Mode mode)> load;
    std::function<void(senvola::RegistryKey& key)> save;
    std::function<void(HWND window, HDC dc)> draw;
    std::function<void(HWND window, HDC dc)> repaint;
    std::function<void()> closing;
    // What FirstFrameDelay says, and what every frame returns (read after `draw` ran).
    std::chrono::milliseconds delay = kDefaultFrameDelay;
    TabPages* pages = nullptr;
    DialogTexts texts;  // what OptionsDialogTexts answers

    void LoadSettings(senvola::RegistryKey& key, Mode mode) override {
        if (load) load(key, mode);
    }
    void SaveSettings(senvola::RegistryKey& key) override {
        if (save) save(key);
    }
    std::chrono::milliseconds FirstFrameDelay() override { return delay; }
    std::chrono::milliseconds DrawFrame(HWND window, HDC dc) override {
        if (draw) draw(window, dc);
        return delay;
    }
    void RepaintFrame(HWND window, HDC dc) override {
        if (repaint) repaint(window, dc);
    }
    TabPages* OptionPages() override { return pages; }
    DialogTexts OptionsDialogTexts() override { return texts; }
    void SaverClosing() override {
        if (closing) closing();
    }
};

}  // namespace saverkit::testing
