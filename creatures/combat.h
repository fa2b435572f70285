// One unit strikes another.
#pragma once

// Resolves one attack, melee or at range, of the attacker on the defender: the
// blow may be fumbled or miss, or hit a part of the body, perhaps critically;
// the defender turns on its attacker and may flee, be knocked out or die.  An
// attack always spends the attacker's remaining moves.  The caller has already
// decided that the attack is allowed (reach, sight, whose turn it is).
void combat(int defender_player, int defender_u, int attacker_player, int attacker_u);
// The direction from the attacker to the defender when the defender stands on
// one of the eight squares around it; otherwise the attacker's own facing.
int turn_to_defender(int attacker_player, int attacker_u, int defender_player, int defender_u);
