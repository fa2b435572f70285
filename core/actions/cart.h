// The mine-cart ride.
#pragma once

void traverse_track(int player, int u);
