#include "saverkit/dismissal.h"

#include <cstdlib>

namespace saverkit {

bool Dismissal::MouseMove(int x, int y) {
    // While the prompt is up, and until a first position is known, movement only re-anchors.
    if (checking_ || (anchorX_ == 0 && anchorY_ == 0)) {
        anchorX_ = x;
        anchorY_ = y;
        return false;
    }
    // The anchor stays put: small movements add up relative to the first position.
    const int64_t d = std::llabs(int64_t{anchorX_} - x) + std::llabs(int64_t{anchorY_} - y);
    return d > threshold_;
}

bool Dismissal::Key() {
    if (checking_) return false;
    if (keysToIgnore_ > 0) {
        --keysToIgnore_;
        return false;
    }
    return true;
}

Dismissal::Clock::duration Dismissal::PasswordDelay() const {
    // The deadline computation takes 0..59 of a unit; a longer stored delay means "as long as
    // can be expressed", not "no delay at all".
    const int amount = delay_ >= 60 ? 59 : delay_;
    if (unit_ == 0) return std::chrono::seconds(amount);
    return std::chrono::minutes(amount);
}

bool Dismissal::DismissalAllowed(Clock::time_point now) {
    if (start_ + PasswordDelay() > now) return true;
    checking_ = true;
    if (!host_.PasswordSwitchedOn()) return true;
    host_.ShowPointer(true);
    keysToIgnore_ = 1;
    PasswordVerdict verdict = PasswordVerdict::Refused;
    try {
        verdict = host_.VerifyPassword();
    } catch (...) {
        // A prompt that fails is a prompt that did not verify: the saver stays.
        verdict = PasswordVerdict::Refused;
    }
    host_.ShowPointer(false);
    if (verdict == PasswordVerdict::Accepted) keysToIgnore_ = 0;
    return verdict != PasswordVerdict::Refused;
}

bool Dismissal::CloseRequest(Clock::time_point now) {
    if (checking_ || closing_ || !DismissalAllowed(now)) {
        checking_ = false;
        return false;
    }
    closing_ = true;
    return true;
}

}  // namespace saverkit
