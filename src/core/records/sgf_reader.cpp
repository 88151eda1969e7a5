// A single-pass character scanner, not a tree parser: what precedes the first "(;" is not read,
// properties are taken in file order from there, and interpretation ends at the first ")"
// outside a value, which closes the first line of play.
#include "records/sgf_reader.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "records/reader_support.h"
#include "text/charset.h"

namespace senvola {

namespace {

using reader_support::IsBoardSize;

// The properties the reader acts on; every other name is skipped with its value.
enum class Prop : uint8_t {
    kOther, kC, kGM, kSZ, kHA, kAB, kAW, kB, kW,
    kPB, kBR, kPW, kWR, kCP, kDT, kEV, kGN, kKM, kPC, kRE, kTM, kUS, kCA,
    kLB, kTR, kSQ, kCR, kMA, kAE,
};

constexpr uint16_t Key(char a, char b) {
    return static_cast<uint16_t>((static_cast<unsigned>(a) << 8) | static_cast<unsigned>(b));
}

// Bytes that end a run of plain value text: control characters (line breaks included), the
// closing bracket and the backslash, the only escapes of SGF. In a set of two-byte characters
// every byte past ASCII stops the run too, since it may lead a pair whose second half is "]"
// or "\\".
constexpr std::array<bool, 256> MakeSpecialTable(bool doubleByte) {
    std::array<bool, 256> t{};
    for (int c = 0; c < 32; ++c) t[c] = true;
    t[']'] = t['\\'] = true;
    if (doubleByte) {
        for (int c = 0x80; c < 256; ++c) t[c] = true;
    }
    return t;
}
constexpr std::array<bool, 256> kSpecial = MakeSpecialTable(false);
constexpr std::array<bool, 256> kSpecialDoubleByte = MakeSpecialTable(true);

bool IsBlank(unsigned char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Whether `c` can be the second byte of a pair begun by a lead byte of `charset`. Control
// characters never are; CP949 takes only letters and bytes past ASCII, so there "]" and "\\"
// after a lead byte keep their meaning.
bool IsTrailByte(text::Charset charset, unsigned char c) {
    if (c < 0x40) return false;
    if (charset == text::Charset::EucKr) return !(c >= 0x5B && c <= 0x60) && c != 0x7F;
    return true;
}

// The set a record declares with CA[], looked for in the first bytes of the file before they are
// scanned, so that the values before it are already read in that set: "CA[" beginning a
// property of the first node (right after its ";" or after a "]") before the next node, which
// is a ";" followed by a property name and "[". The bytes are not parsed for this: in a set of
// two-byte characters a "]" or "\\" inside an earlier value may be half a character, which a
// parse without the set would take for the end of the value.
std::optional<text::Charset> DeclaredInFirstBytes(std::string_view bytes) {
    auto skipBlanks = [&bytes](std::size_t k) {
        while (k < bytes.size() && IsBlank(static_cast<unsigned char>(bytes[k]))) ++k;
        return k;
    };
    std::size_t root = std::string_view::npos;
    for (std::size_t open = bytes.find('('); open != std::string_view::npos; open = bytes.find('(', open + 1)) {
        const std::size_t k = skipBlanks(open + 1);
        if (k < bytes.size() && bytes[k] == ';') {
            root = k;
            break;
        }
    }
    if (root == std::string_view::npos) return std::nullopt;
    std::size_t end = bytes.size();
    for (std::size_t at = bytes.find(';', root + 1); at != std::string_view::npos; at = bytes.find(';', at + 1)) {
        std::size_t k = skipBlanks(at + 1);
        const std::size_t name = k;
        while (k < bytes.size() && bytes[k] >= 'A' && bytes[k] <= 'Z') ++k;
        if (k > name && k < bytes.size() && bytes[k] == '[') {
            end = at;
            break;
        }
    }
    for (std::size_t at = bytes.find("CA[", root); at < end; at = bytes.find("CA[", at + 1)) {
        std::size_t before = at;
        while (IsBlank(static_cast<unsigned char>(bytes[before - 1]))) --before;
        if (before - 1 != root && bytes[before - 1] != ']') continue;
        const std::size_t close = bytes.find(']', at + 3);
        if (close == std::string_view::npos) return std::nullopt;
        if (const auto charset = text::CharsetFromName(bytes.substr(at + 3, close - at - 3))) return charset;
    }
    return std::nullopt;
}

// Whole number as written: optional sign, then decimal digits, within 32 bits.
bool ParseWholeNumber(const std::string& s, int32_t& out) {
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    if (i == s.size()) return false;
    int64_t v = 0;
    const int64_t limit = negative ? int64_t{std::numeric_limits<int32_t>::max()} + 1
                                   : int64_t{std::numeric_limits<int32_t>::max()};
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
        if (v > limit) return false;
    }
    out = static_cast<int32_t>(negative ? -v : v);
    return true;
}

class SgfScanner {
public:
    explicit SgfScanner(GameRecord& game) : game_(game) {}

    // Reads two-byte characters of `charset` from here on.
    void UseCharset(text::Charset charset) {
        charset_ = charset;
        doubleByte_ = charset != text::Charset::Utf8 && text::IsDoubleByteLead(charset, 0x81);
    }

    // Scans one chunk of the file; false once nothing more will be interpreted.
    bool Feed(const unsigned char* p, std::size_t n);

    ReadError Error() const { return error_; }
    bool IsGo() const { return isGo_; }
    int MoveCount() const { return moveCount_; }
    // A "(" followed by ";" was found: the file holds a game.
    bool GameFound() const { return gameStarted_; }
    // The set the root node's CA[] names, when it names one known here.
    std::optional<text::Charset> RootCharset() const { return rootCharset_; }

private:
    // Takes bytes up to the first "(;"; returns where the game begins, or n.
    std::size_t SkipToGame(const unsigned char* p, std::size_t n);
    void AppendByte(unsigned char c);
    Prop Classify() const;
    void BeginValue();
    void EndValue();
    void AppendEscaped(unsigned char c);
    void ProcessProperty();
    void ReadHandicap();
    void AddSetupStone(bool black);
    void AddSetupChanges(go::Stone colour);
    void PlayMove(bool black);
    void StoreMove(uint8_t x, uint8_t y);
    void AddMarks(MarkKind kind);
    void AddMark(MarkKind kind, int x, int y, std::string_view label = {});

    GameRecord& game_;

    ReadError error_ = ReadError::None;
    bool isGo_ = true;
    bool outsideValue_ = true;
    bool nameStart_ = true;
    bool blackToPlay_ = true;
    bool escapePending_ = false;
    bool gameStarted_ = false;
    bool openSeen_ = false;   // before the game: a "(" waiting for its ";"
    bool inRoot_ = true;      // no node after the first one begun yet
    bool afterLead_ = false;  // the last byte of the value led a two-byte character
    bool doubleByte_ = false;
    text::Charset charset_ = text::Charset::Utf8;
    std::optional<text::Charset> rootCharset_;
    int moveCount_ = 0;  // keeps counting past the 800 stored slots

    // Property name by its capitals; only names of one or two letters are ever acted on,
    // so a longer one is remembered just as "too long".
    char name_[2] = {0, 0};
    int nameLength_ = 0;  // 0, 1, 2, or 3 for "longer"

    Prop prop_ = Prop::kOther;
    bool collect_ = false;       // the value matters to the current property
    bool keepControls_ = false;  // only comments keep characters below 32
    std::string value_;
};

Prop SgfScanner::Classify() const {
    if (nameLength_ == 1) {
        switch (name_[0]) {
            case 'C': return Prop::kC;
            case 'B': return Prop::kB;
            case 'W': return Prop::kW;
            default: return Prop::kOther;
        }
    }
    if (nameLength_ != 2) return Prop::kOther;
    switch (Key(name_[0], name_[1])) {
        case Key('G', 'M'): return Prop::kGM;
        case Key('S', 'Z'): return Prop::kSZ;
        case Key('H', 'A'): return Prop::kHA;
        case Key('A', 'B'): return Prop::kAB;
        case Key('A', 'W'): return Prop::kAW;
        case Key('P', 'B'): return Prop::kPB;
        case Key('B', 'R'): return Prop::kBR;
        case Key('P', 'W'): return Prop::kPW;
        case Key('W', 'R'): return Prop::kWR;
        case Key('C', 'P'): return Prop::kCP;
        case Key('D', 'T'): return Prop::kDT;
        case Key('E', 'V'): return Prop::kEV;
        case Key('G', 'N'): return Prop::kGN;
        case Key('K', 'M'): return Prop::kKM;
        case Key('P', 'C'): return Prop::kPC;
        case Key('R', 'E'): return Prop::kRE;
        case Key('T', 'M'): return Prop::kTM;
        case Key('U', 'S'): return Prop::kUS;
        case Key('C', 'A'): return Prop::kCA;
        case Key('L', 'B'): return Prop::kLB;
        case Key('T', 'R'): return Prop::kTR;
        case Key('S', 'Q'): return Prop::kSQ;
        case Key('C', 'R'): return Prop::kCR;
        case Key('M', 'A'): return Prop::kMA;
        case Key('A', 'E'): return Prop::kAE;
        default: return Prop::kOther;
    }
}

void SgfScanner::BeginValue() {
    outsideValue_ = false;
    nameStart_ = false;
    prop_ = Classify();
    collect_ = prop_ != Prop::kOther;
    keepControls_ = prop_ == Prop::kC;
}

// "]" completes a value, and a stray "]" between values completes an empty one.
void SgfScanner::EndValue() {
    if (outsideValue_) prop_ = Classify();
    ProcessProperty();
    value_.clear();
    outsideValue_ = true;
    nameStart_ = true;
    collect_ = false;
}

void SgfScanner::AppendEscaped(unsigned char c) {
    if (doubleByte_ && text::IsDoubleByteLead(charset_, c)) afterLead_ = true;
    if (!collect_) return;
    if (c < 32 && !keepControls_) return;
    value_.push_back(static_cast<char>(c));
}

void SgfScanner::AppendByte(unsigned char c) {
    if (collect_) value_.push_back(static_cast<char>(c));
}

std::size_t SgfScanner::SkipToGame(const unsigned char* p, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char c = p[i];
        if (c == '(') {
            openSeen_ = true;
        } else if (c == ';' && openSeen_) {
            gameStarted_ = true;
            return i + 1;
        } else if (!IsBlank(c)) {
            openSeen_ = false;
        }
    }
    return n;
}

bool SgfScanner::Feed(const unsigned char* p, std::size_t n) {
    std::size_t i = 0;
    if (!gameStarted_) {
        i = SkipToGame(p, n);
        if (!gameStarted_) return true;
    }
    if (escapePending_ && i < n) {
        escapePending_ = false;
        AppendEscaped(p[i++]);
    }
    const std::array<bool, 256>& special = doubleByte_ ? kSpecialDoubleByte : kSpecial;
    while (i < n) {
        if (afterLead_) {
            afterLead_ = false;
            if (!outsideValue_ && IsTrailByte(charset_, p[i])) {
                AppendByte(p[i++]);
                continue;
            }
        }
        if (outsideValue_) {
            const unsigned char c = p[i++];
            if (c >= 'A' && c <= 'Z') {
                if (nameStart_) {
                    name_[0] = static_cast<char>(c);
                    nameLength_ = 1;
                    nameStart_ = false;
                } else if (nameLength_ < 2) {
                    name_[nameLength_++] = static_cast<char>(c);
                } else {
                    nameLength_ = 3;
                }
                continue;
            }
            switch (c) {
                case ')':
                    return false;  // the first line of play is over; the rest is never read
                case ';':
                case '(':
                    inRoot_ = false;
                    break;
                case '[':
                    BeginValue();
                    break;
                case ']':
                    EndValue();
                    if (error_ != ReadError::None) return false;
                    break;
                default:
                    break;  // small letters, ";", blanks, digits, "(" and controls
            }
            continue;
        }
        // Inside a value: copy plain text in runs.
        const std::size_t start = i;
        while (i < n && !special[p[i]]) ++i;
        if (collect_ && i > start) value_.append(reinterpret_cast<const char*>(p + start), i - start);
        if (i == n) break;
        const unsigned char c = p[i++];
        if (c >= 0x80) {  // only in a set of two-byte characters
            AppendByte(c);
            afterLead_ = text::IsDoubleByteLead(charset_, c);
            continue;
        }
        if (c < 32) {
            if ((c == '\r' || c == '\n') && collect_ && keepControls_) {
                value_.push_back(static_cast<char>(c));
            }
            continue;
        }
        switch (c) {
            case ']':
                EndValue();
                if (error_ != ReadError::None) return false;
                // A CA[] read just now changes how the values after it are read.
                if (doubleByte_ != (&special == &kSpecialDoubleByte)) return Feed(p + i, n - i);
                break;
            case '\\':
                if (i < n) {
                    AppendEscaped(p[i++]);
                } else {
                    escapePending_ = true;
                }
                break;
            default:
                break;
        }
    }
    return true;
}

void SgfScanner::StoreMove(uint8_t x, uint8_t y) {
    ++moveCount_;
    if (moveCount_ <= kMaxMoves) {
        game_.MoveX[moveCount_] = x;
        game_.MoveY[moveCount_] = y;
    }
}

void SgfScanner::ProcessProperty() {
    switch (prop_) {
        case Prop::kGM:
            isGo_ = !(value_ == "2" || value_ == "3" || value_ == "4");
            break;
        case Prop::kC:
            if (value_.size() >= 2 && value_[0] == '\r' && value_[1] == '\n') value_.erase(0, 2);
            if (moveCount_ <= kMaxMoves) {
                // Moved, not copied: a long comment is held once, not twice, while it is read.
                game_.Comments[moveCount_] = std::move(value_);
                game_.HasComments = true;
            }
            break;
        case Prop::kPB: game_.BlackName = value_; break;
        case Prop::kBR: game_.BlackRank = value_; break;
        case Prop::kPW: game_.WhiteName = value_; break;
        case Prop::kWR: game_.WhiteRank = value_; break;
        case Prop::kCP: game_.Copyright = value_; break;
        case Prop::kDT: game_.Date = value_; break;
        case Prop::kEV: game_.Event = value_; break;
        case Prop::kGN: game_.GameName = value_; break;
        case Prop::kKM: game_.Komi = value_; break;
        case Prop::kPC: game_.Place = value_; break;
        case Prop::kRE: game_.Result = value_; break;
        case Prop::kTM: game_.TimeLimit = value_; break;
        case Prop::kUS: game_.User = value_; break;
        case Prop::kCA:
            // Only the root node's declaration counts, and only the first of it.
            if (inRoot_ && !rootCharset_) {
                rootCharset_ = text::CharsetFromName(value_);
                if (rootCharset_) UseCharset(*rootCharset_);
            }
            break;
        case Prop::kSZ: {
            int32_t size = 0;
            if (ParseWholeNumber(value_, size)) {
                game_.BoardSize = size;
            } else {
                error_ = ReadError::BadBoardSize;
            }
            break;
        }
        case Prop::kHA:
            ReadHandicap();
            break;
        case Prop::kAB:
        case Prop::kAW:
            if (moveCount_ > 0) {
                AddSetupChanges(prop_ == Prop::kAB ? go::Stone::Black : go::Stone::White);
            } else {
                AddSetupStone(prop_ == Prop::kAB);
            }
            break;
        case Prop::kAE:
            AddSetupChanges(go::Stone::Empty);
            break;
        case Prop::kB:
        case Prop::kW:
            PlayMove(prop_ == Prop::kB);
            break;
        case Prop::kLB: AddMarks(MarkKind::Label); break;
        case Prop::kTR: AddMarks(MarkKind::Triangle); break;
        case Prop::kSQ: AddMarks(MarkKind::Square); break;
        case Prop::kCR: AddMarks(MarkKind::Circle); break;
        case Prop::kMA: AddMarks(MarkKind::Cross); break;
        case Prop::kOther:
            break;
    }
}

// A mark is decoration: one the board cannot show is left out, and never refuses the game.
void SgfScanner::AddMarks(MarkKind kind) {
    auto coord = [](char c) { return (c >= 'a' && c <= 'z') ? c - 'a' + 1 : (c >= 'A' && c <= 'Z') ? c - 'A' + 27 : 0; };
    if (value_.size() < 2) return;
    const int x = coord(value_[0]), y = coord(value_[1]);
    if (kind == MarkKind::Label) {
        if (value_.size() >= 4 && value_[2] == ':') AddMark(kind, x, y, std::string_view(value_).substr(3));
        return;
    }
    if (value_.size() == 2) {
        AddMark(kind, x, y);
    } else if (value_.size() == 5 && value_[2] == ':') {
        // A rectangle of points, as FF[4] compresses lists: corner to corner.
        const int x2 = coord(value_[3]), y2 = coord(value_[4]);
        for (int j = std::min(y, y2); j <= std::max(y, y2); ++j) {
            for (int i = std::min(x, x2); i <= std::max(x, x2); ++i) AddMark(kind, i, j);
        }
    }
}

void SgfScanner::AddMark(MarkKind kind, int x, int y, std::string_view label) {
    if (moveCount_ > kMaxMoves || game_.Marks.size() >= kMaxBoardMarks) return;
    // The board size may still change after the marks (it is checked again by the replay), but
    // no board is larger than 19 lines.
    if (x < 1 || y < 1 || x > go::Board::kMaxSize || y > go::Board::kMaxSize) return;
    BoardMark m;
    m.Move = static_cast<uint16_t>(moveCount_);
    m.Kind = kind;
    m.x = static_cast<uint8_t>(x);
    m.y = static_cast<uint8_t>(y);
    // Whole bytes of the start of the label; DecodeTexts trims it to whole characters.
    const std::size_t n = std::min(label.size(), kMaxLabelBytes);
    std::copy_n(label.data(), n, m.Label.data());
    m.LabelLength = static_cast<uint8_t>(n);
    game_.Marks.push_back(m);
}

void SgfScanner::ReadHandicap() {
    if (value_.empty()) return;
    bool anyDigit = false;
    bool tooLong = false;
    int64_t number = 0;
    for (const char c : value_) {
        if (c < '0' || c > '9') continue;
        anyDigit = true;
        if (!tooLong) {
            number = number * 10 + (c - '0');
            if (number > std::numeric_limits<int32_t>::max()) tooLong = true;
        }
    }
    if (!anyDigit) return;
    if (tooLong) {
        // No number could be read, so there is nothing to store.
        error_ = ReadError::BadHandicapOrSetup;
        return;
    }
    game_.Handicap = static_cast<uint8_t>(number % 256);
    if (game_.Handicap == 0) game_.Handicap = 1;
    if (game_.Handicap >= 246 && game_.Handicap <= 254) error_ = ReadError::BadHandicapOrSetup;
}

void SgfScanner::AddSetupStone(bool black) {
    if (value_.size() != 2 || moveCount_ != 0 || !IsBoardSize(game_.BoardSize)) {
        error_ = ReadError::BadHandicapOrSetup;
        return;
    }
    auto upper = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; };
    const char column = upper(value_[0]);
    const char row = upper(value_[1]);
    const int x = static_cast<unsigned char>(column) - 64;
    const int y = static_cast<unsigned char>(row) - 64;
    if (x < 1 || x > game_.BoardSize || y < 1 || y > game_.BoardSize) error_ = ReadError::BadHandicapOrSetup;
    game_.Setup.push_back(
        {black ? go::Stone::Black : go::Stone::White, static_cast<uint8_t>(x), static_cast<uint8_t>(y)});
}

// Setup during the game changes the position the moves go on from; a point no board has is left
// out rather than refusing a game whose moves are all sound.
void SgfScanner::AddSetupChanges(go::Stone colour) {
    auto coord = [](char c) { return (c >= 'a' && c <= 'z') ? c - 'a' + 1 : (c >= 'A' && c <= 'Z') ? c - 'A' + 1 : 0; };
    int x = 0, y = 0, x2 = 0, y2 = 0;
    if (value_.size() == 2) {
        x = x2 = coord(value_[0]);
        y = y2 = coord(value_[1]);
    } else if (value_.size() == 5 && value_[2] == ':') {
        x = coord(value_[0]);
        y = coord(value_[1]);
        x2 = coord(value_[3]);
        y2 = coord(value_[4]);
    } else {
        return;
    }
    if (moveCount_ > kMaxMoves) return;
    auto on = [this](int v) { return v >= 1 && v <= game_.BoardSize; };
    if (!on(x) || !on(y) || !on(x2) || !on(y2)) return;
    for (int i = std::min(x, x2); i <= std::max(x, x2); ++i) {
        for (int j = std::min(y, y2); j <= std::max(y, y2); ++j) {
            if (game_.InGameSetup.size() >= kMaxSetupChanges) return;
            game_.InGameSetup.push_back(
                {static_cast<uint16_t>(moveCount_), colour, static_cast<uint8_t>(i), static_cast<uint8_t>(j)});
        }
    }
}

void SgfScanner::PlayMove(bool black) {
    // Colours alternate strictly in the record, so a missing turn becomes a pass.
    if (black && !blackToPlay_) {
        StoreMove(kPassCoord, kPassCoord);
        blackToPlay_ = true;
    } else if (!black && blackToPlay_ && moveCount_ > 0) {
        StoreMove(kPassCoord, kPassCoord);
        blackToPlay_ = false;
    }
    // An empty value is how current files write a pass; "tt" is the older form.
    const bool pass =
        value_.empty() || (value_.size() == 2 && value_[0] == 't' && value_[1] == 't');
    if ((!pass && value_.size() != 2) || !IsBoardSize(game_.BoardSize)) {
        error_ = ReadError::BadMove;
        return;
    }
    if (pass) {
        StoreMove(kPassCoord, kPassCoord);
    } else {
        const int x = static_cast<unsigned char>(value_[0]) - 96;
        const int y = static_cast<unsigned char>(value_[1]) - 96;
        StoreMove(static_cast<uint8_t>(x), static_cast<uint8_t>(y));
        if (x < 1 || x > game_.BoardSize || y < 1 || y > game_.BoardSize) error_ = ReadError::BadMove;
    }
    if (!black && moveCount_ == 1) game_.FirstToMove = go::Stone::White;
    blackToPlay_ = !black;
}

ReadError ReadSgf(std::istream* in, std::uint64_t limit, const std::string& path, GameRecord& game,
                  TraceSink* trace) {
    ClearGame(game);
    game.BoardSize = 19;
    bool openFailed = in == nullptr;
    SgfScanner scanner(game);
    std::optional<text::Charset> declared;

    if (!openFailed) {
        reader_support::ChunkedInput input(*in, limit);
        for (bool first = true;; first = false) {
            const std::string_view chunk = input.Next();
            if (first) {
                declared = DeclaredInFirstBytes(chunk);
                if (declared) scanner.UseCharset(*declared);
            }
            if (chunk.empty() ||
                !scanner.Feed(reinterpret_cast<const unsigned char*>(chunk.data()), chunk.size())) {
                break;
            }
        }
        // A read error or a file past the size limit: the file cannot be read.
        if (input.Failed()) openFailed = true;
    }

    ReadError error = scanner.Error();
    const ReadError late = reader_support::LateSizeError(game, scanner.MoveCount());
    if (late != ReadError::None) error = late;
    if (game.Handicap > 1 && game.Setup.size() != static_cast<std::size_t>(game.Handicap)) {
        error = ReadError::HandicapWithoutStones;
    }
    if (!scanner.GameFound()) error = ReadError::NoGame;
    if (openFailed) error = ReadError::Unreadable;
    if (!IsBoardSize(game.BoardSize)) error = ReadError::UnplayableBoardSize;
    if (!scanner.IsGo()) error = ReadError::NotGo;
    if (scanner.RootCharset()) declared = scanner.RootCharset();
    game.Charset = declared ? *declared : UndeclaredCharset(game);
    if (error != ReadError::None && trace != nullptr) {
        trace->Trace("Error loading .SGF file " + std::to_string(static_cast<int>(error)) + ": " + path);
    }
    return error;
}

}  // namespace

ReadError ReadSgfFile(const std::string& path, GameRecord& game, TraceSink* trace) {
    const std::unique_ptr<std::istream> file = reader_support::OpenGameFile(path);
    return ReadSgf(file.get(), reader_support::kMaxGameFileBytes, path, game, trace);
}

ReadError ReadSgfStream(std::istream& in, const std::string& path, GameRecord& game, TraceSink* trace) {
    return ReadSgf(&in, reader_support::kNoByteLimit, path, game, trace);
}

}  // namespace senvola
