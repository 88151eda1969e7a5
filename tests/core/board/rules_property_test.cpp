// Random games checked against a plain flood-fill model of Go: the chain numbers, liberties,
// captures, ko point and legality answers of the rules must agree with it after every move.
#include <gtest/gtest.h>

#include <array>
#include <random>
#include <vector>

#include "board/board_rules.h"
#include "core/board/board_test_support.h"

namespace senvola {
namespace {

using Grid = std::array<std::array<uint8_t, kBoardArray>, kBoardArray>;  // [x][y], 0/1/2

struct Model {
    int n = 0;
    Grid g{};

    bool On(int x, int y) const { return x >= 1 && y >= 1 && x <= n && y <= n; }

    // Points of the chain through (x, y) and its distinct liberties.
    void Chain(int x, int y, std::vector<std::pair<int, int>>& stones, int& liberties) const {
        std::array<std::array<bool, kBoardArray>, kBoardArray> seen{}, libSeen{};
        stones.clear();
        liberties = 0;
        std::vector<std::pair<int, int>> todo{{x, y}};
        seen[x][y] = true;
        const uint8_t c = g[x][y];
        while (!todo.empty()) {
            auto [px, py] = todo.back();
            todo.pop_back();
            stones.emplace_back(px, py);
            const int d[4][2] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}};
            for (auto& o : d) {
                const int nx = px + o[0], ny = py + o[1];
                if (!On(nx, ny)) continue;
                if (g[nx][ny] == 0 && !libSeen[nx][ny]) {
                    libSeen[nx][ny] = true;
                    ++liberties;
                } else if (g[nx][ny] == c && !seen[nx][ny]) {
                    seen[nx][ny] = true;
                    todo.emplace_back(nx, ny);
                }
            }
        }
    }

    // Plays (x, y) for `colour` on a copy; returns the stones captured, or -1 for suicide.
    int Play(int x, int y, uint8_t colour, Grid& out) const {
        Model m = *this;
        m.g[x][y] = colour;
        const uint8_t opp = colour == 1 ? 2 : 1;
        int captured = 0;
        const int d[4][2] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}};
        std::vector<std::pair<int, int>> stones;
        int libs = 0;
        for (auto& o : d) {
            const int nx = x + o[0], ny = y + o[1];
            if (!On(nx, ny) || m.g[nx][ny] != opp) continue;
            m.Chain(nx, ny, stones, libs);
            if (libs > 0) continue;
            for (auto [sx, sy] : stones) m.g[sx][sy] = 0;
            captured += static_cast<int>(stones.size());
        }
        m.Chain(x, y, stones, libs);
        out = m.g;
        return libs == 0 ? -1 : captured;
    }
};

void ExpectConsistent(const AppState& s, const Model& m, int step) {
    const BoardPosition& b = s.Board;
    std::array<bool, kMaxChains + 1> used{};
    std::array<std::array<bool, kBoardArray>, kBoardArray> done{};
    for (int x = 1; x <= m.n; ++x) {
        for (int y = 1; y <= m.n; ++y) {
            ASSERT_EQ(b.Points[x][y], m.g[x][y]) << "step " << step << " at " << x << "," << y;
            if (m.g[x][y] == 0) {
                ASSERT_EQ(b.ChainOf[x][y], 0);
                continue;
            }
            if (done[x][y]) continue;
            const uint8_t c = b.ChainOf[x][y];
            ASSERT_NE(c, 0);
            ASSERT_EQ(b.ChainColour[c], m.g[x][y]);
            ASSERT_FALSE(used[c]) << "two separate chains share number " << int(c);
            used[c] = true;
            std::vector<std::pair<int, int>> stones;
            int libs = 0;
            m.Chain(x, y, stones, libs);
            ASSERT_GT(libs, 0) << "a chain without liberties stayed on the board";
            ASSERT_EQ(b.ChainLiberties[c], libs) << "step " << step << " chain at " << x << "," << y;
            for (auto [sx, sy] : stones) {
                ASSERT_EQ(b.ChainOf[sx][sy], c) << "one chain, one number";
                done[sx][sy] = true;
            }
        }
    }
    for (int k = 1; k <= kMaxChains; ++k) {
        // Every number in use belongs to stones on the board: no number leaks.
        ASSERT_EQ(b.ChainColour[k] != 0, used[k]) << "chain number " << k << " at step " << step;
    }
    for (int x = 0; x < kBoardArray; ++x)
        for (int y = 0; y < kBoardArray; ++y) ASSERT_EQ(b.Removed[x][y], 0);
}

TEST(RulesProperty, RandomGamesAgreeWithAFloodFillModel) {
    std::mt19937 rng(20261208);
    int kos = 0, captures = 0, suicides = 0, occupied = 0;
    for (int game = 0; game < 90; ++game) {
        const int n = game % 3 == 0 ? 19 : game % 3 == 1 ? 9 : 13;
        AppState s;
        testing::NewBoard(s, n);
        Model m;
        m.n = n;
        Grid beforeLast{};     // position before the last stone move
        bool lastWasStone = false;
        NullMoveDisplay none;
        std::uniform_int_distribution<int> coord(1, n);
        int retakeX = 0, retakeY = 0;  // where a single stone was just taken
        const int attempts = n * n * 3;
        for (int step = 0; step < attempts && s.Board.MoveNumber <= kMaxMoves; ++step) {
            if (rng() % 40 == 0) {
                PassMove(s);
                lastWasStone = false;
                ASSERT_EQ(s.Board.KoX, 0);
                continue;
            }
            // Half the time, try the immediate retake of a single stone: that is where kos are.
            int x = coord(rng), y = coord(rng);
            if (retakeX != 0 && rng() % 2 == 0) x = retakeX, y = retakeY;
            retakeX = 0;
            const uint8_t colour = s.Board.ToMove == 1 ? 1 : 2;
            uint8_t expect = ilLegal;
            Grid after{};
            int taken = 0;
            if (m.g[x][y] != 0) {
                expect = ilOccupied;
            } else {
                taken = m.Play(x, y, colour, after);
                if (taken < 0) expect = ilSuicide;
                else if (lastWasStone && after == beforeLast) expect = ilKo;
            }
            ASSERT_EQ(IsIllegalMove(s.Board, x, y), expect) << "game " << game << " step " << step;
            s.NeedNewGame = false;
            const Grid was = m.g;
            const uint8_t r = PlayMove(s, none, x, y, false);
            if (r == ilNoChainNumber) break;  // a crowded random board; checked elsewhere
            ASSERT_EQ(r, expect);
            ASSERT_EQ(s.NeedNewGame, expect != ilLegal);
            if (expect != ilLegal) {
                kos += expect == ilKo;
                suicides += expect == ilSuicide;
                occupied += expect == ilOccupied;
                continue;
            }
            captures += taken > 0;
            if (taken == 1) {
                for (int px = 1; px <= n; ++px)
                    for (int py = 1; py <= n; ++py)
                        if (m.g[px][py] != 0 && after[px][py] == 0) retakeX = px, retakeY = py;
            }
            beforeLast = was;
            lastWasStone = true;
            m.g = after;
            if (taken == 1) {
                ASSERT_EQ(s.Board.KoX, x);
                ASSERT_EQ(s.Board.KoY, y);
            } else {
                ASSERT_EQ(s.Board.KoX, 0);
            }
            ExpectConsistent(s, m, step);
            if (::testing::Test::HasFatalFailure()) return;
        }
    }
    // The games must have exercised every branch, or the comparison proves little.
    EXPECT_GT(kos, 5);
    EXPECT_GT(captures, 100);
    EXPECT_GT(suicides, 20);
    EXPECT_GT(occupied, 100);
}

}  // namespace
}  // namespace senvola
