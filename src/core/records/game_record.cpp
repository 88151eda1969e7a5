// Emptying and copying game records without keeping the storage of a huge game.
#include "records/game_record.h"

#include <algorithm>
#include <optional>

#include "platform/text_decoder.h"
#include "text/utf8.h"

namespace senvola {

namespace {

// The header texts; the comments are the other texts of a record.
constexpr std::string GameRecord::*kHeaderTexts[] = {
    &GameRecord::WhiteName, &GameRecord::WhiteRank, &GameRecord::BlackName, &GameRecord::BlackRank,
    &GameRecord::Copyright, &GameRecord::Date,      &GameRecord::Event,     &GameRecord::GameName,
    &GameRecord::Komi,      &GameRecord::Place,     &GameRecord::Result,    &GameRecord::TimeLimit,
    &GameRecord::User,      &GameRecord::Round};

// ResetText's rule for the setup stones and the marks, counted in bytes like a text.
template <typename T>
void ResetSetup(std::vector<T>& setup, std::size_t next) {
    const std::size_t bytes = setup.capacity() * sizeof(T);
    if (bytes > kKeptTextCapacity && setup.capacity() / 2 > next) {
        std::vector<T>().swap(setup);
    } else {
        setup.clear();
    }
}

}  // namespace

void ResetText(std::string& text, std::size_t next) {
    if (text.capacity() > kKeptTextCapacity && text.capacity() / 2 > next) {
        std::string().swap(text);
    } else {
        text.clear();
    }
}

void ClearGame(GameRecord& r) {
    for (const auto text : kHeaderTexts) ResetText(r.*text);
    r.Handicap = 1;
    r.BoardSize = 0;
    ResetSetup(r.Setup, 0);
    ResetSetup(r.Marks, 0);
    ResetSetup(r.InGameSetup, 0);
    r.MoveX.fill(0);
    r.MoveY.fill(0);
    for (std::string& c : r.Comments) ResetText(c);
    r.FirstToMove = go::Stone::Black;
    r.HasComments = false;
    r.Charset = text::Charset::SystemAnsi;
}

void CommitGame(const GameRecord& from, GameRecord& to) {
    if (&from == &to) return;
    // Copying into a text keeps its storage when it is large enough, however large it is.
    for (const auto text : kHeaderTexts) ResetText(to.*text, (from.*text).size());
    ResetSetup(to.Setup, from.Setup.size());
    ResetSetup(to.Marks, from.Marks.size());
    ResetSetup(to.InGameSetup, from.InGameSetup.size());
    for (std::size_t k = 0; k < to.Comments.size(); ++k) ResetText(to.Comments[k], from.Comments[k].size());
    to = from;
}

text::Charset UndeclaredCharset(const GameRecord& game) {
    bool ascii = true;
    auto fits = [&ascii](const std::string& t) {
        if (text::IsPlainAscii(t)) return true;
        ascii = false;
        return text::IsValidUtf8(t);
    };
    for (const auto field : kHeaderTexts) {
        if (!fits(game.*field)) return text::Charset::SystemAnsi;
    }
    for (const std::string& comment : game.Comments) {
        if (!fits(comment)) return text::Charset::SystemAnsi;
    }
    return text::ChooseCharset(std::nullopt, true, ascii, text::Charset::SystemAnsi);
}

void DecodeTexts(GameRecord& game, const TextDecoder& decoder) {
    const text::Charset from = decoder.Resolve(game.Charset);
    auto decode = [&](std::string& t) {
        if (text::IsPlainAscii(t)) return;
        if (from == text::Charset::Utf8 && text::IsValidUtf8(t)) return;
        t = decoder.ToUtf8(t, from);
    };
    for (const auto field : kHeaderTexts) decode(game.*field);
    for (std::string& comment : game.Comments) decode(comment);
    for (BoardMark& mark : game.Marks) {
        std::string label(mark.LabelText());
        decode(label);
        // Whole characters only: a label cut inside one would draw a broken sign.
        std::size_t keep = 0;
        while (keep < label.size()) {
            const std::size_t n = std::max<std::size_t>(text::CharLengthAt(label, keep), 1);
            if (keep + n > kMaxLabelBytes) break;
            keep += n;
        }
        std::copy_n(label.data(), keep, mark.Label.data());
        mark.LabelLength = static_cast<uint8_t>(keep);
    }
    game.Charset = text::Charset::Utf8;
}

namespace {

template <typename T>
std::span<const T> RunAt(const std::vector<T>& items, int move, std::size_t& from) {
    const std::size_t size = items.size();
    while (from < size && items[from].Move < move) ++from;
    const std::size_t begin = from;
    while (from < size && items[from].Move == move) ++from;
    return {items.data() + begin, from - begin};
}

}  // namespace

std::span<const BoardMark> MarksAt(const GameRecord& game, int move, std::size_t& from) {
    return RunAt(game.Marks, move, from);
}

std::span<const SetupChange> SetupChangesAt(const GameRecord& game, int move, std::size_t& from) {
    return RunAt(game.InGameSetup, move, from);
}

int MoveListLength(const GameRecord& game) {
    int n = 0;
    while (n < kMaxMoves && game.MoveX[n + 1] != 0) ++n;
    return n;
}

}  // namespace senvola
