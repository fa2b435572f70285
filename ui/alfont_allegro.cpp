// TrueType text for Allegro bitmaps: FreeType renders each glyph once per
// size into an alpha map, and the text calls blend those maps onto bitmaps of
// 16, 24 or 32 bits.
#include <allegro.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <array>
#include <cstdarg>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/alfont.h"

namespace {

struct library_deleter {
  void operator()(FT_LibraryRec_* lib) const { FT_Done_FreeType(lib); }
};
using library_ptr = std::shared_ptr<FT_LibraryRec_>;

struct face_deleter {
  void operator()(FT_FaceRec_* face) const { FT_Done_Face(face); }
};

struct glyph {
  bool ready = false;
  int width = 0, rows = 0;
  int left = 0, top = 0;  // from the pen position to the top left of the map
  int advance = 0;
  std::vector<unsigned char> alpha;  // width * rows coverage values
};

struct glyph_cache {
  int ascender = 0;
  int height = 0;
  std::array<glyph, 256> glyphs;
};

// The module's own hold on FreeType.  Every font keeps the library alive too,
// so a font that outlives alfont_exit still frees its face safely.
library_ptr ft_library;

}  // namespace

struct ALFONT_FONT {
  library_ptr library;  // declared first: destroyed after the face
  std::unique_ptr<FT_FaceRec_, face_deleter> face;
  int size = 0;
  std::map<int, glyph_cache> caches;
};

int alfont_init() {
  if (ft_library) return ALFONT_OK;
  FT_Library lib = nullptr;
  if (FT_Init_FreeType(&lib) != 0) return ALFONT_ERROR;
  ft_library = library_ptr(lib, library_deleter());
  return ALFONT_OK;
}

void alfont_exit() { ft_library.reset(); }

ALFONT_FONT* alfont_load_font(const char* path) {
  if (!path || alfont_init() != ALFONT_OK) return nullptr;
  FT_Face face = nullptr;
  if (FT_New_Face(ft_library.get(), path, 0, &face) != 0) return nullptr;
  auto f = std::make_unique<ALFONT_FONT>();
  f->library = ft_library;
  f->face.reset(face);
  if (alfont_set_font_size(f.get(), 16) != ALFONT_OK) return nullptr;
  return f.release();
}

void alfont_destroy_font(ALFONT_FONT* f) { std::unique_ptr<ALFONT_FONT> owned(f); }

int alfont_set_font_size(ALFONT_FONT* f, int height) {
  if (!f || height < 1) return ALFONT_ERROR;
  if (FT_Set_Pixel_Sizes(f->face.get(), 0, static_cast<FT_UInt>(height)) != 0) return ALFONT_ERROR;
  f->size = height;
  glyph_cache& cache = f->caches[height];
  const FT_Size_Metrics& m = f->face->size->metrics;
  cache.ascender = static_cast<int>(m.ascender >> 6);
  cache.height = static_cast<int>((m.ascender - m.descender) >> 6);
  return ALFONT_OK;
}

int alfont_get_font_height(ALFONT_FONT* f) {
  if (!f) return 0;
  return f->caches[f->size].height;
}

// The glyph of byte c at the font's current size, rendered on first use.
static const glyph& glyph_for(ALFONT_FONT* f, unsigned char c) {
  glyph& g = f->caches[f->size].glyphs[c];
  if (g.ready) return g;
  g.ready = true;
  FT_Face face = f->face.get();
  if (FT_Load_Char(face, c, FT_LOAD_RENDER) != 0) return g;
  const FT_GlyphSlot slot = face->glyph;
  const FT_Bitmap& bm = slot->bitmap;
  g.width = static_cast<int>(bm.width);
  g.rows = static_cast<int>(bm.rows);
  g.left = slot->bitmap_left;
  g.top = slot->bitmap_top;
  g.advance = static_cast<int>(slot->advance.x >> 6);
  // A one-bit glyph (an embedded bitmap strike) packs eight pixels a byte:
  // its rows are far shorter than its width, so only its own bytes are read.
  bool mono = bm.pixel_mode == FT_PIXEL_MODE_MONO;
  if (!mono && bm.pixel_mode != FT_PIXEL_MODE_GRAY) g.width = g.rows = 0;
  g.alpha.resize(static_cast<size_t>(g.width) * static_cast<size_t>(g.rows));
  for (int r = 0; r < g.rows; r++) {
    const unsigned char* row = bm.buffer + r * bm.pitch;
    for (int col = 0; col < g.width; col++) {
      unsigned char v = mono ? ((row[col / 8] & (0x80 >> (col % 8))) ? 255 : 0) : row[col];
      g.alpha[static_cast<size_t>(r * g.width + col)] = v;
    }
  }
  return g;
}

int alfont_text_length(ALFONT_FONT* f, const char* text) {
  if (!f || !text) return 0;
  int w = 0;
  for (const char* p = text; *p; p++) w += glyph_for(f, static_cast<unsigned char>(*p)).advance;
  return w;
}

static void blend_pixel(BITMAP* bmp, int depth, int x, int y, int color, int a) {
  if (a >= 255) {
    putpixel(bmp, x, y, color);
    return;
  }
  int under = getpixel(bmp, x, y);
  if (under < 0) return;  // off the bitmap
  // On the see-through colour of a sprite there is nothing to blend with: a
  // soft edge would come out pink.  Half-covered pixels become solid ink.
  if (under == bitmap_mask_color(bmp)) {
    if (a >= 128) putpixel(bmp, x, y, color);
    return;
  }
  int r = (getr_depth(depth, color) * a + getr_depth(depth, under) * (255 - a)) / 255;
  int g = (getg_depth(depth, color) * a + getg_depth(depth, under) * (255 - a)) / 255;
  int b = (getb_depth(depth, color) * a + getb_depth(depth, under) * (255 - a)) / 255;
  putpixel(bmp, x, y, makecol_depth(depth, r, g, b));
}

static void draw_glyph(BITMAP* bmp, int depth, const glyph& g, int pen_x, int baseline, int color) {
  int x0 = pen_x + g.left, y0 = baseline - g.top;
  for (int r = 0; r < g.rows; r++) {
    int y = y0 + r;
    if (y < bmp->ct || y >= bmp->cb) continue;
    for (int col = 0; col < g.width; col++) {
      int x = x0 + col;
      if (x < bmp->cl || x >= bmp->cr) continue;
      int a = g.alpha[static_cast<size_t>(r * g.width + col)];
      if (a > 0) blend_pixel(bmp, depth, x, y, color, a);
    }
  }
}

void alfont_textout_ex(BITMAP* bmp, ALFONT_FONT* f, const char* text, int x, int y, int color,
                       int background) {
  if (!bmp || !f || !text) return;
  const glyph_cache& cache = f->caches[f->size];
  if (background != -1)
    rectfill(bmp, x, y, x + alfont_text_length(f, text) - 1, y + cache.height - 1, background);
  int depth = bitmap_color_depth(bmp);
  int baseline = y + cache.ascender;
  acquire_bitmap(bmp);
  for (const char* p = text; *p; p++) {
    const glyph& g = glyph_for(f, static_cast<unsigned char>(*p));
    draw_glyph(bmp, depth, g, x, baseline, color);
    x += g.advance;
  }
  release_bitmap(bmp);
}

void alfont_textout_centre_ex(BITMAP* bmp, ALFONT_FONT* f, const char* text, int x, int y,
                              int color, int background) {
  if (!f || !text) return;
  alfont_textout_ex(bmp, f, text, x - alfont_text_length(f, text) / 2, y, color, background);
}

static std::string format_text(const char* format, va_list args) {
  char buf[1024];
  std::vsnprintf(buf, sizeof buf, format, args);
  return buf;
}

void alfont_textprintf_ex(BITMAP* bmp, ALFONT_FONT* f, int x, int y, int color, int background,
                          const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = format_text(format, args);
  va_end(args);
  alfont_textout_ex(bmp, f, text.c_str(), x, y, color, background);
}

void alfont_textprintf_centre_ex(BITMAP* bmp, ALFONT_FONT* f, int x, int y, int color,
                                 int background, const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = format_text(format, args);
  va_end(args);
  alfont_textout_centre_ex(bmp, f, text.c_str(), x, y, color, background);
}

void alfont_textout_centre_aa(BITMAP* bmp, ALFONT_FONT* f, const char* text, int x, int y,
                              int color) {
  alfont_textout_centre_ex(bmp, f, text, x, y, color, -1);
}
