// The ".GO" keyword format: one statement per line, the first word the keyword.
#include "records/go_reader.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "records/reader_support.h"

namespace senvola {

namespace {

// Text that USER blocks may copy into comment slots, over the whole file. Each block copies
// everything gathered so far, so a hostile file could otherwise make the copies grow with
// the square of its size; no real record comes near this.
constexpr std::size_t kUserCopyBudget = 64u * 1024 * 1024;

// Splits a stream into lines ending at LF, CR LF or a lone CR; a last line without an end
// still counts. Reads in chunks, so memory follows the longest line, not the file.
class LineReader {
public:
    LineReader(std::istream& in, std::uint64_t limit) : input_(in, limit) {}

    bool AtEnd() {
        Fill();
        return pos_ == chunk_.size();
    }

    // False on a read error or past the size limit.
    bool ReadLine(std::string& line) {
        line.clear();
        for (;;) {
            if (!Fill()) return !input_.Failed();
            const char* start = chunk_.data() + pos_;
            const std::size_t avail = chunk_.size() - pos_;
            std::size_t k = 0;
            while (k < avail && start[k] != '\n' && start[k] != '\r') ++k;
            line.append(start, k);
            pos_ += k;
            if (k == avail) continue;
            const char end = chunk_[pos_++];
            if (end == '\r' && Fill() && chunk_[pos_] == '\n') ++pos_;
            return true;
        }
    }

    // A read error or more bytes than the limit, met at any point so far.
    bool Failed() const { return input_.Failed(); }

private:
    // Makes at least one byte available; false at the end of the data or on an error.
    bool Fill() {
        if (pos_ < chunk_.size()) return true;
        chunk_ = input_.Next();
        pos_ = 0;
        return !chunk_.empty();
    }

    reader_support::ChunkedInput input_;
    std::string_view chunk_;
    std::size_t pos_ = 0;
};

bool IsBlank(char c) { return c == ' '; }

// Word n (1-based) of a line; words are separated by runs of spaces, so a line that starts
// with a space has an empty word 1.
std::string_view NthWord(std::string_view line, int n) {
    std::size_t i = 0;
    while (n > 1 && i < line.size()) {
        if (IsBlank(line[i])) {
            --n;
            while (i < line.size() && IsBlank(line[i])) ++i;
        } else {
            ++i;
        }
    }
    std::size_t j = i;
    while (j < line.size() && !IsBlank(line[j])) ++j;
    return line.substr(i, j - i);
}

// The word after the one ending at `end` (the index just past it); `end` moves past it too.
std::string_view NextWord(std::string_view line, std::size_t& end) {
    std::size_t i = end;
    while (i < line.size() && IsBlank(line[i])) ++i;
    std::size_t j = i;
    while (j < line.size() && !IsBlank(line[j])) ++j;
    end = j;
    return line.substr(i, j - i);
}

std::string_view Trim(std::string_view s) {
    std::size_t b = 0;
    std::size_t e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= 32) ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= 32) --e;
    return s.substr(b, e - b);
}

// Trimmed and in capitals (only a to z change), as every word is used.
std::string Argument(std::string_view word) {
    std::string s(Trim(word));
    for (char& c : s) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    }
    return s;
}

// A point is a capital letter and one or two digits; gives the letter and the number.
bool ParsePoint(const std::string& w, char& letter, int& number) {
    if (w.size() != 2 && w.size() != 3) return false;
    if (w[0] < 'A' || w[0] > 'Z') return false;
    number = 0;
    for (std::size_t i = 1; i < w.size(); ++i) {
        if (w[i] < '0' || w[i] > '9') return false;
        number = number * 10 + (w[i] - '0');
    }
    letter = w[0];
    return true;
}

class GoReader {
public:
    GoReader(GameRecord& game, const std::string& path, TraceSink* trace)
        : game_(game), path_(path), trace_(trace) {}

    ReadError Run(std::istream* in, std::uint64_t limit);

private:
    bool NextLine();
    void Statement();
    void BoardSizeStatement();
    void CommentBlock();
    void MoveStatement();
    void SetupStatement();
    void SkipBlock(std::string_view endKeyword);
    void UserBlock();
    void HeaderValue(std::string& field) const;
    void StoreMove(uint8_t x, uint8_t y);
    void SaveDeferredComment();
    bool Ends() const { return openFailed_ || error_ != ReadError::None; }
    bool HandicapStonesOnly() const;

    GameRecord& game_;
    const std::string& path_;
    TraceSink* trace_;
    LineReader* lines_ = nullptr;

    ReadError error_ = ReadError::None;
    bool openFailed_ = false;
    int eventCount_ = 0;
    bool blackToPlay_ = true;
    int moveCount_ = 0;  // keeps counting past the 800 stored slots, for the numbering check
    std::string line_;
    std::string keyword_;
    bool known_ = false;

    // The comment-gathering text lives on from one block to the next. The comment slot it
    // was last stored to is written lazily, so repeated blocks for one move do not copy
    // the growing text again and again.
    std::string collected_;
    int deferredSlot_ = -1;  // slot whose text is `collected_` but not yet written
    std::size_t userCopies_ = 0;
};

bool GoReader::NextLine() {
    if (!lines_->ReadLine(line_)) {
        openFailed_ = true;
        return false;
    }
    keyword_ = Argument(NthWord(line_, 1));
    return true;
}

ReadError GoReader::Run(std::istream* in, std::uint64_t limit) {
    ClearGame(game_);
    game_.BoardSize = 19;
    if (in == nullptr) {
        openFailed_ = true;
    } else {
        LineReader lines(*in, limit);
        lines_ = &lines;
        while (!lines.AtEnd() && !Ends()) {
            if (!NextLine()) break;
            known_ = false;
            if (eventCount_ != 1) {
                if (keyword_ == "EVENT") {
                    ++eventCount_;
                    known_ = true;
                }
            } else {
                Statement();
            }
            if (!known_ && !keyword_.empty()) {
                if (trace_ != nullptr) trace_->Trace("Unknown keyword: " + keyword_);
                error_ = ReadError::UnknownKeyword;
            }
        }
        // The loops stop at the end of the data; an end that was a read error or the size
        // limit shows here, wherever it was met.
        if (lines.Failed()) openFailed_ = true;
        lines_ = nullptr;
    }
    SaveDeferredComment();

    ReadError error = error_;
    const ReadError late = reader_support::LateSizeError(game_, moveCount_);
    if (late != ReadError::None) error = late;
    game_.Handicap = HandicapStonesOnly() ? static_cast<uint8_t>(game_.Setup.size()) : 0;
    if (openFailed_) error = ReadError::Unreadable;
    // The format has no way to declare a set.
    game_.Charset = UndeclaredCharset(game_);
    if (error != ReadError::None && trace_ != nullptr) {
        trace_->Trace("Error loading .GO file " + std::to_string(static_cast<int>(error)) + ": " + path_);
    }
    return error;
}

// Setup stones count as handicap stones when they are all black. A stone in column 23 (the
// letter X, off every board, so its file is refused anyway) counts as white here, so that
// senvola-inspect shows such a refused file's handicap as it always has.
bool GoReader::HandicapStonesOnly() const {
    if (game_.Setup.empty()) return false;
    for (const SetupStone& stone : game_.Setup) {
        if (stone.colour != go::Stone::Black || stone.x == 'W' - 64) return false;
    }
    return true;
}

// Every test runs in turn against the keyword: a block leaves its last line behind, and the
// tests after it in this pass see that line.
void GoReader::Statement() {
    if (keyword_ == "EVENT") {
        ++eventCount_;
        known_ = true;
    }
    if (keyword_ == "BOARDSIZE") {
        known_ = true;
        BoardSizeStatement();
    }
    if (keyword_ == "COM") {
        known_ = true;
        CommentBlock();
    }
    if (keyword_ == "B" || keyword_ == "W") {
        known_ = true;
        MoveStatement();
    }
    if (keyword_ == "SETUP") {
        known_ = true;
        SetupStatement();
    }
    if (keyword_ == "VAR") {
        known_ = true;
        SkipBlock("ENDVAR");
    }
    struct Header {
        const char* keyword;
        std::string GameRecord::*field;
    };
    static constexpr Header kHeaders[] = {
        {"BLACK", &GameRecord::BlackName}, {"DATE", &GameRecord::Date},
        {"KOMI", &GameRecord::Komi},       {"PLACE", &GameRecord::Place},
        {"RECORDER", &GameRecord::User},   {"RESULT", &GameRecord::Result},
        {"TIMELIMIT", &GameRecord::TimeLimit}, {"WHITE", &GameRecord::WhiteName},
    };
    for (const Header& h : kHeaders) {
        if (keyword_ == h.keyword) {
            known_ = true;
            HeaderValue(game_.*h.field);
        }
    }
    if (keyword_ == "USER") {
        known_ = true;
        UserBlock();
    }
    if (keyword_ == "PRISONER" || keyword_ == "MARK" || keyword_ == "ANALYSIS" ||
        keyword_ == "RULES" || keyword_ == "SOURCE" || keyword_ == "HANDICAP") {
        known_ = true;
    }
}

void GoReader::BoardSizeStatement() {
    const std::string n = Argument(NthWord(line_, 2));
    if (n == "9" || n == "13" || n == "19") {
        game_.BoardSize = std::stoi(n);
    } else {
        error_ = ReadError::BadBoardSize;
    }
}

void GoReader::SaveDeferredComment() {
    if (deferredSlot_ >= 0) game_.Comments[deferredSlot_] = std::move(collected_);
    deferredSlot_ = -1;
}

void GoReader::CommentBlock() {
    // Gathering starts from the comment the current move already has.
    if (deferredSlot_ != moveCount_) {
        SaveDeferredComment();
        if (moveCount_ <= kMaxMoves) {
            collected_ = game_.Comments[moveCount_];
        } else {
            collected_.clear();
        }
    }
    if (!collected_.empty()) collected_ += "\r\n";
    if (!Argument(NthWord(line_, 2)).empty()) {
        const std::size_t at = line_.find("COM");
        if (at != std::string::npos) collected_.append(line_, at + 3, std::string::npos);
    }
    while (!lines_->AtEnd() && !Ends()) {
        if (!NextLine()) break;
        if (keyword_ == "ENDCOM") break;
        collected_ += "\r\n";
        collected_ += line_;
    }
    if (moveCount_ <= kMaxMoves) {
        deferredSlot_ = moveCount_;
        game_.HasComments = true;
    } else {
        deferredSlot_ = -1;
    }
}

// The user block's lines are consumed uninterpreted; they extend whatever the gathering text
// still holds and become the comment of the current move, without counting as comments.
void GoReader::UserBlock() {
    if (deferredSlot_ >= 0 && deferredSlot_ != moveCount_) {
        userCopies_ += collected_.size();
        if (userCopies_ > kUserCopyBudget) {
            openFailed_ = true;  // refuse the file rather than let the copies grow without end
            return;
        }
        game_.Comments[deferredSlot_] = collected_;
        deferredSlot_ = -1;
    }
    while (!lines_->AtEnd() && !openFailed_) {
        if (!NextLine()) break;
        collected_ += "\r\n";
        collected_ += line_;
        if (keyword_ == "ENDUSER") break;
    }
    deferredSlot_ = moveCount_ <= kMaxMoves ? moveCount_ : -1;
}

void GoReader::SkipBlock(std::string_view endKeyword) {
    while (!lines_->AtEnd() && !openFailed_) {
        if (!NextLine()) break;
        if (keyword_ == endKeyword) break;
    }
}

void GoReader::HeaderValue(std::string& field) const {
    const std::string_view trimmed = Trim(line_);
    const std::size_t blank = trimmed.find(' ');
    if (blank == std::string_view::npos) return;
    field.assign(Trim(trimmed.substr(blank + 1)));
}

void GoReader::StoreMove(uint8_t x, uint8_t y) {
    ++moveCount_;
    if (moveCount_ <= kMaxMoves) {
        game_.MoveX[moveCount_] = x;
        game_.MoveY[moveCount_] = y;
    }
}

void GoReader::MoveStatement() {
    const bool black = keyword_ == "B";
    if (moveCount_ > 0 && black != blackToPlay_) {
        error_ = ReadError::BadMove;
        return;
    }
    blackToPlay_ = black;
    if (Argument(NthWord(line_, 2)) != std::to_string(moveCount_ + 1)) {
        error_ = ReadError::BadMove;
        return;
    }
    const std::string point = Argument(NthWord(line_, 3));
    char letter = 0;
    int number = 0;
    if (ParsePoint(point, letter, number)) {
        // Columns skip the letter I; rows count up from the bottom line of a 19-line board.
        const int x = letter < 'I' ? letter - 64 : letter - 65;
        const int y = 20 - number;
        StoreMove(static_cast<uint8_t>(x), static_cast<uint8_t>(y));
        if (moveCount_ == 1 && !black) game_.FirstToMove = go::Stone::White;
        blackToPlay_ = !blackToPlay_;
        if (x < 1 || x > game_.BoardSize || y < 1 || y > game_.BoardSize) error_ = ReadError::BadMove;
    } else if (point == "PASS") {
        StoreMove(kPassCoord, kPassCoord);
        if (moveCount_ == 1 && !black) game_.FirstToMove = go::Stone::White;
        blackToPlay_ = !blackToPlay_;
    } else {
        error_ = ReadError::BadMove;
    }
}

void GoReader::SetupStatement() {
    const std::string colour = Argument(NthWord(line_, 2));
    go::Stone stone = go::Stone::Black;
    if (!colour.empty() && colour[0] == 'B') {
        stone = go::Stone::Black;
    } else if (!colour.empty() && colour[0] == 'W') {
        stone = go::Stone::White;
    } else {
        error_ = ReadError::BadHandicapOrSetup;
        return;
    }
    std::size_t end = 0;
    NextWord(line_, end);  // past the keyword
    NextWord(line_, end);  // past the colour
    for (;;) {
        const std::string word = Argument(NextWord(line_, end));
        if (word.empty()) break;
        if (word == "B") {
            stone = go::Stone::Black;
            continue;
        }
        if (word == "W") {
            stone = go::Stone::White;
            continue;
        }
        char letter = 0;
        int number = 0;
        if (!ParsePoint(word, letter, number)) {
            error_ = ReadError::BadHandicapOrSetup;
            continue;
        }
        // Columns skip the letter I; rows count up from the bottom line of a 19-line board.
        const int x = letter < 'I' ? letter - 64 : letter - 65;
        const int y = 20 - number;
        game_.Setup.push_back({stone, static_cast<uint8_t>(x), static_cast<uint8_t>(y)});
        if (x < 1 || x > game_.BoardSize || y < 1 || y > game_.BoardSize) error_ = ReadError::BadHandicapOrSetup;
    }
}

}  // namespace

ReadError ReadGoFile(const std::string& path, GameRecord& game, TraceSink* trace) {
    const std::unique_ptr<std::istream> file = reader_support::OpenGameFile(path);
    return GoReader(game, path, trace).Run(file.get(), reader_support::kMaxGameFileBytes);
}

ReadError ReadGoStream(std::istream& in, const std::string& path, GameRecord& game, TraceSink* trace) {
    return GoReader(game, path, trace).Run(&in, reader_support::kNoByteLimit);
}

}  // namespace senvola
