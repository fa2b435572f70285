// The turn cycle: handing play from unit to unit and ageing the world.
#pragma once

void next_unit();
void end_turn();
void refresh_movement(int player);
