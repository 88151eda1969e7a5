// What the reader tests share: the reports seen, a scratch directory removed afterwards, and the
// record read into.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "core/platform/trace_log.h"
#include "records/game_file.h"
#include "records/game_record.h"

namespace senvola::reader_test {

namespace fs = std::filesystem;

class ReaderTest : public ::testing::Test {
protected:
    void TearDown() override {
        if (!dir.empty()) {
            std::error_code ec;
            fs::remove_all(dir, ec);
        }
    }

    // A scratch directory of this test, named after it so that parallel runs never meet.
    fs::path Dir() {
        if (dir.empty()) {
            const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
            dir = fs::temp_directory_path() / (std::string("senvola_") + info->test_suite_name() + "_" +
                                               info->name() + "_" + std::to_string(std::random_device{}()));
            fs::create_directories(dir);
        }
        return dir;
    }

    std::string WriteFile(const std::string& name, const std::string& bytes) {
        const fs::path p = Dir() / name;
        std::ofstream out(p, std::ios::binary);
        out << bytes;
        return p.string();
    }

    GameRecord game;
    testing::TraceLog log;  // handed to every read
    std::vector<std::string>& trace = log.messages;
    fs::path dir;
};

// The number a read error has always been reported by.
inline int Code(ReadError error) { return static_cast<int>(error); }

inline std::pair<int, int> MoveAt(const GameRecord& g, int n) { return {g.MoveX[n], g.MoveY[n]}; }

// The setup stones as three letters each: "Z" black or "W" white, then column and row ("A" = 1).
inline std::string SetupText(const GameRecord& g) {
    std::string text;
    for (const SetupStone& s : g.Setup) {
        text += s.colour == go::Stone::White ? 'W' : 'Z';
        text += static_cast<char>(64 + s.x);
        text += static_cast<char>(64 + s.y);
    }
    return text;
}
inline const std::pair<int, int> kPass{255, 255};

}  // namespace senvola::reader_test
