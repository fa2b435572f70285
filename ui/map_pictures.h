// Which picture the map shows where the choice depends on the world, as
// plain decisions that tests can ask without drawing.
#pragma once

// The scenery pictures of a wall top's edge.
constexpr int PICTURE_WALL_EDGE = 50;
constexpr int PICTURE_CAVE_WALL_EDGE = 51;

// The kind level z was built as, kept in the gas field of its corner square
// (LEVEL_TYPE only holds the kind of the level built last); 0 off the grid.
int stored_level_kind(int z);
// The edge picture of the wall tops of level z: the cave edge on a cavern.
int wall_top_edge_picture(int z);
