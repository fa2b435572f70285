// The computer players' turn.
#pragma once

// Plays every unit of every player but CURRENT_PLAYER until its moves are
// spent.  Returns early when an attack ends the game (gameover 2).
void otherplayermove();

// The sight probe: 1 when the unit sees a member of the human party along
// one of the three rays ahead of it, else 0.
int sees_party(int player, int u);
