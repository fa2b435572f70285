// TrueType text on Allegro bitmaps, through FreeType.  The calls keep the
// names and arguments of the AllegroFont library the game was written
// against; AllegroFont itself is not available, so this is our own module.
#pragma once

#include <memory>

struct BITMAP;
struct ALFONT_FONT;

constexpr int ALFONT_OK = 0;
constexpr int ALFONT_ERROR = -1;

// Releases a font loaded by alfont_load_font.
void alfont_destroy_font(ALFONT_FONT* f);

struct alfont_deleter {
  void operator()(ALFONT_FONT* f) const { alfont_destroy_font(f); }
};
// Owns a loaded font; an empty handle draws nothing.
using alfont_handle = std::unique_ptr<ALFONT_FONT, alfont_deleter>;

int alfont_init();
void alfont_exit();
// Null when the file cannot be read as a font.
ALFONT_FONT* alfont_load_font(const char* path);
int alfont_set_font_size(ALFONT_FONT* f, int height);
int alfont_get_font_height(ALFONT_FONT* f);
// Width in pixels of text at the current size.
int alfont_text_length(ALFONT_FONT* f, const char* text);

// Text whose top left corner is (x, y); colour and background are colours of
// the bitmap's depth (makecol), a background of -1 leaves it see-through.
void alfont_textout_ex(BITMAP* bmp, ALFONT_FONT* f, const char* text, int x, int y, int color,
                       int background);
void alfont_textout_centre_ex(BITMAP* bmp, ALFONT_FONT* f, const char* text, int x, int y,
                              int color, int background);
void alfont_textprintf_ex(BITMAP* bmp, ALFONT_FONT* f, int x, int y, int color, int background,
                          const char* format, ...) __attribute__((format(printf, 7, 8)));
void alfont_textprintf_centre_ex(BITMAP* bmp, ALFONT_FONT* f, int x, int y, int color,
                                 int background, const char* format, ...)
    __attribute__((format(printf, 7, 8)));
void alfont_textout_centre_aa(BITMAP* bmp, ALFONT_FONT* f, const char* text, int x, int y,
                              int color);
