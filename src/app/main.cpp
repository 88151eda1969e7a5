// Program entry: the Go saver runs the mode the command line asks for, and the message loop then
// carries the saver or the preview until they end.
#include <windows.h>
#include <commctrl.h>

#include <exception>
#include <memory>

#include "app/go_saver.h"
#include "saverkit/command_line.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&icc);
    std::unique_ptr<senvola::app::GoSaver> saver;
    try {
        saver = std::make_unique<senvola::app::GoSaver>();
        saver->Run(saverkit::CommandLineParameters());
    } catch (const std::exception&) {
        // Nothing can be shown without it; a screensaver host expects no message box.
        return 1;
    }
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
