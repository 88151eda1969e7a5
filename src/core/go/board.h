// The Go board: stones, chains, liberties, captures, suicide and ko. A copyable value that knows
// the rules and nothing else: it never draws, never writes a game record, holds no random state.
//
// Chains are kept up to date move by move (each stone names its chain's head, the stones of a
// chain form a ring, the head holds the exact liberty count), so a move costs a few dozen steps
// instead of scans of the whole board. The answers are those of the plain rules with two
// limits of the screensaver's own: at most 250 chains on the board, and ko judged from the last
// move alone (a single stone retaken at once), never by repetition of older positions.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <span>

namespace senvola::go {

// ---- Stones and points ----------------------------------------------------------------------

// What stands on a point. Black and White also name the players.
enum class Stone : uint8_t { Empty, Black, White };

// The other player. colour must be Black or White.
constexpr Stone Opponent(Stone colour) { return colour == Stone::Black ? Stone::White : Stone::Black; }

// A point by column x (1 = leftmost) and row y (1 = topmost).
struct Point {
    int x = 0;
    int y = 0;
    friend constexpr bool operator==(Point, Point) = default;
};

// No point at all: x = 0 is never on a board.
inline constexpr Point kNoPoint{};

// What Play made of a move.
enum class MoveResult : uint8_t {
    Played,
    Occupied,    // a stone stands there, or the point lies off the board
    Suicide,     // the stone would be left without a liberty and takes nothing
    Ko,          // it would retake the single stone that has just taken one
    ChainLimit,  // the board already holds 250 chains; refused even if the stone would only join
                 // or capture chains
};

class Board {
public:
    static constexpr int kMaxSize = 19;
    static constexpr int kMaxChains = 250;

    // ---- Starting ----------------------------------------------------------------------------

    // An empty board of size x size points, Black to move, move 1, no ko. size is clamped to
    // 0..19; at 0 every point lies off the board.
    explicit Board(int size = kMaxSize);

    // Hands the move to colour (Black or White) without playing. Leaves the ko point alone.
    void SetToMove(Stone colour);

    // ---- Moves -------------------------------------------------------------------------------

    // What Play(p, colour) would answer, changing nothing. colour is Black or White; p may be
    // anywhere, on the board or not.
    MoveResult Check(Point p, Stone colour) const;

    // Plays colour at p if Check allows: takes off the opponent chains left without liberties,
    // makes p the ko point if exactly one stone was taken (else clears it), gives the move to the
    // opponent and counts the move. A refused move changes nothing but Captured().
    MoveResult Play(Point p, Stone colour);

    // Play for a handicap or setup stone: the same rules, captures and ko, but no move number.
    MoveResult PlaceSetupStone(Point p, Stone colour);

    // A pass: clears the ko point, gives the move to the opponent, counts the move.
    void Pass();

    // Takes the stone at p off, as a setup that empties the point does: what is left of its
    // chain falls into the chains that still hang together, the chains beside p gain it as a
    // liberty, and the ko point is cleared. It captures nothing, counts no move and leaves the
    // turn alone. False, changing nothing but Captured(), when p holds no stone.
    bool RemoveStone(Point p);

    // Forgets the ko point: a position set by hand has no retake to forbid.
    void ClearKo() { ko_ = kNoPoint; }

    // ---- The position ------------------------------------------------------------------------

    int Size() const { return size_; }
    bool OnBoard(Point p) const { return p.x >= 1 && p.y >= 1 && p.x <= size_ && p.y <= size_; }
    // The stone at p; Empty off the board.
    Stone At(Point p) const { return OnBoard(p) ? stones_[IndexOf(p)] : Stone::Empty; }
    Stone ToMove() const { return toMove_; }
    // Number of the next move, from 1. Setup stones take none.
    int MoveNumber() const { return moveNumber_; }
    // The stone just played if it took exactly one stone, else kNoPoint. Retaking that stone at
    // once is refused as Ko when the stone stands alone with one liberty and the retake would
    // take nothing else.
    Point Ko() const { return ko_; }
    // The latest point that Ko() named, still given after the ko has gone; kNoPoint before the
    // first. Only reports need it.
    Point LastKo() const { return lastKo_; }
    // The points the last Play or PlaceSetupStone took off, column by column (x, then y); empty
    // after Pass, RemoveStone or a refused move. Valid until the board next changes.
    std::span<const Point> Captured() const { return {captured_.data(), static_cast<std::size_t>(capturedCount_)}; }

    // ---- Chains ------------------------------------------------------------------------------

    // Distinct empty points next to the chain through p; 0 when p holds no stone.
    int Liberties(Point p) const;
    // Whether a and b both hold stones of one chain.
    bool SameChain(Point a, Point b) const;
    // Chains on the board; at kMaxChains every further stone is refused.
    int ChainCount() const { return chainCount_; }

private:
    // Points are kept column by column with a frame one point wide on every side, so that each
    // board point has four neighbours to read and index order is the order x, then y.
    static constexpr int kStride = kMaxSize + 2;
    static constexpr int kCells = kStride * kStride;
    // Neighbour order of every visit: left, up, right, down.
    static constexpr int kNeighbour[4] = {-kStride, -1, kStride, 1};
    // Frame points hold this fourth value; it never leaves the class (At() says Empty there).
    static constexpr Stone kOffBoard = static_cast<Stone>(3);

    static constexpr int IndexOf(Point p) { return p.x * kStride + p.y; }
    static constexpr Point PointOf(int i) { return {i / kStride, i % kStride}; }

    bool IsStone(int i) const { return stones_[i] == Stone::Black || stones_[i] == Stone::White; }
    int LibertiesAt(int i) const { return IsStone(i) ? liberties_[head_[i]] : 0; }
    MoveResult CheckAt(int i, Stone colour) const;
    MoveResult PlaceStone(Point p, Stone colour, bool countMove);
    void JoinChains(int stone, const int* friends, int count);
    void RemoveChain(int head, Stone capturer);
    void RebuildChain(int start, std::bitset<kCells>& reached);

    // ---- Data --------------------------------------------------------------------------------

    std::array<Stone, kCells> stones_{};
    // For a stone: the head of its chain, and the next stone of the chain's ring. Stale
    // elsewhere.
    std::array<uint16_t, kCells> head_{};
    std::array<uint16_t, kCells> next_{};
    // For a chain's head: its liberties and its number of stones. Stale elsewhere.
    std::array<uint16_t, kCells> liberties_{};
    std::array<uint16_t, kCells> chainSize_{};
    std::array<Point, kMaxSize * kMaxSize> captured_{};
    int capturedCount_ = 0;
    int size_ = 0;
    int chainCount_ = 0;
    int moveNumber_ = 1;
    Stone toMove_ = Stone::Black;
    Point ko_{};
    Point lastKo_{};
};

}  // namespace senvola::go
