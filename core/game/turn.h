// The turn cycle: handing play from unit to unit and ageing the world.
#pragma once

void end_turn();
