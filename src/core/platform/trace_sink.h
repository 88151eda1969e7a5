// Where the core reports what it passes over: game files it cannot load, stones the rules refuse,
// folders it lists. No such report is ever shown to the user, so the program hands the core no
// sink and the reports go nowhere; tests hand one in to observe them.
#pragma once

#include <string_view>

namespace senvola {

class TraceSink {
public:
    virtual ~TraceSink() = default;
    virtual void Trace(std::string_view message) = 0;
};

}  // namespace senvola
