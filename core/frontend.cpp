// The dispatchers through which the rules reach the screen, and the choice of
// the picture each unit and object is drawn with.
#include "core/frontend.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/headless.h"
#include "core/messages.h"
#include "core/occupancy.h"
#include "core/replay.h"
#include "core/world.h"

const front_end* frontend = &headless_front_end;

void select_frontend(const front_end* fe) { frontend = fe ? fe : &headless_front_end; }

void message_box(const char* text) {
  if (DEBUG_MODE > 0) std::printf("\n Message-Box call");
  add_message_line(text);
  frontend->message_box(text ? text : "");
  if (DEBUG_MODE > 0) std::printf("\n End Message-Box call");
}

void warning_message(const char* l1, const char* l2, const char* l3, const char* l4, const char* l5,
                     const char* l6, int size) {
  frontend->warning_message(l1, l2, l3, l4, l5, l6, size);
  WARNING_FOOTNOTE.clear();
}

std::string WARNING_FOOTNOTE;

void drawmap() {
  if (unit_slot_valid(CURRENT_PLAYER, CURRENT_UNIT)) {
    int z = unit[CURRENT_PLAYER][CURRENT_UNIT].z;
    if (z >= 0 && z < LEVELS) map_occupied(z);
  }
  // A call to draw is a call for the whole picture: the map leaves out units
  // and items unless UPDATE_MAP is set, and a draw between two passes of the
  // frame loop (the pause, an unlocked door) would lose them.
  UPDATE_MAP = 1;
  frontend->drawmap();
  UPDATE_MAP = 0;
}

// Whatever the rules do while the front end reads one input is the player's
// command, and is what a replay records.
void getinput() {
  player_input_scope input;
  frontend->getinput();
}
void enter_name() { frontend->enter_name(); }
void rest_ms(int milliseconds) { frontend->rest(milliseconds); }
bool wait_tick() {
  if (frontend->wait_tick) return frontend->wait_tick();
  frontend->rest(1);
  return false;
}
bool picture_animated() { return frontend->picture_animated && frontend->picture_animated(); }
int splat_angle() { return (std::rand() % 4) * 64 + 64; }
void draw_splat(int dx, int dy, int size) { frontend->draw_splat(dx, dy, size, splat_angle()); }
void draw_explosion(int dx, int dy, int kind) { frontend->draw_explosion(dx, dy, kind); }
void draw_zapline(int dx1, int dy1, int dx2, int dy2) {
  frontend->draw_zapline(dx1, dy1, dx2, dy2);
}
void highcolor_fade_out(int speed) { frontend->highcolor_fade_out(speed); }
void clear_message_box() {
  clear_message_history();
  frontend->clear_message_box();
}
void clear_screen() {
  if (frontend->clear_screen) frontend->clear_screen();
}
void splash_screen2() { frontend->splash_screen2(); }
int option_select(const char* l1, const char* l2, const char* l3, const char* title) {
  return frontend->option_select(l1, l2, l3, title);
}
std::string select_file() { return frontend->select_file(); }
void creature_turn_banner() { frontend->creature_turn_banner(); }
void show_fps(int fps) { frontend->show_fps(fps); }

void usleep(int delay) {
  double divisor = 0.5;
  if (GAME_SPEED == 2)
    divisor = 3.0;
  else if (GAME_SPEED == 3)
    divisor = 20.0;
  int n = static_cast<int>(delay / divisor);
  // n / 100 000 seconds, that is n / 100 milliseconds
  int ms = n / 100;
  if (ms > 0) frontend->wait_clock(ms);
}

// ---------------------------------------------------------------------------
// Pictures of units and objects
// ---------------------------------------------------------------------------

static const char* race_picture(int race) {
  static const char* const files[] = {
      "data/you.bmp",        "data/skeleton2.bmp",  "data/goblin2.bmp",    "data/rat2.bmp",
      "data/ghoul2.bmp",     "data/spider2.bmp",    "data/goo.bmp",        "data/dwarf2.bmp",
      "data/golem2.bmp",     "data/hobgoblin2.bmp", "data/gnome2.bmp",     "data/trog.bmp",
      "data/salamander.bmp", "data/minotaur.bmp",   "data/waterterror.bmp"};
  if (race >= 0 && race < 15) return files[race];
  return "data/unknown.bmp";
}

static const char* armour_picture(const object_record& o) {
  switch (o.range) {
    case SLOT_BACK:
      return "data/backpack.bmp";
    case SLOT_HEAD:
      return "data/helmet.bmp";
    case SLOT_SHIELD: {
      const char* pic = "data/shield.bmp";
      if (std::strstr(o.name, "small")) pic = "data/shield.bmp";
      if (std::strstr(o.name, "large")) pic = "data/largeshield.bmp";
      return pic;
    }
    case SLOT_LEGS:
      return "data/legs.bmp";
    case SLOT_ARMS:
      return "data/arms2.bmp";
    case SLOT_FEET:
      return o.var1 == 99 ? "data/sboots.bmp" : "data/boots.bmp";
    default:
      return "data/armour.bmp";
  }
}

static const char* weapon_picture_file(const object_record& o, int picture) {
  // Every match overwrites the one before, so "pickaxe" beats "axe".
  static const char* const words[] = {"sword", "axe",    "club",  "dagger", "pickaxe",
                                      "rock",  "shovel", "spear", "hammer"};
  for (int i = 0; i < 9; i++)
    if (std::strstr(o.name, words[i])) picture = i;
  static const char* const files[] = {"data/sword.bmp",  "data/axe.bmp",     "data/club.bmp",
                                      "data/dagger.bmp", "data/pickaxe.bmp", "data/rock.bmp",
                                      "data/spade.bmp",  "data/spear.bmp",   "data/hammer.bmp"};
  if (picture >= 0 && picture <= 8) return files[picture];
  return "data/dagger.bmp";
}

static const char* gem_picture(const object_record& o) {
  const char* pic = "data/unknown.bmp";
  if (std::strstr(o.name, "amethyst")) pic = "data/purplegem.bmp";
  if (std::strstr(o.name, "sapphire")) pic = "data/bluegem.bmp";
  if (std::strstr(o.name, "emerald")) pic = "data/greengem.bmp";
  if (std::strstr(o.name, "diamond") || std::strstr(o.name, "crystal")) pic = "data/whitegem.bmp";
  if (std::strstr(o.name, "ruby")) pic = "data/redgem.bmp";
  return pic;
}

bool icon_file(int kind, int player, int number, int weapon_picture, std::string& path,
               std::string& overlay) {
  overlay.clear();
  if (kind == 1) {
    if (!unit_slot_valid(player, number)) return false;
    path = race_picture(unit[player][number].race);
    return true;
  }
  if (kind != 0 || number < 0 || number >= OBJECT_SLOTS) return false;
  const object_record& o = object[number];
  switch (o.type) {
    case ITEM_WEARABLE:
      path = armour_picture(o);
      break;
    case ITEM_WEAPON:
      path = weapon_picture_file(o, weapon_picture);
      break;
    case ITEM_MUSHROOMS:
      path = "data/mushrooms.bmp";
      break;
    case ITEM_HERBS:
      path = "data/herbs.bmp";
      break;
    case ITEM_FAIRY:
      path = "data/fairy.bmp";
      break;
    case ITEM_KEY:
      path = "data/key.bmp";
      break;
    case ITEM_GOLD:
      path = "data/bag.bmp";
      break;
    case ITEM_GEM:
      path = gem_picture(o);
      if (std::strstr(o.name, "chipped")) overlay = "data/gemchip.bmp";
      break;
    case ITEM_MAGIC:
      path = "data/boots.bmp";
      break;
    case ITEM_FOOD: {
      static const char* const foods[] = {"data/loaf.bmp", "data/meat.bmp", "data/fish2.bmp",
                                          "data/cheese.bmp"};
      path = foods[std::rand() % 4];
      break;
    }
    case ITEM_POTION: {
      static const char* const potions[] = {"data/redpotion.bmp", "data/greenpotion.bmp",
                                            "data/bluepotion.bmp"};
      path = potions[std::rand() % 3];
      break;
    }
    case ITEM_ROPE:
      path = "data/rope.bmp";
      break;
    case ITEM_CORPSE:
      path = "data/corpse.bmp";
      break;
    case ITEM_TORCH:
      // The last rule that applies wins: lit beats burnt out beats plain.
      path = "data/torch.bmp";
      if (o.var1 < 1) path = "data/torchout.bmp";
      if (o.status == OBJECT_LIT) path = "data/torchlit.bmp";
      break;
    default:
      path = "data/unknown.bmp";
      std::printf("\n WARNING WARNING OBJECT ASSIGNED WITH WRONG BMP!!! objno: %d", number);
      break;
  }
  return true;
}

void assign_icon(int kind, int player, int number, int weapon_picture) {
  std::string path, overlay;
  if (!icon_file(kind, player, number, weapon_picture, path, overlay)) return;
  frontend->load_icon(kind, player, number, path.c_str(),
                      overlay.empty() ? nullptr : overlay.c_str());
}
