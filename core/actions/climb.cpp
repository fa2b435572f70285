// Climbing between levels. A unit steps off its square and onto the one
// above or below like any other move, so the square it leaves is free again
// and the one it takes blocks others.
#include "core/actions/climb.h"

#include "core/actions/events.h"
#include "core/frontend.h"
#include "core/game_end.h"
#include "core/occupancy.h"
#include "core/turn_order.h"
#include "core/world.h"
#include "creatures/score.h"
#include "creatures/sight.h"
#include "core/replay.h"

constexpr int LEADER = 1;

// Someone stands on the square: its occupant fields name them, or a standing
// unit of the table is there (one square never holds two units).
bool square_taken(int z, int x, int y) {
  if (!on_grid(z, x, y)) return true;
  const map_cell& c = map[z][x][y];
  if (c.occupant_player >= 1 || c.occupant_unit >= 1) return true;
  for (int p = 1; p < 4; p++)
    for (int n = 1; n < UNIT_SLOTS; n++) {
      const unit_record& r = unit[p][n];
      if (r.status == UNIT_FREE || r.status == UNIT_GONE) continue;
      if (r.z == z && r.x == x && r.y == y) return true;
    }
  return false;
}

void climb_to(int player, int u, int z) {
  const unit_record& me = unit[player][u];
  const int x = me.x, y = me.y;
  map[me.z][x][y].passable = 1;
  move_unit(player, u, z, x, y);
  map[z][x][y].passable = 0;
  reveal_tiles();
  UPDATE_MAP = 1;
}

void pass_to_next_unit() {
  recorded_command command("pass_to_next_unit", {});
  next_unit();
  reveal_tiles();
  novel_event(CURRENT_PLAYER, CURRENT_UNIT);
  UPDATE_MAP = 1;
}

void leave_the_dungeon(int player, int u) {
  unit_record& me = unit[player][u];
  if (u == LEADER) {
    note_game_end(ENDING_CLIMBED_OUT, "", me.z);
    message_box("YOU ZORVANE!!!!");
    rest_ms(1000);
    final_score();
    warning_message("YOU CLIMB THE stairs..", "", "Into the light...", "And fresh air.", "",
                    "You zorvane, WELL DONE!", 14);
    rest_ms(1000);
    gameover = GAME_OVER;
    return;
  }
  message_box("UNIT ZORVANES! WELL DONE!");
  me.status = UNIT_GONE;
  pass_to_next_unit();
  // Out of the dungeon, so no longer in anyone's way.
  remove_unit(player, u);
  map[me.z][me.x][me.y].passable = 1;
  rest_ms(50);
}

void climb_a_level_up(int player, int u, int cost, int made_above) {
  unit_record& me = unit[player][u];
  if (me.z == LEVELS - 1) {
    me.moves -= cost;
    leave_the_dungeon(player, u);
    return;
  }
  if (square_taken(me.z + 1, me.x, me.y)) {
    message_box("Someone or thing is blocking the way!");
    return;
  }
  message_box("You CLIMB UP the stairs.");
  me.moves -= cost;
  map_cell& above = map[me.z + 1][me.x][me.y];
  if (above.scenery != SCENERY_LADDER_DOWN) {
    above.scenery = made_above;
    above.terrain = TERRAIN_PASSAGE_FLOOR;
    environment[me.z + 1][me.x][me.y].lava = 0;
  }
  climb_to(player, u, me.z + 1);
}

void climb_a_level_down(int player, int u, int cost, const char* text) {
  unit_record& me = unit[player][u];
  if (me.z == 0) {
    message_box("The LADDER only goes UP.");
    return;
  }
  if (square_taken(me.z - 1, me.x, me.y)) {
    message_box("Someone or thing is blocking the way!");
    return;
  }
  message_box(text);
  me.moves -= cost;
  climb_to(player, u, me.z - 1);
}

void climb_up(int player, int u) {
  recorded_command command("climb_up", {player, u});
  if (!unit_slot_valid(player, u)) return;
  unit_record& me = unit[player][u];
  if (!on_grid(me.z, me.x, me.y)) return;
  int scenery = map[me.z][me.x][me.y].scenery;
  if (scenery != SCENERY_STAIRS_BOTH_WAYS && scenery != SCENERY_LADDER_UP) {
    message_box("You cannot go UP here!");
    return;
  }
  // A ladder up with no ladder down above it comes out through a trapdoor.
  climb_a_level_up(player, u, 0, SCENERY_TRAPDOOR);
}

void climb_down(int player, int u) {
  recorded_command command("climb_down", {player, u});
  if (!unit_slot_valid(player, u)) return;
  unit_record& me = unit[player][u];
  if (!on_grid(me.z, me.x, me.y)) return;
  int scenery = map[me.z][me.x][me.y].scenery;
  if (scenery != SCENERY_STAIRS_BOTH_WAYS && scenery != SCENERY_LADDER_DOWN &&
      scenery != SCENERY_TRAPDOOR) {
    message_box("You cannot go DOWN here!");
    return;
  }
  climb_a_level_down(player, u, 0, "You CLIMB DOWN the stairs.");
}
