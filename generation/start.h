// The party's start: the leader and the starting kit in the start room.
#pragma once

// Places the leader with the starting kit once the world is built.
void test_map_init();
