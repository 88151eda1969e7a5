// senvola-replay-trace: plays games to their end on a recording canvas and prints every surface
// operation, tick by tick. Two builds that print the same stream draw the same screens, so a
// change that should not alter what the user sees can be checked against an older build.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "native_file_system.h"
#include "native_text_decoder.h"
#include "platform/ini_file.h"
#include "portable/recording_canvas.h"
#include "replay/replay.h"

namespace {

using namespace senvola;

class EmptyIni final : public IniFile {
public:
    std::string ReadString(std::string_view, std::string_view, std::string_view def) const override {
        return std::string(def);
    }
};

const char* KindName(CanvasOpKind kind) {
    switch (kind) {
        case CanvasOpKind::SetPen: return "pen";
        case CanvasOpKind::SetBrush: return "brush";
        case CanvasOpKind::SetFont: return "font";
        case CanvasOpKind::Rectangle: return "rectangle";
        case CanvasOpKind::FillRect: return "fill";
        case CanvasOpKind::Ellipse: return "ellipse";
        case CanvasOpKind::Line: return "line";
        case CanvasOpKind::DrawString: return "text";
        case CanvasOpKind::DrawBitmap: return "bitmap";
        case CanvasOpKind::StretchBitmap: return "stretch";
        case CanvasOpKind::CopySelf: return "copy";
        case CanvasOpKind::BlendBitmap: return "blend";
        case CanvasOpKind::TileBitmap: return "tile";
    }
    return "?";
}

void PrintOps(const RecordingCanvas& canvas) {
    for (const CanvasOp& op : canvas.Ops()) {
        std::printf("  %s %d %d %d %d", KindName(op.kind), op.rect.x1, op.rect.y1, op.rect.x2, op.rect.y2);
        switch (op.kind) {
            case CanvasOpKind::SetPen:
                std::printf(" %06X %d", static_cast<unsigned>(op.pen.colour), op.pen.solid ? 1 : 0);
                break;
            case CanvasOpKind::SetBrush:
                std::printf(" %06X %d", static_cast<unsigned>(op.brush.colour), op.brush.solid ? 1 : 0);
                break;
            case CanvasOpKind::SetFont:
                std::printf(" %s %d %06X %d", op.font.name.c_str(), op.font.size,
                            static_cast<unsigned>(op.font.colour), op.font.bold ? 1 : 0);
                break;
            case CanvasOpKind::DrawString:
                std::printf(" [%s]", op.text.c_str());
                break;
            case CanvasOpKind::DrawBitmap:
            case CanvasOpKind::StretchBitmap:
                std::printf(" picture %dx%d %d", op.bitmap->Width(), op.bitmap->Height(),
                            op.bitmap->Transparent() ? 1 : 0);
                break;
            case CanvasOpKind::CopySelf:
                std::printf(" from %d %d %d %d", op.src.x1, op.src.y1, op.src.x2, op.src.y2);
                break;
            default:
                break;
        }
        std::printf("\n");
    }
}

// Plays one game from its new-game tick up to the tick that asks for the next game.
void Trace(const std::string& title, int builtIn, const std::string& file, int width, int height,
           bool boardOnly, bool withPictures) {
    ReplaySettings settings;
    settings.Speed = 0;  // 50 ms a move
    settings.PauseBetweenGames = 0;
    settings.ShowBoardOnly = boardOnly;
    if (!file.empty()) {
        settings.FileLoadType = GameSourceKind::OneFile;
        settings.DirFileString = file;
    }
    BoardPictures pictures;
    if (withPictures) {
        settings.UseBitmap = {true, true, true};
        // Distinct sizes tell the three pictures apart in the printed stream.
        pictures[0] = std::make_unique<RecordingBitmap>(96, 64, false);
        pictures[1] = std::make_unique<RecordingBitmap>(32, 32, true);
        pictures[2] = std::make_unique<RecordingBitmap>(31, 33, true);
    }
    const LanguageTable language;
    const NativeFileSystem files;
    const NativeTextDecoder decoder;
    const EmptyIni ini;
    // The records are large (801 comment slots): keep the replay off the stack.
    auto replay = std::make_unique<Replay>(ReplaySources{settings, pictures, language, ini, files, decoder});
    replay->Library().SetNextBuiltIn(builtIn);
    RecordingCanvas canvas;
    std::printf("== %s %dx%d%s%s\n", title.c_str(), width, height, boardOnly ? " board-only" : "",
                withPictures ? " pictures" : "");
    for (int tick = 0; tick < 2000; ++tick) {
        canvas.Clear();
        replay->Tick(canvas, width, height);
        std::printf("tick %d move %d measures %zu\n", tick, replay->Board().MoveNumber(), canvas.MeasureCount());
        PrintOps(canvas);
        if (tick > 0 && replay->NewGameDue()) break;
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int sizes[][2] = {{1920, 1080}, {800, 600}};
    for (int n = 1; n <= 6; ++n) {
        for (const auto& size : sizes) Trace("builtin:" + std::to_string(n), n, "", size[0], size[1], false, false);
    }
    Trace("builtin:2", 2, "", 1024, 768, false, true);
    Trace("builtin:3", 3, "", 1024, 768, true, false);
    for (int i = 1; i < argc; ++i) {
        for (const auto& size : sizes) Trace(argv[i], 1, argv[i], size[0], size[1], false, false);
    }
    return 0;
}
