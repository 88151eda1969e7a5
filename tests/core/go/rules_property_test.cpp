// Random games checked against a plain flood-fill model of Go: the stones, chains, liberties,
// captures, ko point and legality answers of the board must agree with it after every move.
#include <gtest/gtest.h>

#include <array>
#include <random>
#include <vector>

#include "core/go/board_test_support.h"
#include "go/board.h"

namespace senvola::go {
namespace {

constexpr int kGrid = Board::kMaxSize + 2;
using Grid = std::array<std::array<Stone, kGrid>, kGrid>;  // [x][y]

struct Model {
    int n = 0;
    Grid g{};

    bool On(int x, int y) const { return x >= 1 && y >= 1 && x <= n && y <= n; }

    // Points of the chain through (x, y) and its distinct liberties.
    void Chain(int x, int y, std::vector<std::pair<int, int>>& stones, int& liberties) const {
        std::array<std::array<bool, kGrid>, kGrid> seen{}, libSeen{};
        stones.clear();
        liberties = 0;
        std::vector<std::pair<int, int>> todo{{x, y}};
        seen[x][y] = true;
        const Stone c = g[x][y];
        while (!todo.empty()) {
            auto [px, py] = todo.back();
            todo.pop_back();
            stones.emplace_back(px, py);
            const int d[4][2] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}};
            for (auto& o : d) {
                const int nx = px + o[0], ny = py + o[1];
                if (!On(nx, ny)) continue;
                if (g[nx][ny] == Stone::Empty && !libSeen[nx][ny]) {
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
    int Play(int x, int y, Stone colour, Grid& out) const {
        Model m = *this;
        m.g[x][y] = colour;
        const Stone opp = Opponent(colour);
        int captured = 0;
        const int d[4][2] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}};
        std::vector<std::pair<int, int>> stones;
        int libs = 0;
        for (auto& o : d) {
            const int nx = x + o[0], ny = y + o[1];
            if (!On(nx, ny) || m.g[nx][ny] != opp) continue;
            m.Chain(nx, ny, stones, libs);
            if (libs > 0) continue;
            for (auto [sx, sy] : stones) m.g[sx][sy] = Stone::Empty;
            captured += static_cast<int>(stones.size());
        }
        m.Chain(x, y, stones, libs);
        out = m.g;
        return libs == 0 ? -1 : captured;
    }
};

void ExpectConsistent(const Board& b, const Model& m, int step) {
    std::array<std::array<bool, kGrid>, kGrid> done{};
    int chains = 0;
    for (int x = 1; x <= m.n; ++x) {
        for (int y = 1; y <= m.n; ++y) {
            ASSERT_EQ(b.At({x, y}), m.g[x][y]) << "step " << step << " at " << x << "," << y;
            if (m.g[x][y] == Stone::Empty) {
                ASSERT_EQ(b.Liberties({x, y}), 0);
                continue;
            }
            // Stones of another chain beside this one are never taken for it.
            const int d[4][2] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}};
            for (auto& o : d) {
                const int nx = x + o[0], ny = y + o[1];
                if (m.On(nx, ny) && m.g[nx][ny] != Stone::Empty && m.g[nx][ny] != m.g[x][y])
                    ASSERT_FALSE(b.SameChain({x, y}, {nx, ny}));
            }
            if (done[x][y]) continue;
            ++chains;
            std::vector<std::pair<int, int>> stones;
            int libs = 0;
            m.Chain(x, y, stones, libs);
            ASSERT_GT(libs, 0) << "a chain without liberties stayed on the board";
            ASSERT_EQ(b.Liberties({x, y}), libs) << "step " << step << " chain at " << x << "," << y;
            for (auto [sx, sy] : stones) {
                ASSERT_TRUE(b.SameChain({x, y}, {sx, sy})) << "the stones of one chain share it";
                ASSERT_EQ(b.Liberties({sx, sy}), libs);
                done[sx][sy] = true;
            }
        }
    }
    // Every chain the board counts stands on the board: none leaks.
    ASSERT_EQ(b.ChainCount(), chains) << "step " << step;
}

TEST(RulesProperty, RandomGamesAgreeWithAFloodFillModel) {
    std::mt19937 rng(20261208);
    int kos = 0, captures = 0, suicides = 0, occupied = 0;
    for (int game = 0; game < 90; ++game) {
        const int n = game % 3 == 0 ? 19 : game % 3 == 1 ? 9 : 13;
        Board b(n);
        Model m;
        m.n = n;
        Grid beforeLast{};     // position before the last stone move
        bool lastWasStone = false;
        std::uniform_int_distribution<int> coord(1, n);
        int retakeX = 0, retakeY = 0;  // where a single stone was just taken
        const int attempts = n * n * 3;
        for (int step = 0; step < attempts && b.MoveNumber() <= 800; ++step) {
            if (rng() % 40 == 0) {
                b.Pass();
                lastWasStone = false;
                ASSERT_EQ(b.Ko(), kNoPoint);
                ASSERT_TRUE(b.Captured().empty());
                continue;
            }
            // Half the time, try the immediate retake of a single stone: that is where kos are.
            int x = coord(rng), y = coord(rng);
            if (retakeX != 0 && rng() % 2 == 0) x = retakeX, y = retakeY;
            retakeX = 0;
            const Stone colour = b.ToMove();
            MoveResult expect = MoveResult::Played;
            Grid after{};
            int taken = 0;
            if (m.g[x][y] != Stone::Empty) {
                expect = MoveResult::Occupied;
            } else {
                taken = m.Play(x, y, colour, after);
                if (taken < 0) expect = MoveResult::Suicide;
                else if (lastWasStone && after == beforeLast) expect = MoveResult::Ko;
            }
            if (b.Check({x, y}, colour) == MoveResult::ChainLimit) {
                // A crowded random board; the limit is checked elsewhere.
                ASSERT_EQ(expect, MoveResult::Played);
                ASSERT_EQ(b.ChainCount(), Board::kMaxChains);
                break;
            }
            ASSERT_EQ(b.Check({x, y}, colour), expect) << "game " << game << " step " << step;
            const Grid was = m.g;
            ASSERT_EQ(b.Play({x, y}, colour), expect);
            if (expect != MoveResult::Played) {
                kos += expect == MoveResult::Ko;
                suicides += expect == MoveResult::Suicide;
                occupied += expect == MoveResult::Occupied;
                ASSERT_TRUE(b.Captured().empty());
                continue;
            }
            captures += taken > 0;
            std::vector<Point> gone;  // column by column, as Captured() gives them
            for (int px = 1; px <= n; ++px)
                for (int py = 1; py <= n; ++py)
                    if (was[px][py] != Stone::Empty && after[px][py] == Stone::Empty) gone.push_back({px, py});
            ASSERT_EQ(std::vector<Point>(b.Captured().begin(), b.Captured().end()), gone);
            if (taken == 1) retakeX = gone[0].x, retakeY = gone[0].y;
            beforeLast = was;
            lastWasStone = true;
            m.g = after;
            if (taken == 1) {
                ASSERT_EQ(b.Ko(), (Point{x, y}));
            } else {
                ASSERT_EQ(b.Ko(), kNoPoint);
            }
            ExpectConsistent(b, m, step);
            if (::testing::Test::HasFatalFailure()) return;
        }
    }
    // The games must have exercised every branch, or the comparison proves little.
    EXPECT_GT(kos, 5);
    EXPECT_GT(captures, 100);
    EXPECT_GT(suicides, 20);
    EXPECT_GT(occupied, 100);
}

// Stones taken off one at a time, as a setup that empties points does, in the middle of random
// games that then go on: the chains that break apart, the liberties the neighbours gain and the
// chain count must stay those of the model for every later move too.
TEST(RulesProperty, StonesTakenOffMidGameKeepTheChainsExact) {
    std::mt19937 rng(8122026);
    int removed = 0, splits = 0;
    for (int game = 0; game < 24; ++game) {
        const int n = game % 2 == 0 ? 19 : 9;
        Board b(n);
        Model m;
        m.n = n;
        std::uniform_int_distribution<int> coord(1, n);
        for (int step = 0; step < n * n * 2 && b.MoveNumber() <= 800; ++step) {
            const int x = coord(rng), y = coord(rng);
            if (rng() % 5 == 0) {
                const Stone toMove = b.ToMove();
                const int number = b.MoveNumber();
                const int chainsBefore = b.ChainCount();
                const bool stone = m.g[x][y] != Stone::Empty;
                ASSERT_EQ(b.RemoveStone({x, y}), stone);
                ASSERT_TRUE(b.Captured().empty());
                ASSERT_EQ(b.ToMove(), toMove);
                ASSERT_EQ(b.MoveNumber(), number);
                if (!stone) continue;
                ASSERT_EQ(b.Ko(), kNoPoint);
                m.g[x][y] = Stone::Empty;
                ++removed;
                splits += b.ChainCount() > chainsBefore;
                ExpectConsistent(b, m, step);
                if (::testing::Test::HasFatalFailure()) return;
                continue;
            }
            if (m.g[x][y] != Stone::Empty) continue;
            const Stone colour = b.ToMove();
            Grid after{};
            if (m.Play(x, y, colour, after) < 0) continue;
            if (b.Check({x, y}, colour) != MoveResult::Played) continue;  // a ko or a full board
            ASSERT_EQ(b.Play({x, y}, colour), MoveResult::Played);
            m.g = after;
            ExpectConsistent(b, m, step);
            if (::testing::Test::HasFatalFailure()) return;
        }
    }
    EXPECT_GT(removed, 500);
    EXPECT_GT(splits, 20);
}

}  // namespace
}  // namespace senvola::go
