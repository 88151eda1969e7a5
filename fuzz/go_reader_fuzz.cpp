// libFuzzer target: arbitrary bytes through the .GO reader. Run with scripts/fuzz.sh go SECONDS.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <sstream>
#include <string>

#include "records/go_reader.h"
#include "reader_fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static auto* game = new senvola::GameRecord;  // large: keep one for the whole run
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    uint8_t hasComments = 0;
    const uint8_t code = senvola::ReadGoStream(in, "fuzz", *game, hasComments);
    if (hasComments > 1) std::abort();
    senvola::fuzz::CheckAcceptedGame(*game, code);
    senvola::fuzz::CheckChunkBoundary(
        data, size, ' ', '\n',
        [](const std::string& text, senvola::GameRecord& g, uint8_t& comments) {
            std::istringstream again(text);
            return senvola::ReadGoStream(again, "fuzz", g, comments);
        },
        *game, code, hasComments);
    return 0;
}
