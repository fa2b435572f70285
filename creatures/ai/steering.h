// One step of a unit towards its waypoint, with the needs that come first.
#pragma once

// Eats, scavenges, picks up or climbs when the unit needs or wants to;
// otherwise steps towards waypoint waypoint_index.  BOUNCED is 1 afterwards
// when the step was blocked every way the unit tried.
void AIunitmove(int player, int u);
