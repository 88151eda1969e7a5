// Types shared by the screensaver framework and the applications it carries. The framework
// knows nothing of the application: it owns windows, timer, command line and registry key,
// and raises these events.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "platform/registry_key.h"

namespace vek {

enum TScreenSaverMode { smSaver = 0, smPreview = 1, smConfigure = 2 };
enum TInitialState { isColor, isDesktop, isWallpaper };

// TDialogTabs: a set of TDialogTab.
enum TDialogTab : unsigned { dtGeneral = 1u << 0, dtAbout = 1u << 1 };
using TDialogTabs = unsigned;

// Sender: the component (saver and preview modes) or the options dialog (configuration mode).
using TRegistryEvent =
    std::function<void(void* Sender, senvola::RegistryKey& Registry, const std::string& Key)>;
// Sender: the drawing window; Canvas: a device context of that window, valid during the call.
using TScreenSaverEvent = std::function<void(HWND Sender, HDC Canvas)>;
using TScreenSaverNotify = std::function<void(HWND Sender, TScreenSaverMode Mode)>;

class TPageControl;        // application option pages (vekPageControl.h)
class TvekAboutBoxDialog;  // about box component (vekAboutBoxDialog.h)

// Everything the component hands the options dialog in configuration mode.
struct TOptionsDialogSetup {
    HWND ForegroundOwner = nullptr;  // parented: the window the dialog is placed over
    bool Parented = false;           // false: free-standing, centred on the screen
    bool ShowGeneral = false;        // dtGeneral in OptionsTabs
    TvekAboutBoxDialog* AboutBox = nullptr;  // shown only with dtAbout
    TPageControl* OptionsPages = nullptr;    // merged after the General page
    TRegistryEvent OnReadRegistry;
    TRegistryEvent OnWriteRegistry;
    // The current user's hive and the application key under it ("Software\Tavrel\Senvola"),
    // which the dialog opens (without creating) for the two events.
    senvola::Registry* Registry = nullptr;
    std::string ApplicationKey;
    // The application title, for the caption "Options for " + title.
    std::string Title;
};

// Shows the options dialog modally (vekScreenSaverOptions.cpp); returns IDOK or IDCANCEL.
int ShowScreenSaverOptions(const TOptionsDialogSetup& setup);

}  // namespace vek
