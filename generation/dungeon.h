// Building a new dungeon and placing the party in it.
#pragma once

// The world build that follows the reset of initializevariables.
void generate_world();
void test_map_init();
void assign_containers();
void generate_character();
