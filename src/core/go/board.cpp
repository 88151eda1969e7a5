// The board's rules move by move: chains kept as rings with their liberties at the head.
#include "go/board.h"

#include <algorithm>
#include <bitset>
#include <cstdlib>

namespace senvola::go {

namespace {

// Adds h to a list of at most four chain heads unless it is there already.
bool AddOnce(int* heads, int& count, int h) {
    for (int k = 0; k < count; ++k) {
        if (heads[k] == h) return false;
    }
    heads[count++] = h;
    return true;
}

}  // namespace

Board::Board(int size) : size_(std::clamp(size, 0, kMaxSize)) {
    stones_.fill(kOffBoard);
    for (int x = 1; x <= size_; ++x) {
        for (int y = 1; y <= size_; ++y) stones_[IndexOf({x, y})] = Stone::Empty;
    }
}

void Board::SetToMove(Stone colour) { toMove_ = colour; }

// ---- Judging a move -----------------------------------------------------------------------------

MoveResult Board::Check(Point p, Stone colour) const {
    if (!OnBoard(p)) return MoveResult::Occupied;
    return CheckAt(IndexOf(p), colour);
}

MoveResult Board::CheckAt(int i, Stone colour) const {
    if (stones_[i] != Stone::Empty) return MoveResult::Occupied;
    const Stone own = colour, opp = Opponent(colour);
    bool emptyNeighbour = false;
    for (int d : kNeighbour) emptyNeighbour = emptyNeighbour || stones_[i + d] == Stone::Empty;
    if (!emptyNeighbour) {
        // The stone lives if it joins an own chain that keeps a liberty or takes an opponent
        // chain whose last liberty it fills.
        bool suicide = true;
        for (int d : kNeighbour) {
            const Stone v = stones_[i + d];
            const int libs = LibertiesAt(i + d);
            if (v == own && libs > 1) suicide = false;
            if (v == opp && libs <= 1) suicide = false;
        }
        if (suicide) return MoveResult::Suicide;

        // Ko: the point next to the stone that has just taken one stone, closed in by that
        // colour, where the taker stands alone with this point as its one liberty and no other
        // neighbour would be taken with it. (The last condition never holds in a position
        // reached by play: such a neighbour would have been taken already.)
        bool ko = ko_ != kNoPoint;
        if (ko) {
            const Point p = PointOf(i);
            ko = std::abs(ko_.x - p.x) + std::abs(ko_.y - p.y) == 1;
        }
        if (ko) {
            const int k = IndexOf(ko_);
            for (int d : kNeighbour) {
                const Stone v = stones_[i + d];
                if (v == Stone::Empty || v == own) ko = false;
                if (stones_[k + d] == opp) ko = false;
            }
            if (LibertiesAt(k) != 1) ko = false;
            for (int d : kNeighbour) {
                const int n = i + d;
                if (n != k && stones_[n] == opp && LibertiesAt(n) == 1) ko = false;
            }
        }
        if (ko) return MoveResult::Ko;
    }
    if (chainCount_ >= kMaxChains) return MoveResult::ChainLimit;
    return MoveResult::Played;
}

// ---- Playing --------------------------------------------------------------------------------

MoveResult Board::Play(Point p, Stone colour) { return PlaceStone(p, colour, true); }

MoveResult Board::PlaceSetupStone(Point p, Stone colour) { return PlaceStone(p, colour, false); }

void Board::Pass() {
    capturedCount_ = 0;
    ko_ = kNoPoint;
    toMove_ = Opponent(toMove_);
    ++moveNumber_;
}

MoveResult Board::PlaceStone(Point p, Stone colour, bool countMove) {
    capturedCount_ = 0;
    const MoveResult result = Check(p, colour);
    if (result != MoveResult::Played) return result;

    const int i = IndexOf(p);
    stones_[i] = colour;
    head_[i] = static_cast<uint16_t>(i);
    next_[i] = static_cast<uint16_t>(i);
    chainSize_[i] = 1;
    int libs = 0;
    for (int d : kNeighbour) libs += stones_[i + d] == Stone::Empty;
    liberties_[i] = static_cast<uint16_t>(libs);
    ++chainCount_;

    // Every chain next to the stone loses the point as a liberty, once.
    int friends[4], enemies[4];
    int friendCount = 0, enemyCount = 0;
    for (int d : kNeighbour) {
        const int n = i + d;
        if (!IsStone(n)) continue;
        const int h = head_[n];
        const bool added = stones_[n] == colour ? AddOnce(friends, friendCount, h) : AddOnce(enemies, enemyCount, h);
        if (added) --liberties_[h];
    }
    if (friendCount > 0) JoinChains(i, friends, friendCount);
    for (int k = 0; k < enemyCount; ++k) {
        if (liberties_[enemies[k]] == 0) RemoveChain(enemies[k], colour);
    }
    if (capturedCount_ > 1) {
        std::sort(captured_.begin(), captured_.begin() + capturedCount_,
                  [](Point a, Point b) { return a.x != b.x ? a.x < b.x : a.y < b.y; });
    }

    if (capturedCount_ == 1) {
        ko_ = p;
        lastKo_ = p;
    } else {
        ko_ = kNoPoint;
    }
    toMove_ = Opponent(colour);
    if (countMove) ++moveNumber_;
    return MoveResult::Played;
}

// The new stone and the friendly chains beside it become one chain under the largest of them,
// so the fewest stones are relabelled. Its liberties are the largest chain's (already without
// the new stone's point) plus the empty points next to the other parts that it does not touch.
void Board::JoinChains(int stone, const int* friends, int count) {
    int big = friends[0];
    for (int k = 1; k < count; ++k) {
        if (chainSize_[friends[k]] > chainSize_[big]) big = friends[k];
    }
    auto touchesBig = [&](int e) {
        for (int d : kNeighbour) {
            if (IsStone(e + d) && head_[e + d] == big) return true;
        }
        return false;
    };
    std::bitset<kCells> seen;
    int extra = 0;
    auto countLiberties = [&](int h) {
        int s = h;
        do {
            for (int d : kNeighbour) {
                const int e = s + d;
                if (stones_[e] != Stone::Empty || seen[static_cast<std::size_t>(e)]) continue;
                seen[static_cast<std::size_t>(e)] = true;
                if (!touchesBig(e)) ++extra;
            }
            s = next_[s];
        } while (s != h);
    };
    auto absorb = [&](int h) {
        int s = h;
        do {
            head_[s] = static_cast<uint16_t>(big);
            s = next_[s];
        } while (s != h);
        std::swap(next_[big], next_[h]);  // splices the two rings into one
        chainSize_[big] = static_cast<uint16_t>(chainSize_[big] + chainSize_[h]);
        --chainCount_;
    };

    countLiberties(stone);
    for (int k = 0; k < count; ++k) {
        if (friends[k] != big) countLiberties(friends[k]);
    }
    absorb(stone);
    for (int k = 0; k < count; ++k) {
        if (friends[k] != big) absorb(friends[k]);
    }
    liberties_[big] = static_cast<uint16_t>(liberties_[big] + extra);
}

// Takes the chain off; each of its points becomes a liberty of every capturer's chain beside it.
void Board::RemoveChain(int head, Stone capturer) {
    int s = head;
    do {
        stones_[s] = Stone::Empty;
        captured_[static_cast<std::size_t>(capturedCount_++)] = PointOf(s);
        int gained[4];
        int gainedCount = 0;
        for (int d : kNeighbour) {
            const int n = s + d;
            if (stones_[n] == capturer && AddOnce(gained, gainedCount, head_[n])) ++liberties_[head_[n]];
        }
        s = next_[s];
    } while (s != head);
    --chainCount_;
}

// ---- Setup ----------------------------------------------------------------------------------

bool Board::RemoveStone(Point p) {
    capturedCount_ = 0;
    if (!OnBoard(p) || !IsStone(IndexOf(p))) return false;
    const int i = IndexOf(p);
    const Stone colour = stones_[i];
    stones_[i] = Stone::Empty;
    --chainCount_;
    int gained[4];
    int gainedCount = 0;
    for (int d : kNeighbour) {
        const int n = i + d;
        if (IsStone(n) && stones_[n] != colour && AddOnce(gained, gainedCount, head_[n])) ++liberties_[head_[n]];
    }
    // The chain may fall apart at p: each own neighbour not yet reached from an earlier one
    // starts a chain of its own. Heads cannot tell the parts apart here, since they are stale
    // until relabelled, so the walk marks what it reaches.
    std::bitset<kCells> reached;
    for (int d : kNeighbour) {
        const int n = i + d;
        if (stones_[n] != colour || reached[static_cast<std::size_t>(n)]) continue;
        RebuildChain(n, reached);
        ++chainCount_;
    }
    ko_ = kNoPoint;
    return true;
}

// Relabels every stone connected to `start` as one chain headed by it, counting its liberties
// and size afresh.
void Board::RebuildChain(int start, std::bitset<kCells>& reached) {
    const Stone colour = stones_[start];
    std::array<uint16_t, kMaxSize * kMaxSize> pending;
    std::bitset<kCells> liberty;
    int count = 0, size = 0, libs = 0;
    pending[static_cast<std::size_t>(count++)] = static_cast<uint16_t>(start);
    reached[static_cast<std::size_t>(start)] = true;
    head_[start] = static_cast<uint16_t>(start);
    next_[start] = static_cast<uint16_t>(start);
    while (count > 0) {
        const int s = pending[static_cast<std::size_t>(--count)];
        ++size;
        for (int d : kNeighbour) {
            const int n = s + d;
            const auto un = static_cast<std::size_t>(n);
            if (stones_[n] == Stone::Empty && !liberty[un]) {
                liberty[un] = true;
                ++libs;
            } else if (stones_[n] == colour && !reached[un]) {
                reached[un] = true;
                pending[static_cast<std::size_t>(count++)] = static_cast<uint16_t>(n);
                head_[n] = static_cast<uint16_t>(start);
                next_[n] = next_[start];  // into the ring right after the head
                next_[start] = static_cast<uint16_t>(n);
            }
        }
    }
    liberties_[start] = static_cast<uint16_t>(libs);
    chainSize_[start] = static_cast<uint16_t>(size);
}

// ---- Chains ---------------------------------------------------------------------------------

int Board::Liberties(Point p) const { return OnBoard(p) ? LibertiesAt(IndexOf(p)) : 0; }

bool Board::SameChain(Point a, Point b) const {
    if (!OnBoard(a) || !OnBoard(b)) return false;
    const int i = IndexOf(a), j = IndexOf(b);
    return IsStone(i) && IsStone(j) && head_[i] == head_[j];
}

}  // namespace senvola::go
