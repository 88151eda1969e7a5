// The pictures the graphics options name: loading them, and when the board is drawn from one.
#include <gtest/gtest.h>

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "draw/board_look.h"
#include "portable/recording_canvas.h"
#include "settings/settings_store.h"

namespace senvola {
namespace {

// Pictures are loaded once and kept apart from the option values: putting the options back to
// their defaults keeps the pictures, and the look follows the options again.
TEST(BoardLook, ApplyDefaultsKeepsLoadedPictures) {
    ReplaySettings s;
    BoardPictures pictures;
    s.UseBitmap[geBoard] = true;
    pictures[geBoard] = std::make_unique<RecordingBitmap>(16, 16, false);
    BoardSprites sprites;
    const BoardLook look{s, pictures, sprites};
    EXPECT_TRUE(BoardUsesBitmap(look));
    ApplyDefaults(s);
    EXPECT_NE(pictures[geBoard], nullptr);
    EXPECT_FALSE(BoardUsesBitmap(look)) << "the default board is drawn in its colour";
    s.UseBitmap[geBoard] = true;
    EXPECT_TRUE(BoardUsesBitmap(look));
    // A picture without pixels is no board picture.
    pictures[geBoard] = std::make_unique<RecordingBitmap>(0, 16, false);
    EXPECT_FALSE(BoardUsesBitmap(look));
}

// A loader that knows a fixed set of files and records what it was asked.
class FakeLoader final : public BitmapLoader {
public:
    struct Call {
        std::string path;
        bool transparent;
    };
    struct Pic final : Bitmap {
        explicit Pic(bool t, int id) : transparent(t), id(id) {}
        int Width() const override { return 8; }
        int Height() const override { return 8; }
        bool Transparent() const override { return transparent; }
        bool transparent;
        int id;
    };
    std::map<std::string, int> files;  // path -> picture id
    std::vector<Call> calls;
    bool throwOnUnknown = false;

    std::unique_ptr<Bitmap> Load(const std::string& path, bool transparent) override {
        calls.push_back({path, transparent});
        auto it = files.find(path);
        if (it == files.end()) {
            if (throwOnUnknown) throw std::runtime_error("not a bitmap");
            return nullptr;
        }
        return std::make_unique<Pic>(transparent, it->second);
    }
};

int PicId(const std::unique_ptr<Bitmap>& b) { return b ? static_cast<const FakeLoader::Pic&>(*b).id : -1; }

TEST(BoardLook, BitmapsLoadInOrderBlackWhiteBoardWithStonesTransparent) {
    ReplaySettings s;
    BoardPictures pictures;
    s.UseBitmap = {true, true, true};
    s.BitmapName = {"board.bmp", "black.bmp", "white.bmp"};
    FakeLoader loader;
    loader.files = {{"board.bmp", 1}, {"black.bmp", 2}, {"white.bmp", 3}};
    LoadGraphicsBitmaps(s, pictures, loader);

    ASSERT_EQ(loader.calls.size(), 3u);
    EXPECT_EQ(loader.calls[0].path, "black.bmp");
    EXPECT_TRUE(loader.calls[0].transparent);
    EXPECT_EQ(loader.calls[1].path, "white.bmp");
    EXPECT_TRUE(loader.calls[1].transparent);
    EXPECT_EQ(loader.calls[2].path, "board.bmp");
    EXPECT_FALSE(loader.calls[2].transparent);
    EXPECT_EQ(PicId(pictures[geBoard]), 1);
    EXPECT_EQ(PicId(pictures[geBlackStones]), 2);
    EXPECT_EQ(PicId(pictures[geWhiteStones]), 3);
    EXPECT_EQ(s.UseBitmap, (std::array<bool, 3>{true, true, true}));
}

TEST(BoardLook, MissingBitmapFallsBackToTheColourSilently) {
    ReplaySettings s;
    BoardPictures pictures;
    s.UseBitmap = {false, true, true};
    s.BitmapName = {"board.bmp", "C:\\gone\\black.bmp", "white.bmp"};
    FakeLoader loader;
    loader.files = {{"board.bmp", 1}, {"white.bmp", 3}};
    LoadGraphicsBitmaps(s, pictures, loader);

    // The board is not asked for: its flag is off.
    ASSERT_EQ(loader.calls.size(), 2u);
    EXPECT_EQ(s.UseBitmap, (std::array<bool, 3>{false, false, true}));
    EXPECT_EQ(pictures[geBlackStones], nullptr);
    EXPECT_EQ(s.BitmapName[geBlackStones], "C:\\gone\\black.bmp");  // the stored choice stays
    EXPECT_EQ(s.Color[geBlackStones], 0x000000u);
    EXPECT_EQ(PicId(pictures[geWhiteStones]), 3);
}

TEST(BoardLook, LoaderFailureOfAnyKindClearsTheFlag) {
    ReplaySettings s;
    BoardPictures pictures;
    s.UseBitmap = {true, true, false};
    s.BitmapName = {"", "junk.txt", ""};  // an empty name and a file the loader rejects
    FakeLoader loader;
    loader.throwOnUnknown = true;
    EXPECT_NO_THROW(LoadGraphicsBitmaps(s, pictures, loader));
    EXPECT_EQ(s.UseBitmap, (std::array<bool, 3>{false, false, false}));
}

TEST(BoardLook, LaterLoadReplacesThePicture) {
    ReplaySettings s;
    BoardPictures pictures;
    s.UseBitmap[geBoard] = true;
    s.BitmapName[geBoard] = "a.bmp";
    FakeLoader loader;
    loader.files = {{"a.bmp", 1}, {"b.bmp", 2}};
    LoadGraphicsBitmaps(s, pictures, loader);
    EXPECT_EQ(PicId(pictures[geBoard]), 1);
    s.BitmapName[geBoard] = "b.bmp";
    LoadGraphicsBitmaps(s, pictures, loader);
    EXPECT_EQ(PicId(pictures[geBoard]), 2);
}

}  // namespace
}  // namespace senvola
