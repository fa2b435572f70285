// The outer loop that starts, loads and leaves games, and the frame loop that
// draws, reads commands and hands the turn on while one game is played.
#include "core/game/loop.h"

#include <cstdio>
#include <string>

#include "core/actions/barrels.h"
#include "core/actions/events.h"
#include "core/frontend.h"
#include "core/game/newgame.h"
#include "core/game/turn.h"
#include "core/game_end.h"
#include "core/message_log.h"
#include "core/replay.h"
#include "core/seed.h"
#include "core/turn_order.h"
#include "core/version.h"
#include "core/world.h"
#include "creatures/score.h"
#include "creatures/sight.h"
#include "generation/character.h"
#include "persistence/game_record.h"
#include "persistence/save.h"

std::string LAST_RECORD;

static void keep_game_record();

void init_loop() {
  UPDATE_MAP = 1;
  BOUNCED = 0;
  CURRENT_PLAYER = 1;
  CURRENT_UNIT = 1;
  MESSAGE_LINE = 1;
  IS_GLOBAL_LIGHTING_ON = 0;

  if (gameover != GAME_QUIT) {
    splash_screen2();
    int choice = option_select("1 NEW GAME", "2 LOAD GAME", "3 QUIT", "MAIN MENU");
    if (choice == 1)
      gameover = GAME_NEW;
    else if (choice == 2)
      gameover = GAME_LOAD;
    else
      gameover = GAME_QUIT;
  }
  if (gameover == GAME_NEW) enter_name();
  if (gameover != GAME_NEW && gameover != GAME_LOAD) return;

  if (gameover == GAME_NEW) {
    DIFFICULTY = option_select("1 NORMAL", "2 HARD", "3 EXTREME", "SELECT DIFFICULTY LEVEL");
    if (DEBUG_MODE == 1) std::printf("\ninit loop():\n");
    message_log_clear();
    open_new_game();
    // On the console too, where it can be copied for --seed.
    std::printf("\nseed %u\n", GAME_SEED);
    // A game that cannot be recorded is still played.
    bool recorded = replay_begin(LAST_REPLAY, GAME_SEED, DIFFICULTY, unit[1][1].name, GAME_VERSION);
    note_game_begins(REPLAY_TURN, recorded, unit[1][1].name);
    // Said to the player only: no rule reads the message panel.
    message_box("F1 or ? shows how to play and every key.");
  } else {
    // A loaded game cannot be rebuilt from a seed: the load stops recording.
    if (text_load_map(0) == FAIL) return;
    novel_event(CURRENT_PLAYER, CURRENT_UNIT);
    reveal_tiles();
  }
  gameover = GAME_PLAYING;
  main_loop();
  replay_end();
  keep_game_record();
}

// The game's record beside the saves; a record that cannot be written costs
// the player nothing but a line on the console.
static void keep_game_record() {
  std::string reason;
  LAST_RECORD = write_game_record(RECORD_FOLDER, reason);
  if (LAST_RECORD.empty())
    std::printf("\nthe game's record could not be written: %s\n", reason.c_str());
  else if (DEBUG_MODE > 0)
    std::printf("\nrecord of the game: %s\n", LAST_RECORD.c_str());
}

static unit_record& acting_unit() { return unit[CURRENT_PLAYER][CURRENT_UNIT]; }

// The acting unit's turn is over: hand play on, or end the turn when nobody
// of the party has points left.
static void hand_on_play() {
  if (DEBUG_MODE > 0) std::printf("\n No Moves Left\n");
  int before = CURRENT_UNIT;
  next_unit();
  if (CURRENT_UNIT == before) {
    if (DEBUG_MODE > 0) std::printf("\n ending turn");
    end_turn();
  }
  if (gameover != GAME_OVER) {
    UPDATE_MAP = 1;
    novel_event(CURRENT_PLAYER, CURRENT_UNIT);
    reveal_tiles();
  }
}

// True when it changed anything.
static bool check_party_health() {
  unit_record& u = acting_unit();
  bool changed = false;
  if (u.health < 1 && u.status != UNIT_FREE) u.status = UNIT_UNCONSCIOUS;
  if (u.status == UNIT_UNCONSCIOUS) {
    message_box("Unit is unconscious.");
    u.moves = 0;
    changed = true;
  }
  if (unit[1][1].health <= -10 && gameover != GAME_OVER) {
    changed = true;
    const std::string& by = GAME_END.struck_by;
    note_game_end(ENDING_KILLED, by.empty() ? "wounds" : "wounds, last struck by " + by,
                  unit[1][1].z);
    warning_message("YOU ARE DEAD!", "", "GAME OVER", "", "", "", 20);
    if (DEBUG_MODE > 0) std::printf("YOU ARE DEAD!\n");
    rest_ms(500);
    final_score();
    gameover = GAME_OVER;
  }
  return changed;
}

// Whether the next pass must draw the picture again.  Nothing on it changes
// between two passes unless the rules ran (a command, the hand-over, an
// explosion), the player touched the keyboard or mouse (the pointer is drawn
// in the picture), the shown rate changed, or the animation phase stepped
// while fire or water was in view.  A frame drawn for nothing costs a few
// milliseconds, thirty times a second, for a player who is only reading.
struct frame_pacing {
  bool due = true;
  bool touched = false;  // since the last input poll
  int drawn_rate = -1, drawn_phase = -1;

  bool wanted(int shown_rate) const {
    return due || shown_rate != drawn_rate || (ticks != drawn_phase && picture_animated());
  }
  void drawn(int shown_rate) {
    due = false;
    drawn_rate = shown_rate;
    drawn_phase = ticks;
  }
};

void main_loop() {
  ticker = 0;
  int frames = 0, shown_rate = 0, last_poll = 0;
  const int frame_rate_base = 30;
  frame_pacing pacing;

  for (int i = 0; i < 8; i++) message_box("");
  acting_unit().moves = acting_unit().movement;

  while (gameover == GAME_PLAYING) {
    frames++;
    int t = ticker;
    if (t < 7)
      ticks = 0;
    else if (t < 14)
      ticks = 1;
    else if (t < 21)
      ticks = 2;
    else if (t < 28)
      ticks = 3;
    show_fps(shown_rate);
    if (ticker > frame_rate_base) {
      ticker = 0;
      shown_rate = frames;
      frames = 0;
    }

    if (pacing.wanted(shown_rate)) UPDATE_MAP = 1;
    if (UPDATE_MAP == 1) {
      drawmap();
      pacing.drawn(shown_rate);
      if (BARREL_EXPLODE) {
        map_barrelcheck(acting_unit().z);
        BARREL_EXPLODE = 0;
        pacing.due = true;
      }
      UPDATE_MAP = 0;
    }

    if (acting_unit().moves < 1) {
      hand_on_play();
      pacing.due = true;
    } else {
      int now = ticker;
      if (now - last_poll > 2 || last_poll - now > 2) {
        last_poll = now;
        getinput();
        novel_event(CURRENT_PLAYER, CURRENT_UNIT);
        if (pacing.touched) pacing.due = true;
        pacing.touched = false;
      }
    }

    if (check_party_health()) pacing.due = true;
    // Commands that drew or changed the picture themselves ask for it again.
    if (UPDATE_MAP == 1) pacing.due = true;
    if (wait_tick()) pacing.touched = pacing.due = true;
  }

  clear_message_box();
  if (DEBUG_MODE > 0) std::printf("\nDEAD outside mainloop\n");
  if (acting_unit().status == UNIT_FREE || gameover == GAME_OVER) gameover = GAME_PLAYING;
}

void leave_game() {
  recorded_command command("leave_game", {});
  note_game_end(ENDING_LEFT, "", unit[1][1].z);
  gameover = GAME_OVER;
}
