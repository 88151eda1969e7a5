#include "render_args.h"

#include <charconv>
#include <string_view>

namespace senvola::inspect {

namespace {

constexpr int kMaxSide = 10000;
constexpr int kMaxMoves = 1000000;

bool ParseInt(std::string_view text, int low, int high, int& out) {
    int v = 0;
    const char* end = text.data() + text.size();
    const auto r = std::from_chars(text.data(), end, v);
    if (text.empty() || r.ec != std::errc() || r.ptr != end || v < low || v > high) return false;
    out = v;
    return true;
}

bool ParseSize(const std::string& text, int& w, int& h) {
    const std::size_t x = text.find_first_of("xX");
    if (x == std::string::npos) return false;
    return ParseInt(std::string_view(text).substr(0, x), 1, kMaxSide, w) &&
           ParseInt(std::string_view(text).substr(x + 1), 1, kMaxSide, h);
}

}  // namespace

int ParseRenderArgs(const Args& args, RenderArgs& out) {
    std::string sizeText, movesText;
    bool haveSize = false, haveMoves = false, haveOut = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& into, bool& seen) {
            if (seen || i + 1 >= args.size()) return false;
            into = args[++i];
            seen = true;
            return true;
        };
        if (a == "--size") {
            if (!value(sizeText, haveSize)) return UsageError("render: --size needs one WxH");
        } else if (a == "--moves") {
            if (!value(movesText, haveMoves)) return UsageError("render: --moves needs one K");
        } else if (a == "--ini") {
            if (!value(out.iniPath, out.haveIni)) return UsageError("render: --ini needs one FILE");
        } else if (a == "--out") {
            if (!value(out.outPath, haveOut)) return UsageError("render: --out needs one FILE.bmp");
        } else if (a == "--board-picture" || a == "--black-picture" || a == "--white-picture") {
            const std::size_t e = a[2] == 'b' && a[3] == 'o' ? 0 : a[3] == 'l' ? 1 : 2;
            bool seen = !out.pictures[e].empty();
            if (!value(out.pictures[e], seen) || out.pictures[e].empty())
                return UsageError("render: " + a + " needs one FILE");
        } else if (a == "--board-only") {
            out.boardOnly = true;
        } else if (a == "--no-comments") {
            out.noComments = true;
        } else if (a == "--flat-stones") {
            out.flatStones = true;
        } else if (a == "--no-coordinates") {
            out.noCoordinates = true;
        } else if (a.size() > 1 && a[0] == '-' && a[1] == '-') {
            return UsageError("render: unknown option " + a);
        } else if (out.game.empty() && !a.empty()) {
            out.game = a;
        } else {
            return UsageError("render: one PATH only");
        }
    }
    if (out.game.empty()) return UsageError("render: no PATH given");
    if (!haveSize || !haveMoves || !haveOut) return UsageError("render: --size, --moves and --out are required");
    if (!ParseSize(sizeText, out.width, out.height)) {
        return UsageError("render: --size must be WxH with W and H from 1 to " + std::to_string(kMaxSide));
    }
    if (!ParseInt(movesText, 0, kMaxMoves, out.moves)) {
        return UsageError("render: --moves must be a whole number from 0 to " + std::to_string(kMaxMoves));
    }
    if (out.outPath.empty()) return UsageError("render: --out needs a file name");
    return 0;
}

}  // namespace senvola::inspect
