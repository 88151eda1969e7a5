#include "saverkit/help.h"

#include <utility>

namespace saverkit {

Help::Help(std::string file, Engine engine) : file_(std::move(file)), engine_(std::move(engine)) {}

bool Help::Show(HWND window, UINT command, ULONG_PTR data) const {
    if (file_.empty()) return false;
    if (engine_)
        engine_(window, file_, command, data);
    else
        WinHelpA(window, file_.c_str(), command, data);
    return true;
}

}  // namespace saverkit
