// What the reader tests share: the diagnostics seen, a scratch directory removed afterwards,
// and the record read into.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "records/game_record.h"

namespace senvola::reader_test {

namespace fs = std::filesystem;

class ReaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetTraceHook([this](std::string_view text) { trace.emplace_back(text); });
    }
    void TearDown() override {
        SetTraceHook(nullptr);
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
    uint8_t hasComments = 0;
    std::vector<std::string> trace;
    fs::path dir;
};

inline std::pair<int, int> MoveAt(const GameRecord& g, int n) { return {g.MoveX[n], g.MoveY[n]}; }
inline const std::pair<int, int> kPass{255, 255};

}  // namespace senvola::reader_test
