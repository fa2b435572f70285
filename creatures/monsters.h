// The monster catalogue: creatures of every kind and grade.
#pragma once

void create_monster(int player, int u, int z, int x, int y, int kind);
void monster_object(int player, int u);
