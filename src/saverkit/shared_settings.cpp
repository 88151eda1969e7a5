#include "saverkit/shared_settings.h"

#include "saverkit/resource_ids.h"
#include "saverkit/resource_text.h"

namespace saverkit {

std::string SharedSettingsKey() {
    return ResourceText(IDS_SAVERKIT_SCREEN_SAVERS_KEY, "Software\\Microsoft\\Windows\\CurrentVersion\\Screen Savers");
}

std::optional<int32_t> DelayInUnit(int32_t seconds, int32_t unit) {
    if (unit == kSeconds) return seconds;
    if (unit == kMinutes) return seconds / 60;
    return std::nullopt;
}

std::optional<int32_t> DelayInSeconds(int32_t amount, int32_t unit) {
    if (unit == kSeconds) return amount;
    if (unit == kMinutes) return amount * 60;
    return std::nullopt;
}

int MouseThresholdForIndex(int index) {
    switch (index) {
    case 0: return 0;
    case 1: return 200;
    case 2: return 400;
    case 3: return 999999;
    default: return -1;
    }
}

char CornerLetter(CornerState state) {
    switch (state) {
    case CornerState::Now: return 'Y';
    case CornerState::Never: return 'N';
    default: return '-';
    }
}

CornerState CornerOfLetter(char letter) {
    return letter == 'Y' ? CornerState::Now : letter == 'N' ? CornerState::Never : CornerState::Default;
}

DismissalSettings ReadDismissalSettings(senvola::Registry& registry) {
    DismissalSettings s;
    const std::unique_ptr<senvola::RegistryKey> key = registry.OpenKey(SharedSettingsKey(), false);
    if (!key) return s;
    if (auto v = key->ReadInteger(kMouseThresholdValue)) s.mouseThreshold = *v;
    if (auto v = key->ReadInteger(kPasswordDelayIndexValue)) s.passwordDelayUnit = *v;
    if (auto v = key->ReadInteger(kPasswordDelayValue)) s.passwordDelay = DelayInUnit(*v, s.passwordDelayUnit).value_or(0);
    return s;
}

}  // namespace saverkit
