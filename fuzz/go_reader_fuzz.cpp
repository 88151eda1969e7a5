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
    const senvola::ReadError error = senvola::ReadGoStream(in, "fuzz", *game);
    senvola::fuzz::CheckAcceptedGame(*game, error);
    senvola::fuzz::CheckChunkBoundary(
        data, size, ' ', '\n',
        [](const std::string& text, senvola::GameRecord& g) {
            std::istringstream again(text);
            return senvola::ReadGoStream(again, "fuzz", g);
        },
        *game, error);
    return 0;
}
