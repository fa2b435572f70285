// The help screen drawn over the game: a dark veil, the two columns of
// commands, and a wait for any key that leaves the game as it was.
#include <allegro.h>

#include <memory>

#include "core/world.h"
#include "ui/alfont.h"
#include "ui/assets_allegro.h"
#include "ui/help.h"
#include "ui/view_allegro.h"

namespace {

using owned_bitmap = std::unique_ptr<BITMAP, bitmap_deleter>;

int ink_of(help_role role) {
  switch (role) {
    case HELP_ROLE_TITLE:
    case HELP_ROLE_HEADING:
      return makecol(250, 210, 90);
    case HELP_ROLE_NAME:
      return makecol(160, 250, 160);
    case HELP_ROLE_PROMPT:
      return makecol(205, 205, 205);
    case HELP_ROLE_WHAT:
      break;
  }
  return makecol(255, 250, 250);
}

// The lock keys report themselves down on some keyboards for as long as the
// lock is on; they would hold the help open for ever.
bool anything_down() {
  rest(1);
  if (mouse_b) return true;
  for (int k = 1; k < KEY_MAX; k++) {
    if (k == KEY_NUMLOCK || k == KEY_CAPSLOCK || k == KEY_SCRLOCK) continue;
    if (key[k]) return true;
  }
  return false;
}

}  // namespace

namespace {

// The game under the help with the dark veil over it.  Laid anew for each
// page rather than kept: a third copy of the screen is not worth the saving.
void veil(BITMAP* under, BITMAP* page) {
  const int w = SCREEN_W, h = SCREEN_H;
  blit(under, page, 0, 0, 0, 0, w, h);
  set_trans_blender(0, 0, 0, 215);
  drawing_mode(DRAW_MODE_TRANS, nullptr, 0, 0);
  rectfill(page, 0, 0, w - 1, h - 1, makecol(8, 6, 16));
  solid_mode();
}

// One page over the veiled game, until a key goes down and up again.
void show_help_page(BITMAP* under, BITMAP* page, const help_layout& lay) {
  const int w = SCREEN_W, h = SCREEN_H;
  veil(under, page);
  ALFONT_FONT* f = font1.get();
  for (const placed_text& t : lay.texts) {
    alfont_set_font_size(f, t.size);
    alfont_textprintf_ex(page, f, t.x, t.y, ink_of(t.role), -1, "%s", t.text.c_str());
  }
  blit(page, screen, 0, 0, 0, 0, w, h);
  wait_out_help(anything_down);
  clear_keybuf();
}

}  // namespace

void show_help_allegro() {
  if (!screen || !font1) return;
  const int w = SCREEN_W, h = SCREEN_H;
  owned_bitmap under(create_bitmap(w, h)), page(create_bitmap(w, h));
  if (!under || !page) return;
  blit(screen, under.get(), 0, 0, 0, 0, w, h);

  text_metrics m = font_metrics(font1.get());
  show_help_page(under.get(), page.get(), lay_out_how_to_play(w, h, m));
  show_help_page(under.get(), page.get(), lay_out_help(w, h, m));
  blit(under.get(), screen, 0, 0, 0, 0, w, h);
  UPDATE_MAP = 1;
}
