// The screensaver component and its two drawing windows. The component reads the command line,
// runs the saver, the preview or the configuration dialog, owns the tick timer and the
// registry key, and raises events; the application draws and keeps its settings.
#pragma once

#include <windows.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "vekDismissal.h"
#include "vekTypes.h"

namespace vek {

class TvekScreenSaver;

// Owns a GDI object and deletes it once.
template <typename H>
class TGdiHandle {
public:
    TGdiHandle() = default;
    explicit TGdiHandle(H h) : h_(h) {}
    ~TGdiHandle() { reset(); }
    TGdiHandle(const TGdiHandle&) = delete;
    TGdiHandle& operator=(const TGdiHandle&) = delete;
    TGdiHandle(TGdiHandle&& o) noexcept : h_(o.h_) { o.h_ = nullptr; }
    TGdiHandle& operator=(TGdiHandle&& o) noexcept {
        if (this != &o) {
            reset();
            h_ = o.h_;
            o.h_ = nullptr;
        }
        return *this;
    }
    H get() const { return h_; }
    void reset(H h = nullptr) {
        if (h_) DeleteObject(h_);
        h_ = h;
    }

private:
    H h_ = nullptr;
};

// Common ground of the full-screen and the preview window: a window of our own class whose
// background is the prepared picture (colour, desktop snapshot or wallpaper).
class TfrmDrawingWindow {
public:
    virtual ~TfrmDrawingWindow();
    TfrmDrawingWindow(const TfrmDrawingWindow&) = delete;
    TfrmDrawingWindow& operator=(const TfrmDrawingWindow&) = delete;

    HWND Handle() const { return handle_; }
    COLORREF Color() const { return color_; }
    void SetColor(COLORREF c);
    // What the window shows before the first tick and wherever the system erases it.
    void SetBackground(TInitialState state, HBITMAP snapshot);
    void Show();

protected:
    explicit TfrmDrawingWindow(TvekScreenSaver& owner) : owner_(owner) {}
    void Create(const char* className, DWORD style, DWORD exStyle, int x, int y, int w, int h, HWND parent);
    virtual LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
    void EraseBackground(HDC dc);

    TvekScreenSaver& owner_;
    HWND handle_ = nullptr;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

    COLORREF color_ = 0;
    TInitialState background_ = isColor;
    HBITMAP snapshot_ = nullptr;  // the component's, not ours
};

// The full-screen window of the running saver: top-most, no pointer, ends on input beyond
// the dismissal rules, and paints errors of the tick handler on itself.
class TfrmWindowsScreenSaver final : public TfrmDrawingWindow, private TPasswordHost {
public:
    static constexpr const char* ClassName = "WindowsScreenSaverClass";

    TfrmWindowsScreenSaver(TvekScreenSaver& owner, HWND applicationWindow);

    TDismissal& Dismissal() { return dismissal_; }
    // The component's dismissal settings, before showing.
    void SetDismissalSettings(int32_t threshold, int32_t delay, int32_t unit);
    // The close request of the window (mouse, key, click, WM_CLOSE).
    void RequestClose();
    // The application-wide error handler: the message at (0, 0) in 12 points over the window.
    void ShowError(const std::string& message) noexcept;

private:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    bool PasswordSwitchedOn() override;
    void ShowPointer(bool show) override;
    TPasswordVerdict VerifyPassword() override;

    HWND applicationWindow_;
    TDismissal dismissal_;
};

// The live preview inside the host's preview area: a child window without input of its own.
class TfrmScreenSaverPreview final : public TfrmDrawingWindow {
public:
    static constexpr const char* ClassName = "TfrmScreenSaverPreview";

    TfrmScreenSaverPreview(TvekScreenSaver& owner, HWND parent, int width, int height);
    HWND Parent() const { return parent_; }

private:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    HWND parent_;
};

class TvekScreenSaver {
public:
    // registry: the current user's hive. applicationWindow: the program's hidden main window,
    // owner of the full-screen window (may be null).
    TvekScreenSaver(senvola::Registry& registry, HWND applicationWindow = nullptr);
    ~TvekScreenSaver();
    TvekScreenSaver(const TvekScreenSaver&) = delete;
    TvekScreenSaver& operator=(const TvekScreenSaver&) = delete;

    // Published properties, in their order.
    COLORREF Color = 0;
    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned ms);  // straight to the timer
    TInitialState InitialState = isColor;
    TvekAboutBoxDialog* vekAboutBox() const { return aboutBox_; }
    void SetvekAboutBox(TvekAboutBoxDialog* box) { aboutBox_ = box; }
    TPageControl* OptionsPages() const { return optionsPages_; }
    // Also sizes the page control to the options dialog's, 401 x 377.
    void SetOptionsPages(TPageControl* pages);
    TDialogTabs OptionsTabs = dtGeneral | dtAbout;
    TRegistryEvent OnReadRegistry;
    TScreenSaverEvent OnTimer;
    TRegistryEvent OnWriteRegistry;
    TScreenSaverNotify OnScreenSaverClose;

    // Destruction notices of the referenced components.
    void AboutBoxDestroyed() { aboutBox_ = nullptr; }
    void OptionsPagesDestroyed() { optionsPages_ = nullptr; }

    // The application title (caption of the options dialog: "Options for " + title).
    std::string Title;
    // The application key under the user's hive; empty: "Software\" + CompanyName + "\" +
    // ProductName of the program's own version resource, or FallbackApplicationKey where that
    // resource cannot be read or lacks a name. Both empty: no key is read or written.
    std::string ApplicationKey;
    std::string FallbackApplicationKey;

    // Reads the process's command line and runs the chosen mode.
    void Execute();
    // The same with the parameters given (without the program name).
    void Execute(const std::vector<std::string>& params);

    TScreenSaverMode Mode() const { return mode_; }
    // True once Execute has picked a mode.
    bool ModeChosen() const { return modeChosen_; }
    HWND DrawingWindow() const;
    TfrmWindowsScreenSaver* SaverWindow() const { return saver_.get(); }
    TfrmScreenSaverPreview* PreviewWindow() const { return preview_.get(); }
    bool TimerEnabled() const { return timerEnabled_; }
    int32_t MouseThreshold() const { return mouseThreshold_; }
    int32_t PasswordDelay() const { return passwordDelay_; }
    int32_t PasswordDelayUnit() const { return passwordDelayUnit_; }
    // The key path the read-registry event was raised with (empty before).
    const std::string& OpenedKey() const { return openedKey_; }

    senvola::Registry& Registry() const { return registry_; }

    // Internal: one timer tick; the close notice of the full-screen window.
    void Tick();
    void NotifyClose(HWND sender);

private:
    // The key the events get: ApplicationKey, or the one the program's version resource names.
    std::string SettingsKey() const;
    void ReadSettings();
    void RunSaver();
    void RunPreview(HWND parent);
    void RunConfiguration(bool parented);
    void TakeSnapshot();
    void SetTimerEnabled(bool on);
    static LRESULT CALLBACK TimerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

    senvola::Registry& registry_;
    HWND applicationWindow_;
    HWND timerWindow_ = nullptr;  // message-only window that carries the tick timer
    unsigned interval_ = 1000;
    bool timerEnabled_ = false;
    TScreenSaverMode mode_ = smSaver;
    bool modeChosen_ = false;
    TvekAboutBoxDialog* aboutBox_ = nullptr;
    TPageControl* optionsPages_ = nullptr;
    int32_t mouseThreshold_ = 200;
    int32_t passwordDelay_ = 0;
    int32_t passwordDelayUnit_ = 1;
    std::string openedKey_;
    TGdiHandle<HBITMAP> snapshot_;
    std::unique_ptr<TfrmWindowsScreenSaver> saver_;
    std::unique_ptr<TfrmScreenSaverPreview> preview_;
};

// The parameters of the process's command line, without the program name.
std::vector<std::string> CommandLineParameters();
// A decimal number (optional sign, digits only); empty for anything else.
std::optional<long long> ParseDecimal(const std::string& text);
// A decimal window handle as the host passes it; empty when the text is not a number.
std::optional<HWND> ParseWindowHandle(const std::string& text);
// The mode the parameters ask for: "s" saver, else "p" preview, else "c" or none at all the
// options dialog; empty for anything else.
std::optional<TScreenSaverMode> ModeOfParameters(const std::vector<std::string>& params);
// False for what cannot hold the preview: no window, the desktop or the shell's desktop
// windows, a message-only window.
bool UsablePreviewParent(HWND window);
// A string of the program's own version resource under its first translation; empty when
// there is none.
std::string ReadOwnVersionString(const char* name);

}  // namespace vek
