// The monster catalogue: seventeen kinds of creature, each in three grades,
// whose numbers grow with the level they are made on and the difficulty.
#pragma once

// Race codes (unit_record.race).
constexpr int RACE_HUMAN = 0;
constexpr int RACE_SKELETON = 1;
constexpr int RACE_GOBLIN = 2;
constexpr int RACE_RAT = 3;
constexpr int RACE_GHOUL = 4;
constexpr int RACE_SPIDER = 5;
constexpr int RACE_BLOB = 6;
constexpr int RACE_DWARF = 7;
constexpr int RACE_GOLEM = 8;
constexpr int RACE_HOBGOBLIN = 9;
constexpr int RACE_GNOME = 10;
constexpr int RACE_CAVEDWELLER = 11;
constexpr int RACE_SALAMANDER = 12;
constexpr int RACE_MINOTAUR = 13;
constexpr int RACE_WATER_TERROR = 14;
constexpr int RACE_HENCHMAN = 77;
constexpr int RACE_BELOVED = 99;

// Requests that are not plain race codes.
constexpr int REQUEST_PRISONER = 6;     // a human held captive
constexpr int REQUEST_WATER = 14;       // a water terror, or a goblin on dry land
constexpr int REQUEST_SALAMANDER = 45;  // a salamander wandering about its square
constexpr int REQUEST_SKELETON_GUARD = 87;

// Makes a creature in slot u of player at (x, y, z).  kind is a race code or
// one of the requests above; anything else makes nothing, as do a slot that
// holds a live unit and a square off the grid.
void create_monster(int player, int u, int z, int x, int y, int kind);
// Gives a new creature one item, made on its square.
void monster_object(int player, int u);
