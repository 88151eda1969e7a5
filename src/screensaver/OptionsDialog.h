// The base options dialog: a page control with a General page, OK and Cancel, the
// "What's This?" menu and context help from the application's help file.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "vekPageControl.h"

namespace vek {

// Application-wide values the framework's windows need.
struct TApplication {
    std::string Title;     // "Options for " + Title is the options dialog's caption
    std::string HelpFile;  // empty: no help file, help requests open nothing
    HWND Handle = nullptr; // the application's own (hidden) main window, if any
    // Shows help from HelpFile; replaceable so tests can watch the requests.
    std::function<void(HWND window, const std::string& file, UINT command, ULONG_PTR data)> HelpEngine;
};
TApplication& Application();
// Title, or the program file's name without extension when none was set.
std::string ApplicationTitle();
// Asks the help engine for `command`; returns false, and opens nothing, without a help file.
bool ApplicationHelp(HWND window, UINT command, ULONG_PTR data);

// Control ids of the dialog's own controls.
enum : int {
    idcOptionsPages = 100,
    idcGeneralHeading = 101,
    idcGeneralRule = 102,
    idmWhatsThis = 110,
};

class TfrmOptionsDialog : public TControlSink {
public:
    // clientHeight: 421 for the base dialog, 420 for the screensaver dialog; the page control
    // is 4 pixels shorter than the client area above the button row... as designed per dialog.
    TfrmOptionsDialog(HWND owner, int clientHeight, int pagesHeight, const std::string& heading);
    ~TfrmOptionsDialog() override;
    TfrmOptionsDialog(const TfrmOptionsDialog&) = delete;
    TfrmOptionsDialog& operator=(const TfrmOptionsDialog&) = delete;

    HWND Handle() const { return handle_; }
    TPageControl& PageControl() { return *pages_; }
    TTabSheet& GeneralPage() { return *general_; }
    HWND OkButton() const { return ok_; }
    HWND CancelButton() const { return cancel_; }
    HMENU WhatsThisMenu() const { return whatsThis_; }
    std::string Caption() const;
    void SetCaption(const std::string& caption);

    // Places the window's top-left corner (screen coordinates).
    void SetPosition(int left, int top);
    void CentreOnScreen();

    // Shows the dialog modally; IDOK or IDCANCEL.
    int ShowModal();
    int ModalResult() const { return modalResult_; }
    // Ends the modal loop (what OK and Cancel do).
    void CloseWith(int result);

    // A moved control joins the right-click "What's This?" search (recursively); controls with
    // a help context (windowed) or tag (graphic) above 10 get the "What's This?" menu.
    void PrepareForContextHelp(HWND control);
    // Help topic of a control: help context of a windowed control, tag of a graphic one.
    static int HelpTopic(HWND control);
    // Shows the "What's This?" menu for `control` at a screen point (what a right-click does).
    void PopupWhatsThis(HWND control, POINT screen);
    // Runs the menu item for `control`: its topic as a help pop-up.
    void WhatsThis(HWND control);
    // Title-bar help on `clicked`: the nearest control upwards with a help context.
    void ContextHelp(HWND clicked);

    bool HandleControlMessage(HWND control, UINT msg, WPARAM wParam, LPARAM lParam,
                              LRESULT& result) override;

protected:
    virtual void DoShow() {}
    virtual void DoOK() {}
    // Answers the pop-up menu; replaceable so tests can pick an item without a real menu.
    virtual int TrackMenu(HMENU menu, POINT screen);

private:
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);

    HWND handle_ = nullptr;
    HWND owner_ = nullptr;
    std::unique_ptr<TPageControl> pages_;
    TTabSheet* general_ = nullptr;
    HWND ok_ = nullptr;
    HWND cancel_ = nullptr;
    HMENU whatsThisBar_ = nullptr;
    HMENU whatsThis_ = nullptr;
    int modalResult_ = 0;
    bool positioned_ = false;
};

// Test hook: the next menu answer (item id, or 0 for none); -1 shows a real menu.
extern int gMenuAnswerForTests;

}  // namespace vek
