// The rules by which the full-screen saver accepts or refuses to end: mouse travel from an
// anchor, clicks, keys, and the host's password after the password delay. Pure logic: the
// window feeds it input and asks it; the password host is behind a small interface so that
// the rules can be exercised without a screen.
#pragma once

#include <chrono>
#include <cstdint>

namespace saverkit {

// What the host's password library answered.
enum class PasswordVerdict {
    Accepted,   // the entry point returned exactly 1
    Refused,    // any other result
    NoLibrary,  // the library is missing or lacks the entry point: no password protection
};

class PasswordHost {
public:
    virtual ~PasswordHost() = default;
    // "ScreenSaveUsePassword" under "Control Panel\Desktop" is present and not 0.
    virtual bool PasswordSwitchedOn() = 0;
    // Shows or hides the mouse pointer (raises or lowers its display count by one).
    virtual void ShowPointer(bool show) = 0;
    // Runs the host's password prompt, modal to the saver.
    virtual PasswordVerdict VerifyPassword() = 0;
};

class Dismissal {
public:
    using Clock = std::chrono::steady_clock;

    // start: the moment the window was constructed (base of the password delay).
    Dismissal(PasswordHost& host, Clock::time_point start) : host_(host), start_(start) {}

    // Settings handed over by the saver host before the window is shown.
    void SetMouseThreshold(int32_t pixels) { threshold_ = pixels; }
    // The delay is taken as an unsigned 16-bit value; unit 0 = seconds, else minutes.
    void SetPasswordDelay(int32_t delay, int32_t unit) {
        delay_ = static_cast<uint16_t>(delay);
        unit_ = unit;
    }

    // Each returns true when the window should be asked to close.
    bool MouseMove(int x, int y);
    bool MouseDown() const { return !checking_; }
    bool Key();

    // The window's close request: true when the saver may end (at most once).
    bool CloseRequest(Clock::time_point now);

    // The delay after which a password is needed; 60 or more of a unit count as 59 of it.
    Clock::duration PasswordDelay() const;

    bool Closing() const { return closing_; }
    bool CheckingPassword() const { return checking_; }
    uint8_t KeysToIgnore() const { return keysToIgnore_; }
    int AnchorX() const { return anchorX_; }
    int AnchorY() const { return anchorY_; }

private:
    bool DismissalAllowed(Clock::time_point now);

    PasswordHost& host_;
    Clock::time_point start_;   // base of the password delay
    int32_t threshold_ = 200;   // allowed |dx| + |dy| from the anchor
    uint16_t delay_ = 0;        // password delay in its unit
    int32_t unit_ = 1;          // 0 seconds, anything else minutes
    int anchorX_ = 0, anchorY_ = 0;  // first position seen; (0, 0) = none yet
    bool closing_ = false;      // a dismissal was accepted
    bool checking_ = false;     // the password prompt is up
    uint8_t keysToIgnore_ = 0;  // key events to swallow after a refused password
};

}  // namespace saverkit
