#include "app/input.h"
#include "app/keys.h"
#include "key_recorder.h"

#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include <ostream>
#include <utility>
#include <vector>

using namespace floebound;

// Found by the vector comparisons through the argument's namespace.
namespace floebound {
bool operator==(const KeyCall& a, const KeyCall& b) { return a.key == b.key && a.released == b.released; }
void PrintTo(const KeyCall& call, std::ostream* out) { *out << "{" << call.key << (call.released ? ", released}" : ", pressed}"); }
}  // namespace floebound

namespace {

using Call = std::pair<int, bool>;

SDL_Event axis_event(int axis, int value) {
    SDL_Event event{};
    event.type = SDL_JOYAXISMOTION;
    event.jaxis.axis = static_cast<Uint8>(axis);
    event.jaxis.value = static_cast<Sint16>(value);
    return event;
}

SDL_Event hat_event(int bits) {
    SDL_Event event{};
    event.type = SDL_JOYHATMOTION;
    event.jhat.value = static_cast<Uint8>(bits);
    return event;
}

// The intro or play on top; the level, which the stick and hat steer, beneath.
struct Screens {
    explicit Screens(bool intro_on_top) : top(intro_on_top) {}
    void send(const SDL_Event& event) { dispatch_event(event, state, top, level); }

    RecordingScene top;
    KeyRecorder level{true};
    InputState state;
};

}  // namespace

TEST(AxisRule, PushingSendsTheReleaseFormAndCentringThePressForm) {
    EXPECT_EQ(axis_key_calls(1, 0, -20000), (std::vector<KeyCall>{{key_up, true}}));
    EXPECT_EQ(axis_key_calls(1, -20000, 0), (std::vector<KeyCall>{{key_up, false}}));
    EXPECT_EQ(axis_key_calls(1, 0, 20000), (std::vector<KeyCall>{{key_down, true}}));
    EXPECT_EQ(axis_key_calls(0, 0, -20000), (std::vector<KeyCall>{{key_left, true}}));
    EXPECT_EQ(axis_key_calls(0, 20000, 100), (std::vector<KeyCall>{{key_right, false}}));
}

TEST(AxisRule, ThresholdIsExclusiveAndJitterSendsNothing) {
    EXPECT_TRUE(axis_key_calls(0, 0, 16384).empty());
    EXPECT_TRUE(axis_key_calls(0, 0, -16384).empty());
    EXPECT_EQ(axis_key_calls(0, 0, 16385), (std::vector<KeyCall>{{key_right, true}}));
    EXPECT_TRUE(axis_key_calls(0, 20000, 30000).empty());
    EXPECT_TRUE(axis_key_calls(0, 100, -100).empty());
}

TEST(AxisRule, JumpFromOneSideToTheOtherSendsOnlyTheNewSide) {
    EXPECT_EQ(axis_key_calls(1, -30000, 30000), (std::vector<KeyCall>{{key_down, true}}));
    EXPECT_EQ(axis_key_calls(0, 30000, -30000), (std::vector<KeyCall>{{key_left, true}}));
}

TEST(HatRule, PressesNewBitsThenReleasesClearedOnesInFixedOrder) {
    EXPECT_EQ(hat_key_calls(SDL_HAT_UP, SDL_HAT_RIGHTUP), (std::vector<KeyCall>{{key_right, false}}));
    EXPECT_EQ(hat_key_calls(SDL_HAT_RIGHTUP, SDL_HAT_CENTERED),
              (std::vector<KeyCall>{{key_up, true}, {key_right, true}}));
    EXPECT_EQ(hat_key_calls(SDL_HAT_RIGHTUP, SDL_HAT_LEFTDOWN),
              (std::vector<KeyCall>{{key_left, false}, {key_down, false}, {key_up, true}, {key_right, true}}));
    EXPECT_TRUE(hat_key_calls(SDL_HAT_DOWN, SDL_HAT_DOWN).empty());
}

TEST(Dispatch, EscapeEndsTheGameOnlyWhileTheIntroIsShown) {
    Screens intro(true);
    intro.send(key_event(SDL_KEYDOWN, key_escape));
    EXPECT_TRUE(intro.state.quit);
    EXPECT_EQ(intro.top.calls, (std::vector<Call>{{key_escape, false}}));

    Screens play(false);
    play.send(key_event(SDL_KEYDOWN, key_escape));
    play.send(key_event(SDL_KEYUP, key_escape));
    EXPECT_FALSE(play.state.quit);
    EXPECT_EQ(play.top.calls, (std::vector<Call>{{key_escape, false}, {key_escape, true}}));
    EXPECT_TRUE(play.level.calls.empty());
}

TEST(Dispatch, QuitAskedForIsHonouredAfterAKeyRelease) {
    Screens play(false);
    play.top.quit_asked = true;
    play.send(key_event(SDL_KEYDOWN, key_space));
    EXPECT_FALSE(play.state.quit);
    play.send(key_event(SDL_KEYUP, key_space));
    EXPECT_TRUE(play.state.quit);
}

TEST(Dispatch, ReleasingF12TogglesTheReadoutAndPressingDoesNot) {
    for (bool intro_on_top : {true, false}) {
        Screens screens(intro_on_top);
        screens.send(key_event(SDL_KEYDOWN, key_f12));
        EXPECT_FALSE(screens.state.show_fps);
        screens.send(key_event(SDL_KEYUP, key_f12));
        EXPECT_TRUE(screens.state.show_fps);
        screens.send(key_event(SDL_KEYUP, key_f12));
        EXPECT_FALSE(screens.state.show_fps);
    }
}

TEST(Dispatch, StickAndHatAlwaysGoToTheLevelAndButtonsToTheTopScene) {
    Screens intro(true);
    intro.send(axis_event(1, -32768));
    intro.send(axis_event(1, 0));
    intro.send(axis_event(2, 32767));  // a third axis steers nothing
    intro.send(hat_event(SDL_HAT_LEFT));
    intro.send(hat_event(SDL_HAT_CENTERED));
    SDL_Event button{};
    button.type = SDL_JOYBUTTONDOWN;
    intro.send(button);
    button.type = SDL_JOYBUTTONUP;
    intro.send(button);

    EXPECT_EQ(intro.level.calls, (std::vector<Call>{{key_up, true}, {key_up, false}, {key_left, false}, {key_left, true}}));
    EXPECT_EQ(intro.top.calls, (std::vector<Call>{{key_space, false}, {key_space, true}}));
}

TEST(Dispatch, EachAxisRemembersItsOwnPreviousValue) {
    Screens play(false);
    play.send(axis_event(0, 30000));
    play.send(axis_event(1, 30000));
    play.send(axis_event(0, 0));
    play.send(axis_event(1, 30000));
    EXPECT_EQ(play.level.calls, (std::vector<Call>{{key_right, true}, {key_down, true}, {key_right, false}}));
}

TEST(Dispatch, QuitRequestAndBallMotion) {
    Screens play(false);
    SDL_Event ball{};
    ball.type = SDL_JOYBALLMOTION;
    ball.jball.which = 0;
    ball.jball.ball = 1;
    ball.jball.xrel = -3;
    ball.jball.yrel = 4;
    ::testing::internal::CaptureStdout();
    play.send(ball);
    std::fflush(stdout);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "jball motion which 0, ball 1, xrel -3, yrel 4\n");
    EXPECT_FALSE(play.state.quit);

    SDL_Event quit{};
    quit.type = SDL_QUIT;
    play.send(quit);
    EXPECT_TRUE(play.state.quit);
    EXPECT_TRUE(play.level.calls.empty());
}

// Iconified or unmapped, the window is hidden until it is shown again; losing
// the keyboard's focus alone hides nothing.
TEST(Dispatch, TheWindowHiddenAndShownAgain) {
    Screens play(false);
    SDL_Event active{};
    active.type = SDL_ACTIVEEVENT;
    active.active.gain = 0;
    active.active.state = SDL_APPINPUTFOCUS;
    play.send(active);
    EXPECT_FALSE(play.state.hidden);
    active.active.state = SDL_APPACTIVE | SDL_APPINPUTFOCUS;
    play.send(active);
    EXPECT_TRUE(play.state.hidden);
    active.active.gain = 1;
    active.active.state = SDL_APPACTIVE;
    play.send(active);
    EXPECT_FALSE(play.state.hidden);
    EXPECT_TRUE(play.top.calls.empty());
}
