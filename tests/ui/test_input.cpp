#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "../core/hand_made_level.h"
#include "core/replay.h"
#include "core/world.h"
#include "ui/help.h"
#include "ui/input.h"
#include "ui/input_repeat.h"
#include "ui/view_settings.h"

namespace {

std::vector<std::string> called;
int right_x = -1, right_y = -1, pointer_x = -1, pointer_y = -1;

input_actions recording_actions() {
  input_actions a;
  a.look = [] { called.push_back("look"); };
  a.mouse_quit = [] { called.push_back("quit"); };
  a.pause = [] { called.push_back("pause"); };
  a.mouse_gameoptions = [] { called.push_back("options"); };
  a.mouse_loadsave = [] { called.push_back("loadsave"); };
  a.mouse_inventory = [] { called.push_back("inventory"); };
  a.mouse_inventory2 = [] { called.push_back("inventory2"); };
  a.mouse_dragmove = [] { called.push_back("dragmove"); };
  a.mouse_mainbox = [] { called.push_back("mainbox"); };
  a.screenshot = [] { called.push_back("screenshot"); };
  a.redraw_messages = [] { called.push_back("redraw"); };
  a.help = [] { called.push_back("help"); };
  a.mouse_box_choice = [](int mode) { called.push_back("box" + std::to_string(mode)); };
  a.mouse_maprightclick = [](int x, int y) {
    called.push_back("rightclick");
    right_x = x, right_y = y;
  };
  a.position_mouse = [](int x, int y) { pointer_x = x, pointer_y = y; };
  return a;
}

bool was_called(const std::string& what) { return std::ranges::count(called, what) > 0; }

constexpr int Z = 3;

// A level of rock with an open hall 5..15 x 5..15 on level Z, the leader in
// its middle facing north, at 800 x 600.
class InputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fresh_world();
    reset_view_settings();
    called.clear();
    right_x = right_y = pointer_x = pointer_y = -1;
    for (int z = 0; z < LEVELS; z++)
      for (int x = 0; x < LAND_SIZE; x++)
        for (int y = 0; y < LAND_SIZE; y++) map[z][x][y].terrain = TERRAIN_ROCK;
    for (int z = Z - 1; z <= Z + 1; z++)
      for (int x = 5; x <= 15; x++)
        for (int y = 5; y <= 15; y++) put_terrain(z, x, y, TERRAIN_ROOM_FLOOR, 1);
    place(1, 1, 10, 10, Z);
    CURRENT_PLAYER = CURRENT_UNIT = 1;
    map[Z][10][10].revealed = 1;
  }

  void place(int player, int u, int x, int y, int z) {
    unit_record& r = put_unit(player, u, z, x, y, NORTH, 200);
    r.health = 30, r.intelligence = 20;
  }

  static input_state keys(std::initializer_list<input_key> held) {
    input_state in;
    for (input_key k : held) in.key[k] = true;
    return in;
  }
  static input_state click(int x, int y, int button, std::initializer_list<input_key> held = {}) {
    input_state in = keys(held);
    in.mouse_x = x, in.mouse_y = y, in.mouse_b = button;
    return in;
  }
  void pass(const input_state& in) { dispatch_input(in, recording_actions()); }

  unit_record& leader() { return unit[1][1]; }
};

TEST_F(InputTest, MessageScrollButtonsEndThePassStopAtBothEndsAndHideWithThePanel) {
  // {pointer y, first line, first line after, redrawn}: newer at the newest
  // lines already and older at the oldest redraw nothing.  Older lines are at
  // 600 - 150 < y < 600 - 130.  The held key waits for the next pass.
  const int cases[][4] = {{580, 21, 21, 0}, {460, 21, 20, 1}, {460, 0, 0, 0}, {580, 0, 1, 1}};
  for (const auto& c : cases) {
    M_box[0] = c[1], UPDATE_MAP = 0;
    called.clear();
    pass(click(20, c[0], MOUSE_LEFT, {IN_UP}));
    EXPECT_EQ(std::tuple(M_box[0], was_called("redraw"), leader().y, UPDATE_MAP),
              std::tuple(c[2], c[3] == 1, 10, 1))
        << c[0] << " from " << c[1];
  }
  MESSAGE_BAR = 0;  // hidden, it lets the keys through
  pass(click(20, 580, MOUSE_LEFT, {IN_UP}));
  EXPECT_EQ(std::pair(M_box[0], leader().y), std::pair(1, 9));
}

TEST_F(InputTest, ButtonPanelOpensItsScreensAndOnlyQuitLetsThePassGoOn) {
  pass(click(60, 50, 0, {IN_RIGHT}));  // no button: the pointer alone does nothing
  EXPECT_TRUE(called.empty());
  EXPECT_EQ(leader().facing, NORTHEAST);
  pass(click(60, 50, MOUSE_LEFT, {IN_UP}));  // portrait
  pass(click(60, 50, MOUSE_RIGHT));
  pass(click(30, 120, MOUSE_RIGHT));
  pass(click(30, 120, MOUSE_LEFT));
  pass(click(30, 260, MOUSE_LEFT));
  pass(click(30, 320, MOUSE_RIGHT));
  pass(click(30, 370, MOUSE_LEFT));
  EXPECT_EQ(called, (std::vector<std::string>{"look", "box1", "inventory", "inventory2", "options",
                                              "pause", "loadsave"}));
  EXPECT_EQ(leader().y, 10);

  // The quit menu returns into the same pass: the held key still acts.
  pass(click(30, 420, MOUSE_LEFT, {IN_UP}));
  EXPECT_EQ(std::tuple(called.back(), leader().y, leader().facing),
            std::tuple("quit", 9, NORTHEAST));
  called.clear();
  BUTTON_BAR = 0;
  pass(click(60, 50, MOUSE_LEFT));
  pass(click(30, 320, MOUSE_LEFT));
  EXPECT_TRUE(called.empty());
}

TEST_F(InputTest, ScreenEdgesToggleTheirPanelsBackAndForth) {
  pass(click(5, 300, MOUSE_LEFT));
  EXPECT_EQ(BUTTON_BAR, 0);
  pass(click(5, 300, MOUSE_RIGHT));
  EXPECT_EQ(BUTTON_BAR, -1);
  pass(click(795, 300, MOUSE_LEFT));
  pass(click(400, 595, MOUSE_LEFT));
  // The top edge lies inside the map's click area: the click is the panel's.
  pass(click(400, 5, MOUSE_LEFT));
  EXPECT_EQ(std::tuple(INVENTORY_BAR, MESSAGE_BAR, STATUS_BAR), std::tuple(0, 0, 0));
  EXPECT_TRUE(called.empty());
  // Corners belong to the side bars only.
  pass(click(5, 595, MOUSE_LEFT));
  EXPECT_EQ(std::pair(MESSAGE_BAR, BUTTON_BAR), std::pair(0, 0));
}

TEST_F(InputTest, LeftClicksStepOrDragFromTheOwnTileAndRightClicksOpenMenusOnlyOnSeenSquares) {
  // The own tile at 800 x 600: 394 < x < 442, 298 < y < 346.
  pass(click(400, 300, MOUSE_LEFT, {IN_UP}));
  EXPECT_EQ(called, std::vector<std::string>{"dragmove"});
  EXPECT_EQ(leader().y, 10);  // the click ends the pass
  pass(click(394, 300, MOUSE_LEFT));
  EXPECT_EQ(called.back(), "mainbox");
  // Outside the click area the left button reaches the keyboard.
  called.clear();
  pass(click(700, 300, MOUSE_LEFT, {IN_UP}));
  EXPECT_EQ(std::pair(called.empty(), leader().y), std::pair(true, 9));
  SetUp();
  pass(click(400, 300, MOUSE_RIGHT, {IN_UP}));
  EXPECT_EQ(called, std::vector<std::string>{"rightclick"});
  EXPECT_EQ(std::pair(right_x, right_y), std::pair(10, 10));
  EXPECT_EQ(std::pair(pointer_x, pointer_y), std::pair(8 * 48 + 24, 6 * 48 + 24));
  EXPECT_EQ(leader().y, 10);

  // A square never seen: nothing opens, whatever the ray says; once seen
  // (and in the leader's view) it answers.
  called.clear();
  map[Z][10][8].revealed = 0;
  pass(click(400, 10 + 4 * 48 + 5, MOUSE_RIGHT));
  EXPECT_TRUE(called.empty());
  map[Z][10][8].revealed = 1;
  pass(click(400, 10 + 4 * 48 + 5, MOUSE_RIGHT));
  EXPECT_EQ(called, std::vector<std::string>{"rightclick"});
  EXPECT_EQ(std::pair(right_x, right_y), std::pair(10, 8));

  // A square far out of the level: nothing read, nothing opened.
  called.clear();
  leader().x = 1;
  pass(click(20, 300, MOUSE_RIGHT));
  EXPECT_TRUE(called.empty());
}

TEST_F(InputTest, MovementKeysActTogetherInOnePass) {
  pass(keys({IN_UP, IN_RIGHT}));
  EXPECT_EQ(std::tuple(leader().y, leader().facing, UPDATE_MAP), std::tuple(9, NORTHEAST, 1));
  EXPECT_EQ(std::pair(map[Z][10][9].occupant_unit, map[Z][10][10].occupant_unit), std::pair(1, 0));
  pass(keys({IN_LEFT, IN_DOWN}));  // back first, then turn left
  EXPECT_EQ(std::tuple(leader().x, leader().y, leader().facing), std::tuple(9, 10, NORTH));
  // Killed in the creatures' turn a step handed over: nobody left to move.
  leader().status = UNIT_FREE;
  map[Z][9][10].occupant_player = map[Z][9][10].occupant_unit = 0;
  pass(keys({IN_J, IN_RIGHT}));
  EXPECT_EQ(std::tuple(leader().x, leader().y, leader().facing), std::tuple(9, 10, NORTH));
}

bool leave_reply = false;

TEST_F(InputTest, EscapeAsksBeforeEndingTheGameAfterThePass) {
  input_actions asking = recording_actions();
  asking.ask_leave = [] {
    called.push_back("ask");
    return leave_reply;
  };
  leave_reply = false;
  dispatch_input(keys({IN_ESC, IN_S}), asking);
  EXPECT_EQ(called, (std::vector<std::string>{"ask", "screenshot"}));
  EXPECT_EQ(gameover, 0);
  leave_reply = true;
  dispatch_input(keys({IN_ESC, IN_S, IN_UP}), asking);
  EXPECT_EQ(std::pair(gameover, leader().y), std::pair(GAME_OVER, 9));

  // {yes, no, clicked, answer}
  const int replies[][4] = {{0, 0, 0, LEAVE_UNANSWERED},
                            {1, 0, 0, LEAVE_YES},
                            {1, 1, 1, LEAVE_YES},
                            {0, 1, 0, LEAVE_NO},
                            {0, 0, 1, LEAVE_NO}};
  for (const auto& r : replies)
    EXPECT_EQ(answer_to_leave(r[0], r[1], r[2]), r[3]) << r[0] << r[1] << r[2];
}

TEST_F(InputTest, ClimbKeysEndThePassAndOnlyOneActsAndPauseAndJumpReachTheirCommands) {
  map[Z][10][10].scenery = SCENERY_LADDER_UP;
  pass(keys({IN_U, IN_D, IN_O, IN_UP}));
  EXPECT_EQ(std::pair(leader().z, leader().y), std::pair(Z + 1, 10));
  EXPECT_FALSE(headless_said("You cannot go DOWN here!") ||
               headless_said("There is no DOOR there."));
  pass(keys({IN_P}));
  EXPECT_TRUE(was_called("pause"));
  // Three clear squares ahead: the long jump; rock two ahead: the short one.
  EXPECT_EQ(keyboard_jump_distance(), 2);
  leader().y = 6;
  EXPECT_EQ(keyboard_jump_distance(), 1);
  UPDATE_MAP = 0;
  pass(keys({IN_J}));
  EXPECT_EQ(UPDATE_MAP, 1);
}

TEST_F(InputTest, TheTurnButtonOrKeysHandPlayOnOrEndTheTurn) {
  place(1, 2, 12, 12, Z);
  const std::pair<input_state, input_state> next_and_end[] = {
      {click(30, 220, MOUSE_LEFT), click(30, 220, MOUSE_RIGHT)}, {keys({IN_N}), keys({IN_E})}};
  for (const auto& [next, end] : next_and_end) {
    CURRENT_UNIT = 1, UPDATE_MAP = 0;
    pass(next);
    EXPECT_EQ(std::pair(CURRENT_UNIT, UPDATE_MAP), std::pair(2, 1));
    leader().moves = unit[1][2].moves = 0;
    pass(end);  // refreshed after the creatures
    EXPECT_EQ(std::pair(leader().moves, unit[1][2].moves),
              std::pair(leader().movement, unit[1][2].movement));
  }
}

TEST(InputRegions, MapAreaAndOwnTileFollowTheView) {
  reset_globals();
  reset_view_settings();
  MAPTILES_X = 26, MAPTILES_Y = 14;  // 1280 x 720
  EXPECT_TRUE(on_own_tile(13 * 48 + 11, 7 * 48 + 11));
  EXPECT_FALSE(on_own_tile(13 * 48 + 10, 7 * 48 + 11) || on_own_tile(14 * 48 + 10, 7 * 48 + 11));
  EXPECT_TRUE(on_map_area(11 * 48 - 191, 100));
  EXPECT_FALSE(on_map_area(11 * 48 - 192, 100) || on_map_area(15 * 48 + 192, 100));
  EXPECT_EQ(std::tuple(pointer_dx(13 * 48 + 10), pointer_dx(13 * 48 + 9), pointer_dy(9 * 48 + 10)),
            std::tuple(0, -1, 2));
  // Lower bounds are exclusive; (30, 250) lies between turn and options.
  const int buttons[][3] = {{10, 50, BUTTON_NONE},
                            {149, 99, BUTTON_PORTRAIT},
                            {59, 449, BUTTON_QUIT},
                            {59, 450, BUTTON_NONE},
                            {30, 250, BUTTON_NONE}};
  for (const auto& b : buttons) EXPECT_EQ(button_at(b[0], b[1]), b[2]) << b[0] << "," << b[1];
  // Every button the strip draws, from 100 to 449, answers a click.
  for (int y = 125; y < 450; y += 50) EXPECT_NE(button_at(30, y), BUTTON_NONE) << y;
}

TEST_F(InputTest, F1AndQuestionMarkOpenTheHelpAndNothingElseActs) {
  place(1, 2, 12, 12, Z);
  for (input_key opener : {IN_F1, IN_QUESTION}) {
    called.clear();
    std::string before = world_digest();
    // Everything else held in the same pass must wait: the help opens first.
    pass(keys({opener, IN_UP, IN_RIGHT, IN_N, IN_E, IN_J, IN_ESC, IN_U}));
    EXPECT_EQ(called, std::vector<std::string>{"help"});
    EXPECT_EQ(world_digest(), before);
    EXPECT_EQ(leader().y, 10);
    EXPECT_EQ(CURRENT_UNIT, 1);
    EXPECT_NE(gameover, GAME_OVER);
  }
}

TEST(InputHelp, EveryKeyOfPlayIsInTheTableOnceAndEveryCommandInTheHelpText) {
  const std::string text = help_text();
  for (int k = 0; k < INPUT_KEYS; k++) {
    int listed = 0;
    for (int i = 0; i < KEY_COMMAND_COUNT; i++) {
      const key_command& c = KEY_COMMANDS[i];
      if (c.key != k) continue;
      listed++;
      EXPECT_NE(c.run, nullptr);
      EXPECT_NE(text.find(std::string(c.name)), std::string::npos) << c.name;
      EXPECT_NE(text.find(std::string("  ") + c.what + "\n"), std::string::npos) << c.name;
    }
    EXPECT_EQ(listed, 1) << "key " << k;
  }
  for (int b = BUTTON_PORTRAIT; b <= BUTTON_HELP; b++) {
    bool found = false;
    for (int i = 0; i < MOUSE_COMMAND_COUNT; i++) found |= MOUSE_COMMANDS[i].button == b;
    EXPECT_TRUE(found) << "button " << b;
  }
  for (const char* click : {"MAP, LEFT CLICK", "MAP, RIGHT CLICK", "DRAG FROM UNIT"})
    EXPECT_NE(text.find(click), std::string::npos) << click;
}

// Any key closes the help once the press that opened it is let go; the
// world stands still all the while.
TEST_F(InputTest, TheHelpWaitsForTheOpeningPressToBeLetGoAndTheWorldStandsStill) {
  static std::string at_open;
  static int polls;
  // F1 held for three polls, nothing for two, a key down for two polls: the
  // last press is left for the game.  Opened with nothing held: the first key.
  const std::pair<std::vector<bool>, int> scripts[] = {
      {{true, true, true, false, false, true, true, false, true}, 8}, {{false, true, false}, 3}};
  for (const auto& [script, asked] : scripts) {
    static const std::vector<bool>* now;
    now = &script;
    polls = 0;
    at_open.clear();
    input_actions a = recording_actions();
    a.help = [] {
      at_open = world_digest();
      polls = wait_out_help([] {
        EXPECT_EQ(world_digest(), at_open);
        return (*now)[polls++];
      });
    };
    const std::string before = world_digest();
    dispatch_input(keys({IN_F1, IN_UP}), a);
    EXPECT_EQ(at_open, before);
    EXPECT_EQ(polls, asked);
    EXPECT_EQ(world_digest(), before);
  }
}

// About as wide and tall as the game's bold face: capitals near two thirds
// of the size, lines a quarter taller than the size.
text_metrics bold_font() {
  return {[](const std::string& t, int size) { return static_cast<int>(t.size()) * size * 2 / 3; },
          [](int size) { return size + size / 4 + 1; }};
}

bool overlap(const placed_text& a, const placed_text& b) {
  return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

TEST(HelpLayout, BothPagesFitEveryResolutionWithoutOverlaps) {
  const int sizes[3][2] = {{800, 600}, {1024, 768}, {1280, 720}};
  for (auto lay_out : {lay_out_how_to_play, lay_out_help})
    for (const auto& s : sizes) {
      SCOPED_TRACE(std::to_string(s[0]) + "x" + std::to_string(s[1]));
      help_layout lay = lay_out(s[0], s[1], bold_font());
      EXPECT_TRUE(lay.fits);
      EXPECT_GE(lay.size, 11);  // still readable
      for (size_t i = 0; i < lay.texts.size(); i++) {
        const placed_text& t = lay.texts[i];
        EXPECT_TRUE(t.x >= 0 && t.y >= 0 && t.x + t.w <= s[0] && t.y + t.h <= s[1]) << t.text;
        for (size_t j = i + 1; j < lay.texts.size(); j++)
          EXPECT_FALSE(overlap(t, lay.texts[j])) << t.text << " / " << lay.texts[j].text;
      }
    }
}

TEST(HelpLayout, EveryCommandIsPlacedOnceWithItsNameAndBiggerOnABigScreen) {
  help_layout lay = lay_out_help(800, 600, bold_font());
  auto count = [&](const std::string& text, help_role role) {
    return std::ranges::count_if(lay.texts, [&](const placed_text& t) {
      return t.role == role &&
             (role != HELP_ROLE_NAME
                  ? t.text == text
                  // Keys doing the same share a line: "F1 / ?".
                  : (" / " + t.text + " / ").find(" / " + text + " / ") != std::string::npos);
    });
  };
  for (int i = 0; i < KEY_COMMAND_COUNT; i++)
    EXPECT_EQ(count(KEY_COMMANDS[i].name, HELP_ROLE_NAME), 1) << KEY_COMMANDS[i].name;
  for (int i = 0; i < MOUSE_COMMAND_COUNT; i++)
    EXPECT_EQ(count(MOUSE_COMMANDS[i].name, HELP_ROLE_NAME), 1) << MOUSE_COMMANDS[i].name;
  EXPECT_EQ(count(HELP_TITLE, HELP_ROLE_TITLE), 1);
  EXPECT_EQ(count(HELP_PROMPT, HELP_ROLE_PROMPT), 1);
  // A big screen takes bigger text; a tiny one says it does not fit.
  EXPECT_GT(lay_out_help(1280, 720, bold_font()).size, lay_out_help(800, 600, bold_font()).size);
  EXPECT_FALSE(lay_out_help(320, 200, bold_font()).fits);
}

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
