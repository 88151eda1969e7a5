// The values every screensaver of the user shares, under "...\CurrentVersion\Screen Savers": the
// mouse threshold and its index, the password delay and its unit, the hot corners. The saver
// reads the first three to know when it may end; the General page of the options dialog shows
// and writes all of them. The password delay is stored in seconds and shown in its unit.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/registry_key.h"

namespace saverkit {

// The shared key under the current user's hive (from the string table where the program has one).
std::string SharedSettingsKey();

inline constexpr const char* kMouseThresholdValue = "Mouse Threshold";
inline constexpr const char* kMouseThresholdIndexValue = "Mouse Threshold Index";
inline constexpr const char* kPasswordDelayValue = "Password Delay";
inline constexpr const char* kPasswordDelayIndexValue = "Password Delay Index";
inline constexpr const char* kMouseCornersValue = "Mouse Corners";

// Password delay units, as "Password Delay Index" stores them.
inline constexpr int32_t kSeconds = 0;
inline constexpr int32_t kMinutes = 1;

// A stored delay (seconds) in `unit`, whole units only; empty for a unit that is neither.
std::optional<int32_t> DelayInUnit(int32_t seconds, int32_t unit);
// A delay of `amount` in `unit` as stored, in seconds; empty for a unit that is neither.
std::optional<int32_t> DelayInSeconds(int32_t amount, int32_t unit);

// The mouse threshold in pixels for a sensitivity index (0 high .. 3 ignore the mouse); -1 for
// any other index.
int MouseThresholdForIndex(int index);

// What a hot corner does, stored as one letter per corner in "Mouse Corners".
enum class CornerState { Default, Now, Never };
char CornerLetter(CornerState state);
// 'Y' now, 'N' never (upper case only); anything else the default.
CornerState CornerOfLetter(char letter);

// The rules the saver ends by.
struct DismissalSettings {
    int32_t mouseThreshold = 200;  // pixels of travel allowed
    int32_t passwordDelay = 0;     // in passwordDelayUnit
    int32_t passwordDelayUnit = kMinutes;
};

// The shared values the saver ends by; a missing key, a missing value or one of another type
// leaves its default, and a delay in a unit that is neither seconds nor minutes reads as 0.
DismissalSettings ReadDismissalSettings(senvola::Registry& registry);

}  // namespace saverkit
