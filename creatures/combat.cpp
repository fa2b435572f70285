#include "creatures/combat.h"

void combat(int defender_player, int defender_u, int attacker_player, int attacker_u) {
  (void)defender_player, (void)defender_u, (void)attacker_player, (void)attacker_u;  // stand-in until built
}

void turn_to_defender(int attacker_player, int attacker_u, int defender_player, int defender_u) {
  (void)attacker_player, (void)attacker_u, (void)defender_player, (void)defender_u;  // stand-in until built
}
