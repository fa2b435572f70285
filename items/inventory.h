// What units carry.  Units have no lists of their own: an item belongs to the
// unit (or container) its owner fields name, so every question here is a scan
// of the object table.
#pragma once

// Presence queries: the index of the first matching item the unit owns, 0 for
// none.  Packed items (status 10) never count as at hand.
int carry_key(int player, int u);
int carry_fairy(int player, int u);
int carry_rope(int player, int u);
int carry_weapon(int player, int u);  // wielded
int carry_armour(int player, int u);  // worn on the body
int carry_head(int player, int u);
int carry_legs(int player, int u);
int carry_arms(int player, int u);
int carry_feet(int player, int u);
int carry_backpack(int player, int u);
int carry_shield(int player, int u);
int carry_torch(int player, int u);  // an unlit torch, not packed
int carry_lit_torch(int player, int u);
int carry_light(int player, int u);  // a lit torch or a fairy in hand

// Load: worn, wielded and packed items weigh half.
int total_weight(int player, int u);
// Items in hand, worn or wielded: at most 9.
int carried_objects(int player, int u);
int packed_item(int player, int u);

int container_held(int c);
// Empties container c onto its own square and reports what came out.
void list_items_in_containter(int c);
// Destroys every item lying on a square.
void destroy_tile_objects(int z, int x, int y);

// A unit's damage once a weapon's bonus is taken off: never below 1, since a
// blow is drawn modulo the damage and a unit must always be able to hurt.
constexpr int lowered_damage(int damage, int bonus) {
  return damage - bonus < 1 ? 1 : damage - bonus;
}
