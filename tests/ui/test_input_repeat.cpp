#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "ui/input_repeat.h"

namespace {

// A timeline of one key or button: when it goes down and up, and when play
// polls.  The front end notes each press as it happens; each poll asks
// whether the command fires.  Polls come every 100 ms from 10 ms, as play's
// do (every third tick of the 30 Hz clock).
struct timeline {
  int down_ms, up_ms;
};

int commands(const std::vector<timeline>& presses, int until_ms, int poll_every = 100) {
  press_tracker t;
  int fired = 0, last_poll = -1;
  for (int now = 10; now <= until_ms; now += poll_every) {
    for (const timeline& p : presses)
      if (p.down_ms > last_poll && p.down_ms <= now) note_press(t, p.down_ms);
    bool held = false;
    for (const timeline& p : presses) held = held || (p.down_ms <= now && now < p.up_ms);
    if (press_fires(t, held, now)) fired++;
    last_poll = now;
  }
  return fired;
}

TEST(InputRepeat, APressActsOnceAndAHeldOneRepeatsAfterAThirdOfASecondAtTenASecond) {
  // {presses, polled until, commands}: a 30 ms tap between two polls and a
  // shorter one just before a poll; two taps between two polls (one a pass);
  // presses shorter than the first delay; down for a second: the press, then
  // repeats from 330 ms on, one a poll (410, 510, ... 910); twice as long, ten more.
  const std::tuple<std::vector<timeline>, int, int> cases[] = {
      {{{20, 50}}, 1000, 1},  {{{105, 109}}, 1000, 1}, {{{20, 40}, {60, 80}}, 1000, 2},
      {{{0, 200}}, 1000, 1},  {{{15, 215}}, 1000, 1},  {{{0, 320}}, 1000, 1},
      {{{0, 1000}}, 2000, 7}, {{{0, 2000}}, 3000, 17}};
  for (const auto& [presses, until, fired] : cases)
    EXPECT_EQ(commands(presses, until), fired) << presses[0].down_ms << ".." << presses[0].up_ms;
}

TEST(InputRepeat, ASlowPassStoresUpNoRepeatsAndAKeyFoundDownUnnotedActsOnce) {
  press_tracker t;
  note_press(t, 0);
  // The pass ending at 2000 took two seconds.
  for (auto [now, fires] : {std::pair{10, true}, {2000, true}, {2050, false}, {2100, true}})
    EXPECT_EQ(press_fires(t, true, now), fires) << now;
  // A key found down with no press noted still acts once.
  t = press_tracker{};
  for (auto [held, now, fires] :
       {std::tuple{true, 10, true}, {true, 110, false}, {false, 210, false}})
    EXPECT_EQ(press_fires(t, held, now), fires) << now;
  forget_presses(t);
  note_press(t, 300);
  forget_presses(t);  // the press went to a menu
  EXPECT_FALSE(press_fires(t, false, 310));
}

TEST(InputRepeat, AClickThatChoseInAScreenDoesNothingMoreUntilLetGo) {
  press_tracker t;  // L opened the file list; the button went down on a name
  end_pass(t, true, true);
  forget_presses(t);  // however long the load took
  for (auto [held, now] : {std::pair{true, 10}, {true, 900}, {false, 1000}})  // nor a repeat
    EXPECT_FALSE(press_fires(t, held, now)) << now;
  note_press(t, 1050);
  EXPECT_TRUE(press_fires(t, true, 1100));  // the next click is the map's
  // Let go before the pass ended, or down since before it: play as ever.
  press_tracker quick, walking;
  end_pass(quick, true, false);
  EXPECT_TRUE(press_fires(quick, true, 10) && press_fires(walking, true, 10));
  end_pass(walking, false, true);
  EXPECT_TRUE(press_fires(walking, true, 340));
}

input_state held(std::initializer_list<input_key> keys, int button = 0) {
  input_state in;
  for (input_key k : keys) in.key[k] = true;
  in.mouse_b = button;
  in.mouse_x = 30, in.mouse_y = 220;
  return in;
}

TEST(InputRepeat, TwoKeysTogetherEachActOnceInTheSamePass) {
  input_pacing p;
  note_press(p.key[IN_UP], 20);
  note_press(p.key[IN_RIGHT], 25);
  auto up_right_down = [](const input_state& in) {
    return std::tuple(in.key[IN_UP], in.key[IN_RIGHT], in.key[IN_DOWN]);
  };
  EXPECT_EQ(up_right_down(paced_input(p, held({IN_UP, IN_RIGHT}), 110)),
            std::tuple(true, true, false));
  EXPECT_EQ(up_right_down(paced_input(p, held({IN_UP, IN_RIGHT}), 210)),
            std::tuple(false, false, false));
  // One let go, the other held on: only the held one repeats.
  EXPECT_EQ(up_right_down(paced_input(p, held({IN_UP}), 410)), std::tuple(true, false, false));
}

TEST(InputRepeat, AShortClickOnAButtonActsOnceAndThePointerPassesThrough) {
  // A 150 ms right click on the turn button spans two polls.
  input_pacing p;
  note_press(p.right, 50);
  int turns = 0;
  for (int now = 110; now <= 1010; now += 100) {
    input_state in = paced_input(p, held({}, now < 200 ? MOUSE_RIGHT : 0), now);
    EXPECT_EQ(in.mouse_x, 30);
    if (in.mouse_b == MOUSE_RIGHT) turns++;
  }
  EXPECT_EQ(turns, 1);
  // Between passes the button gives nothing: the pointer alone does not act.
  EXPECT_EQ(paced_input(p, held({}, 0), 1110).mouse_b, 0);
  // A held left button repeats like a key.
  int clicks = 0;
  note_press(p.left, 1200);
  for (int now = 1210; now <= 2200; now += 100)
    if (paced_input(p, held({}, MOUSE_LEFT), now).mouse_b == MOUSE_LEFT) clicks++;
  EXPECT_EQ(clicks, 7);
}

}  // namespace
