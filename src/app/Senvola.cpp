// Program entry: the application title, the hidden main form whose creation runs the chosen
// mode, and the message loop that carries the saver or the preview until they end.
#include <windows.h>
#include <commctrl.h>

#include <exception>
#include <memory>

#include "Unit1.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&icc);
    std::unique_ptr<senvola::app::TForm1> form;
    try {
        form = std::make_unique<senvola::app::TForm1>(instance);
        form->FormCreate();
    } catch (const std::exception&) {
        // Nothing can be shown without the form; a screensaver host expects no message box.
        return 1;
    }
    MSG msg{};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}
