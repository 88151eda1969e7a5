// The application's help file and the engine that opens it: the options dialog's "What's This?"
// and title-bar help, and the application's own help buttons, all ask here.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace saverkit {

class Help {
public:
    // Shows `command` of `file`; tests give one that records the requests.
    using Engine = std::function<void(HWND window, const std::string& file, UINT command, ULONG_PTR data)>;

    // An empty file: no help, and nothing opens. No engine: the system's WinHelp.
    explicit Help(std::string file = {}, Engine engine = {});

    const std::string& File() const { return file_; }
    bool Available() const { return !file_.empty(); }
    // Asks the engine for `command`; false, and nothing opens, without a help file.
    bool Show(HWND window, UINT command, ULONG_PTR data) const;

private:
    std::string file_;
    Engine engine_;
};

}  // namespace saverkit
