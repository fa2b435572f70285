// The pictures and the font of the Allegro front end: every working bitmap,
// every tile table and every fixed picture, created and loaded at start-up
// and released once at exit.  Only *_allegro.cpp files include this.
#pragma once

#include <allegro.h>

#include <memory>

#include "core/world.h"
#include "ui/alfont.h"

struct bitmap_deleter {
  void operator()(BITMAP* b) const {
    // After allegro_exit there is no driver left to release through.
    if (b && system_driver) destroy_bitmap(b);
  }
};

// One picture, owned alone or shared with other slots that show the same
// (a blank tile, every rat of a level).  Converts to BITMAP* so it can be
// handed straight to Allegro's drawing calls; an empty slot converts to null.
// A shared picture is never drawn on: it is read only once made.
class bitmap_slot {
 public:
  operator BITMAP*() const { return p_.get(); }
  BITMAP* get() const { return p_.get(); }
  void reset(BITMAP* b = nullptr) {
    if (b)
      p_.reset(b, bitmap_deleter{});
    else
      p_.reset();
  }
  // Shows the picture of other, released when the last slot showing it lets go.
  void share(const bitmap_slot& other) { p_ = other.p_; }
  explicit operator bool() const { return p_ != nullptr; }

 private:
  std::shared_ptr<BITMAP> p_;
};

constexpr int LAND_PICTURES = 250;
constexpr int SCENERY_PICTURES = 250;
constexpr int WALL_PICTURES = 10;
constexpr int DOOR_PICTURES = 20;
constexpr int PERSON_PICTURES = 9;
constexpr int EFFECT_FRAMES = 20;
constexpr int GLOWRING_FRAMES = 4;
constexpr int MESSAGE_PANEL_W = 600;
constexpr int MESSAGE_PANEL_H = 140;

// Working bitmaps
extern bitmap_slot MASK_SCREEN, TEMP_SCREEN, MESSAGE_SCREEN;

// Tile tables
extern bitmap_slot land_bmp[LAND_PICTURES];
extern bitmap_slot scenery_bmp[SCENERY_PICTURES];
extern bitmap_slot wall_bmp[WALL_PICTURES];
extern bitmap_slot door_bmp[DOOR_PICTURES];
extern bitmap_slot person_bmp[PERSON_PICTURES];
extern bitmap_slot unit_bmp[4][UNIT_SLOTS];
extern bitmap_slot object_bmp[OBJECT_SLOTS];
extern bitmap_slot explode_bmp[EFFECT_FRAMES];
extern bitmap_slot sparkles_bmp[EFFECT_FRAMES];
extern bitmap_slot glowring_bmp[EFFECT_FRAMES];

// Fixed pictures
extern bitmap_slot gomouse_bmp, nomouse_bmp, fingermouse_bmp, attackmouse_bmp, pausemouse_bmp;
extern bitmap_slot splat_bmp, arrow_bmp, sighthole_bmp, sighthole_bmp3, scroll_bmp, eye_bmp;
extern bitmap_slot redtint_bmp, buttons_bmp, floor_corner_bmp, otherperson_bmp;
extern bitmap_slot MBL_bmp, MBR_bmp, MBT_bmp, MBB_bmp;
// Made by later screens (mini map, event cards); released here with the rest.
extern bitmap_slot tempmap, transmap, mini_map_bmp, map_bmp, timer_bmp, gun_bmp, SPLASH_BMP;

// The game's one TrueType face, "fonts/timesbd.TTF".
extern alfont_handle font1;

// The mask colour of every picture: magenta.
inline int mask_colour() { return makecol(255, 0, 255); }

// Sprite calls that tolerate a missing picture.
inline void draw_sprite_safe(BITMAP* dst, BITMAP* src, int x, int y) {
  if (dst && src) draw_sprite(dst, src, x, y);
}
inline void draw_trans_sprite_safe(BITMAP* dst, BITMAP* src, int x, int y) {
  if (dst && src) draw_trans_sprite(dst, src, x, y);
}
inline void draw_lit_sprite_safe(BITMAP* dst, BITMAP* src, int x, int y, int light) {
  if (dst && src) draw_lit_sprite(dst, src, x, y, light);
}
inline void blit_safe(BITMAP* src, BITMAP* dst, int sx, int sy, int dx, int dy, int w, int h) {
  if (dst && src) blit(src, dst, sx, sy, dx, dy, w, h);
}

// Size of the composed map view: one tile more than the view each way.
int view_width();
int view_height();

// The 30 Hz timer callback: raises ticker.
void tick();

// Shows backdrop (screen sized or smaller) with the pointer on it.
void draw_mouse_over(BITMAP* backdrop);

// Start-up pieces (see graphics_loop).
void create_all_bitmaps();
void init_images();
void init_message_box();
void font_init();
void destroy_all_bitmaps();
// create_all_bitmaps, init_images and font_init: everything loaded from disk.
void load_all_assets();
// A picture from data/, or null; with a message, a failure prints it.
BITMAP* load_picture(const char* path);
// The picture of a unit or an item: path with overlay (or null) drawn on it,
// loaded once and shared by every slot that shows it; empty when path will
// not load.
bitmap_slot icon_picture(const char* path, const char* overlay);
