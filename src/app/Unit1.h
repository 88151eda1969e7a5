// The main form: never shown, it carries the screensaver component, the option pages and the
// handlers through which the framework reaches the replay and its settings.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "Unit1Pages.h"
#include "canvas_gdi.h"
#include "draw/board_look.h"
#include "file_system_win32.h"
#include "ini_win32.h"
#include "registry_win32.h"
#include "replay/replay.h"
#include "vekScreenSaverUnit.h"

namespace senvola::app {

extern const char* const kApplicationTitle;  // "Tavrel's Senvola"

class TForm1 {
public:
    explicit TForm1(HINSTANCE instance);
    ~TForm1();
    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;

    // Defaults, settings key, first page, help file, replay state, component; then Execute.
    void FormCreate();

    void vekScreenSaver1ReadRegistry(void* Sender, RegistryKey& Registry, const std::string& Key);
    void vekScreenSaver1WriteRegistry(void* Sender, RegistryKey& Registry, const std::string& Key);
    void vekScreenSaver1Timer(HWND Sender, HDC Canvas);

    HWND Handle() const { return handle_; }
    const std::string& HelpFile() const { return helpFile_; }
    OptionsState& Options() { return options_; }
    vek::TvekScreenSaver& vekScreenSaver1() { return *screenSaver_; }

private:
    HINSTANCE instance_;
    HWND handle_ = nullptr;               // the hidden application window
    OptionsState options_;                // shared with the option pages
    BoardPictures pictures_;              // loaded for the graphics options
    Win32Registry registry_;
    Win32FileSystem files_;
    std::unique_ptr<Win32IniFile> languageFile_;
    std::unique_ptr<Replay> replay_;      // made once the language file is known; reads the above
    GdiObjectCache gdiCache_;             // pens, brushes, fonts kept from one tick to the next
    std::string helpFile_;
    std::unique_ptr<vek::TvekScreenSaver> screenSaver_;
    std::unique_ptr<TForm1Pages> pages_;
};

}  // namespace senvola::app
