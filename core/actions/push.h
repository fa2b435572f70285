// Pushing and dragging chests, barrels and boulders.
#pragma once

// The container on the square ahead, 0 if none.
int facing_container(int player, int u);
int facing_container_type(int player, int u);
void push_container(int player, int u);
void drag_container(int player, int u);
