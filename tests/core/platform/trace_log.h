// A TraceSink that keeps what the core reports, for tests that look at it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/trace_sink.h"

namespace senvola::testing {

class TraceLog final : public TraceSink {
public:
    std::vector<std::string> messages;

    void Trace(std::string_view message) override { messages.emplace_back(message); }

    int Count(std::string_view text) const {
        int n = 0;
        for (const std::string& m : messages) n += m == text;
        return n;
    }
};

}  // namespace senvola::testing
