// One step of a unit towards its waypoint, with the needs that come first.
#pragma once

void AIunitmove(int player, int u);
