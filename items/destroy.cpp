// Freeing slots.  A freed object keeps the word "destroyed" in its texts so a
// stale index shows up plainly in a trace or on screen.
#include "items/destroy.h"

#include <algorithm>

#include "core/world.h"

static int object_scan_end() { return std::min(MAX_OBJECTS, OBJECT_SLOTS); }

void destroy_object(int k) {
  if (k < 1 || k >= OBJECT_SLOTS) return;
  object_record& o = object[k];
  if (o.status == OBJECT_ON_GROUND && on_grid(o.z, o.x, o.y) && map[o.z][o.x][o.y].object_count > 0)
    map[o.z][o.x][o.y].object_count--;
  o = object_record{};
  copy_text(o.name, "destroyed");
  copy_text(o.description, "destroyed");
}

void destroy_container_items(int c) {
  if (c < 1 || c >= CONTAINER_SLOTS) return;
  for (int i = 1; i < object_scan_end(); i++) {
    const object_record& o = object[i];
    if (o.status != OBJECT_FREE && o.owner_player == OWNER_CONTAINER && o.owner_unit == c)
      destroy_object(i);
  }
}

void destroy_container(int c) {
  if (c < 1 || c >= CONTAINER_SLOTS) return;
  destroy_container_items(c);
  container_record& k = container[c];
  k.x = k.y = k.z = k.facing = 0;
  k.size = k.capacity = k.weight = k.state = k.type = 0;
  k.strength = k.health = k.init_health = k.locked = k.trapped = 0;
}
