// The saver's dismissal rules, driven directly: mouse travel, clicks, keys, the password delay
// and the host's password verdicts.
#include <gtest/gtest.h>

#include <vector>

#include "saverkit/dismissal.h"

namespace saverkit {
namespace {

using namespace std::chrono_literals;

class FakeHost final : public PasswordHost {
public:
    bool switchedOn = false;
    std::vector<PasswordVerdict> verdicts;  // answered in turn; the last one repeats
    int prompts = 0;
    int pointerCount = 0;      // display count change, must come back to 0
    int pointerMaxSeen = 0;
    Dismissal* dismissal = nullptr;
    bool checkingDuringPrompt = false;

    bool PasswordSwitchedOn() override { return switchedOn; }
    void ShowPointer(bool show) override {
        pointerCount += show ? 1 : -1;
        pointerMaxSeen = std::max(pointerMaxSeen, pointerCount);
    }
    PasswordVerdict VerifyPassword() override {
        if (dismissal) checkingDuringPrompt = dismissal->CheckingPassword();
        const std::size_t i = std::min<std::size_t>(prompts, verdicts.size() - 1);
        ++prompts;
        return verdicts.at(i);
    }
};

class DismissalTest : public ::testing::Test {
protected:
    FakeHost host;
    Dismissal::Clock::time_point start = Dismissal::Clock::now();
    Dismissal d{host, start};
    void SetUp() override { host.dismissal = &d; }
};

TEST_F(DismissalTest, TravelMustExceedTheThresholdFromTheFirstPosition) {
    d.SetMouseThreshold(200);
    EXPECT_FALSE(d.MouseMove(500, 500));  // anchor
    EXPECT_FALSE(d.MouseMove(650, 550));  // 150 + 50 = 200: not beyond
    EXPECT_FALSE(d.MouseMove(400, 400));  // 100 + 100 back the other way
    EXPECT_EQ(d.AnchorX(), 500);          // ordinary movement leaves the anchor
    EXPECT_TRUE(d.MouseMove(651, 550));   // 201
    EXPECT_TRUE(d.MouseMove(349, 450));   // 151 + 50 on the other side
}

TEST_F(DismissalTest, ThresholdZeroEndsOnTheSecondDifferentPosition) {
    d.SetMouseThreshold(0);
    EXPECT_FALSE(d.MouseMove(10, 10));
    EXPECT_FALSE(d.MouseMove(10, 10));  // the same position again: no travel
    EXPECT_TRUE(d.MouseMove(11, 10));
}

TEST_F(DismissalTest, OriginIsNotTakenAsAnchor) {
    d.SetMouseThreshold(200);
    EXPECT_FALSE(d.MouseMove(0, 0));
    EXPECT_FALSE(d.MouseMove(300, 300));  // becomes the anchor, although far from (0, 0)
    EXPECT_EQ(d.AnchorX(), 300);
    EXPECT_FALSE(d.MouseMove(400, 400));
    EXPECT_TRUE(d.MouseMove(401, 400));
}

TEST_F(DismissalTest, IgnoringTheMouseMeansAnyTravelIsAllowed) {
    d.SetMouseThreshold(999999);
    EXPECT_FALSE(d.MouseMove(1, 1));
    EXPECT_FALSE(d.MouseMove(1919, 1079));
}

TEST_F(DismissalTest, ClickAndKeyAskToClose) {
    EXPECT_TRUE(d.MouseDown());
    EXPECT_TRUE(d.Key());
}

TEST_F(DismissalTest, WithoutPasswordTheFirstCloseRequestEndsAndTheNextIsRefused) {
    EXPECT_TRUE(d.CloseRequest(start + 1h));
    EXPECT_TRUE(d.Closing());
    EXPECT_FALSE(d.CloseRequest(start + 1h));  // no second close notice
    EXPECT_EQ(host.prompts, 0);
}

TEST_F(DismissalTest, RefusedPasswordKeepsTheSaverAndSwallowsOneKey) {
    host.switchedOn = true;
    host.verdicts = {PasswordVerdict::Refused, PasswordVerdict::Accepted};
    EXPECT_FALSE(d.CloseRequest(start));  // delay 0: the password is asked at once
    EXPECT_EQ(host.prompts, 1);
    EXPECT_TRUE(host.checkingDuringPrompt);
    EXPECT_FALSE(d.CheckingPassword());
    EXPECT_FALSE(d.Closing());
    EXPECT_EQ(host.pointerCount, 0);  // shown for the prompt, hidden again
    EXPECT_EQ(host.pointerMaxSeen, 1);
    EXPECT_EQ(d.KeysToIgnore(), 1);
    EXPECT_FALSE(d.Key());  // the release of the key that cancelled the prompt
    EXPECT_TRUE(d.Key());   // the next key asks again
    EXPECT_TRUE(d.CloseRequest(start + 1s));
    EXPECT_EQ(host.prompts, 2);
    EXPECT_EQ(d.KeysToIgnore(), 0);
}

TEST_F(DismissalTest, InputDuringThePromptOnlyReanchors) {
    host.switchedOn = true;
    d.SetMouseThreshold(200);
    d.MouseMove(100, 100);
    struct Reentrant final : PasswordHost {
        Dismissal* d = nullptr;
        bool sawClose = false;
        bool PasswordSwitchedOn() override { return true; }
        void ShowPointer(bool) override {}
        PasswordVerdict VerifyPassword() override {
            sawClose |= d->MouseMove(900, 900);  // re-anchors
            sawClose |= d->MouseDown();
            sawClose |= d->Key();
            sawClose |= d->CloseRequest(Dismissal::Clock::now());  // a nested request
            return PasswordVerdict::Refused;
        }
    } reentrant;
    Dismissal d2(reentrant, start);
    reentrant.d = &d2;
    d2.MouseMove(100, 100);
    EXPECT_FALSE(d2.CloseRequest(start));
    EXPECT_FALSE(reentrant.sawClose);
    EXPECT_EQ(d2.AnchorX(), 900);
    EXPECT_FALSE(d2.MouseMove(1000, 1000));  // 200 from the new anchor
}

TEST_F(DismissalTest, MissingPasswordLibraryOrEntryPointMeansNoPassword) {
    host.switchedOn = true;
    host.verdicts = {PasswordVerdict::NoLibrary};
    EXPECT_TRUE(d.CloseRequest(start));
    EXPECT_EQ(host.pointerCount, 0);
}

TEST_F(DismissalTest, PasswordSwitchedOffMeansNoPrompt) {
    host.switchedOn = false;
    host.verdicts = {PasswordVerdict::Refused};
    EXPECT_TRUE(d.CloseRequest(start));
    EXPECT_EQ(host.prompts, 0);
}

TEST_F(DismissalTest, DelayInSecondsNeedsNoPasswordUntilItHasPassed) {
    host.switchedOn = true;
    host.verdicts = {PasswordVerdict::Refused};
    d.SetPasswordDelay(5, 0);
    EXPECT_FALSE(d.CloseRequest(start + 5s));  // at exactly 5 s the password is needed
    EXPECT_EQ(host.prompts, 1);
    Dismissal early(host, start);
    early.SetPasswordDelay(5, 0);
    EXPECT_TRUE(early.CloseRequest(start + 4999ms));
    EXPECT_EQ(host.prompts, 1);
}

TEST_F(DismissalTest, DelayInMinutes) {
    d.SetPasswordDelay(2, 1);
    EXPECT_EQ(d.PasswordDelay(), std::chrono::minutes(2));
    d.SetPasswordDelay(2, 7);  // any unit but 0 counts in minutes
    EXPECT_EQ(d.PasswordDelay(), std::chrono::minutes(2));
}

TEST_F(DismissalTest, DelayOfSixtyOrMoreCountsAsFiftyNine) {
    d.SetPasswordDelay(150, 0);
    EXPECT_EQ(d.PasswordDelay(), std::chrono::seconds(59));
    d.SetPasswordDelay(60, 1);
    EXPECT_EQ(d.PasswordDelay(), std::chrono::minutes(59));
    d.SetPasswordDelay(59, 0);
    EXPECT_EQ(d.PasswordDelay(), std::chrono::seconds(59));
    // Taken as an unsigned 16-bit value: 65536 + 30 is 30.
    d.SetPasswordDelay(65536 + 30, 0);
    EXPECT_EQ(d.PasswordDelay(), std::chrono::seconds(30));
    // A negative stored delay is a large 16-bit value: the longest delay, not none.
    d.SetPasswordDelay(-1, 0);
    EXPECT_EQ(d.PasswordDelay(), std::chrono::seconds(59));
}

}  // namespace
}  // namespace saverkit
