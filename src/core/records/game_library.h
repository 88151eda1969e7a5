// Where the next game comes from: the built-in table, one file, or a directory.
#pragma once

#include <cstdint>
#include <string>

#include "app_state.h"
#include "platform/file_system.h"

namespace senvola {

// True when the reader for `path` is the .GO reader (extension ".GO" in any case).
bool IsGoFileName(const std::string& path);
// Reads `path` with the reader its extension selects.
uint8_t ReadGameFile(const std::string& path, GameRecord& LoadBuffer, uint8_t& HasComments);
// Fills CurrentGame with the next game of the selected source, or the next built-in game.
void LoadNextGame(AppState& s, const FileSystem& files);
// A file drawn at random, without repetition, from the game directory; empty when none, and
// when the directory setting is empty or only blanks (the built-in games play then).
std::string NextDirectoryFile(AppState& s, const FileSystem& files);

}  // namespace senvola
