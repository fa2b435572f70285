// Doors, chests and crypts: opening, closing, unlocking and forcing them.
#pragma once

constexpr int COST_OPEN_DOOR = 15;
constexpr int COST_CLOSE_DOOR = 35;
constexpr int COST_CLICK_DOOR = 25;
constexpr int COST_BASH_DOOR = 60;
constexpr int COST_OPEN_SCENERY = 35;

// The force a blow needs to break a door, and a prison-cell door.
constexpr int DOOR_BREAK_FORCE = 101;
constexpr int CELL_DOOR_BREAK_FORCE = 231;

// The chest lock states (container.locked).
constexpr int LOCK_NONE = 0;
constexpr int LOCK_UNKNOWN = 1;
constexpr int LOCK_KNOWN = 2;

// The callers make sure the square in that direction is a closed door
// (open_door) or an open, empty one (close_door).
void open_door(int direction, int player, int u);
void close_door(int direction, int player, int u);
// One blow with the wielded weapon against the door at (z, x, y).
void bash_door(int z, int x, int y, int player, int u);
// Breaks the door at (z, x, y) for good: open ground with no lock left.
void smash_door(int z, int x, int y);
// The acting unit opens the crypt (code 15) or chest (code 17) at the square.
void open_scenery(int x, int y, int z, int code);
// The acting unit clicks on the door square (x, y, z): opens, closes or
// unlocks it.  Returns 1 when the click was a door's to handle, 0 when the
// square is no door or its web or nest takes the click instead.
int interact_door(int x, int y, int z);
// The unit works the door it faces: unlocks a locked one with a carried key
// (which stays in the lock), opens a closed one, closes an open one whose
// doorway is empty. Each outcome, refusals included, is told in a message.
// object_facing looks ahead of the acting unit, so u is the acting unit.
void work_door_ahead(int player, int u);
