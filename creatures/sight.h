// Line of sight: what the party sees and what a unit can see.
#pragma once

void reveal_tiles();
