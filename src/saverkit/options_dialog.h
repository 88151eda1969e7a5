// The options dialog of configuration mode: tab pages with the General page (the values all
// screensavers share), the application's own pages and an About page, OK and Cancel, and context
// help ("What's This?" on a right click, the title bar's help button) from the application's
// help file. Shown modally; OK writes the shared values and then the application's settings.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "saverkit/about_page.h"
#include "saverkit/general_page.h"
#include "saverkit/help.h"
#include "saverkit/saver_hooks.h"
#include "saverkit/tab_pages.h"
#include "platform/registry_key.h"
#include "win32/handles.h"

namespace saverkit {

// Control ids of the dialog's own controls.
enum : int {
    idcOptionsPages = 100,
    idcGeneralHeading = 101,
    idcGeneralRule = 102,
    idmWhatsThis = 110,
};

// Everything the dialog is opened with.
struct OptionsDialogSetup {
    HWND owner = nullptr;              // the window the dialog sits over; null: free-standing, centred
    HWND applicationWindow = nullptr;  // the program's hidden main window, kept hidden meanwhile
    std::string title;                 // the caption is "Options for " + title
    // Opened without creating it for LoadSettings, created for SaveSettings; empty: neither.
    std::string applicationKey;
    bool generalPage = true;
    AboutBox* aboutBox = nullptr;      // the About page; none without
    TabPages* optionPages = nullptr;   // moved in after the General page
    const Help* help = nullptr;        // none: help requests open nothing
};

class OptionsDialog {
public:
    // Picks an item of a popup menu shown at a screen point: its id, or 0 for none.
    using MenuChooser = std::function<int(HMENU menu, POINT screen)>;

    // The dialog, not yet shown, with the application's pages moved in. hooks and registry
    // (the current user's hive) must outlive it.
    OptionsDialog(SaverHooks& hooks, senvola::Registry& registry, const OptionsDialogSetup& setup);
    ~OptionsDialog();
    OptionsDialog(const OptionsDialog&) = delete;
    OptionsDialog& operator=(const OptionsDialog&) = delete;

    HWND Handle() const { return handle_; }
    TabPages& Pages() { return *pages_; }
    TabPage& GeneralTab() { return *generalTab_; }
    GeneralPage& General() { return *general_; }
    TabPage& AboutTab() { return *aboutTab_; }
    HWND OkButton() const { return ok_; }
    HWND CancelButton() const { return cancel_; }
    HMENU WhatsThisMenu() const { return whatsThis_; }
    std::string Caption() const;

    void SetShowGeneral(bool show);
    void SetShowAbout(bool show);

    // Places the window's top-left corner (screen coordinates).
    void SetPosition(int left, int top);
    void CentreOnScreen();
    // Shows the dialog modally; IDOK or IDCANCEL. A quit request met on the way ends it with
    // IDCANCEL and is passed on.
    int ShowModal();
    // Ends the modal loop (what OK and Cancel do).
    void CloseWith(int result) { modalResult_ = result; }

    // The shared values, then the application's settings through the hooks; the merged tabs then
    // take the captions their application pages have.
    void Load();
    // The shared values, then the application's settings through the hooks.
    void Save();

    // A moved control joins the right-click "What's This?" search (with its children); controls
    // whose help context (windowed) or tag (graphic) is above 10 get the "What's This?" menu.
    void PrepareForContextHelp(HWND control);
    // Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PgDn and Ctrl+PgUp anywhere in the dialog: the next or the
    // previous page. True when `msg` was one of them.
    bool SwitchesPage(const MSG& msg);
    // OK and Cancel as wide as their words need, at least 75 pixels (at 96 DPI).
    void FitButtons();
    // The dialog, its pages and its buttons laid out for `dpi` (what a move to a monitor of that
    // DPI does); the client area is 411 x 420 pixels at 96 DPI.
    void ApplyDpi(int dpi);
    // Help topic of a control: the help context of a windowed control, the tag of a graphic one.
    static int HelpTopic(HWND control);
    // The popup menu of `control` at a screen point (what a right click does).
    void PopupWhatsThis(HWND control, POINT screen);
    // The "What's This?" item for `control`: its topic as a help pop-up.
    void WhatsThis(HWND control);
    // Title-bar help on `clicked`: the nearest window upwards with a help context.
    void ContextHelp(HWND clicked);

    int ChooseFromMenu(HMENU menu, POINT screen) const { return chooseFromMenu_(menu, screen); }
    // Tests answer the menus without showing them.
    void SetMenuChooser(MenuChooser chooser) { chooseFromMenu_ = std::move(chooser); }

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void MergePages(TabPages& application);
    bool ShowHelp(UINT command, ULONG_PTR data) const;

    SaverHooks& hooks_;
    senvola::Registry& registry_;
    HWND owner_;
    HWND applicationWindow_;
    std::string title_;
    std::string applicationKey_;
    AboutBox* aboutBox_;
    const Help* help_;
    MenuChooser chooseFromMenu_;

    HWND handle_ = nullptr;
    senvola::UniqueMenu whatsThisBar_;  // holds the "What's This?" menu and destroys it with itself
    HMENU whatsThis_ = nullptr;
    std::unique_ptr<TabPages> pages_;
    TabPage* generalTab_ = nullptr;
    std::unique_ptr<GeneralPage> general_;
    TabPage* aboutTab_ = nullptr;
    bool showAbout_ = false;
    HWND ok_ = nullptr;
    HWND cancel_ = nullptr;
    std::vector<std::pair<TabPage*, TabPage*>> merged_;  // application page, dialog page
    int modalResult_ = 0;
    bool positioned_ = false;
};

// Opens the dialog as configuration mode does: over `setup.owner` (placed just inside its frame
// and caption) or centred on the screen, modally; the owner works again afterwards whatever
// happens inside. IDOK or IDCANCEL.
int ShowOptionsDialog(SaverHooks& hooks, senvola::Registry& registry, const OptionsDialogSetup& setup);

}  // namespace saverkit
