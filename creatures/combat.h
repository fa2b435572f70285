// One unit strikes another.
#pragma once

void combat(int defender_player, int defender_u, int attacker_player, int attacker_u);
void turn_to_defender(int attacker_player, int attacker_u, int defender_player, int defender_u);
