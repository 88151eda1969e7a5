// The main form: never shown, it carries the screensaver component, the option pages and the
// handlers through which the framework reaches the replay and its settings.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "app_state.h"
#include "canvas_gdi.h"
#include "file_system_win32.h"
#include "ini_win32.h"
#include "registry_win32.h"
#include "vekScreenSaverUnit.h"

namespace senvola::app {

class TForm1Pages;

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
    AppState& State() { return *state_; }
    vek::TvekScreenSaver& vekScreenSaver1() { return *screenSaver_; }

private:
    HINSTANCE instance_;
    HWND handle_ = nullptr;               // the hidden application window
    std::unique_ptr<AppState> state_;     // large: the two game records
    Win32Registry registry_;
    Win32FileSystem files_;
    std::unique_ptr<Win32IniFile> languageFile_;
    GdiObjectCache gdiCache_;             // pens, brushes, fonts kept from one tick to the next
    std::string helpFile_;
    std::unique_ptr<vek::TvekScreenSaver> screenSaver_;
    std::unique_ptr<TForm1Pages> pages_;
};

}  // namespace senvola::app
