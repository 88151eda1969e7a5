#include "records/game_record.h"

#include <utility>

namespace senvola {

namespace {
TraceHook& Hook() {
    static TraceHook hook;
    return hook;
}

// The header texts and the setup; the comments are the other texts of a record.
constexpr std::string PartijRec::*kHeaderTexts[] = {
    &PartijRec::WhiteName, &PartijRec::WhiteRank, &PartijRec::BlackName, &PartijRec::BlackRank,
    &PartijRec::Copyright, &PartijRec::Date,      &PartijRec::Event,     &PartijRec::GameName,
    &PartijRec::Komi,      &PartijRec::Place,     &PartijRec::Result,    &PartijRec::TimeLimit,
    &PartijRec::User,      &PartijRec::Round,     &PartijRec::Setup};
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
    r.MoveX.fill(0);
    r.MoveY.fill(0);
    for (std::string& c : r.Comments) ResetText(c);
    r.FirstColour = 1;
}

void CommitGame(const GameRecord& LoadBuffer, GameRecord& CurrentGame) {
    if (&LoadBuffer == &CurrentGame) return;
    // Copying into a text keeps its storage when it is large enough, however large it is.
    for (const auto text : kHeaderTexts) ResetText(CurrentGame.*text, (LoadBuffer.*text).size());
    for (std::size_t k = 0; k < CurrentGame.Comments.size(); ++k) {
        ResetText(CurrentGame.Comments[k], LoadBuffer.Comments[k].size());
    }
    CurrentGame = LoadBuffer;
}

int MoveListLength(const GameRecord& game) {
    int n = 0;
    while (n < kMaxMoves && game.MoveX[n + 1] != 0) ++n;
    return n;
}

void TraceMessage(std::string_view text) {
    if (Hook()) Hook()(text);
}

void SetTraceHook(TraceHook hook) { Hook() = std::move(hook); }

}  // namespace senvola
