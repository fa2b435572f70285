// Draws every picture the game loads and writes them as 24-bit BMP files
// into the folder given on the command line (default "data").  Everything
// is computed from fixed hashes, so every run writes the same bytes.
// Sprites keep magenta (255, 0, 255) wherever they are see-through.
// The desktop icons (an XPM and PNGs in hicolor/SIZE/apps/) are drawn there too.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr float PI = 3.14159265f;

// ---------------------------------------------------------------------------
// Colours and the canvas
// ---------------------------------------------------------------------------
struct col {
  float r = 0, g = 0, b = 0;
};
col rgb(int r, int g, int b) { return {r / 255.f, g / 255.f, b / 255.f}; }
col mix(col a, col b, float t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
col scale(col c, float k) { return {c.r * k, c.g * k, c.b * k}; }
col add(col a, col b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }

// Shapes are given in drawing units, one pixel of a 48-pixel tile; unit is
// how many pixels a drawing unit covers, so the same drawing makes an icon of
// any size.
struct canvas {
  int w, h;
  float unit;
  std::vector<col> c;
  std::vector<float> a;  // coverage: 0 see-through, 1 solid
  canvas(int w_, int h_, float unit_ = 1)
      : w(w_), h(h_), unit(unit_), c(static_cast<size_t>(w_ * h_)), a(c.size(), 0.f) {}
  size_t at(int x, int y) const { return static_cast<size_t>(y * w + x); }
  void blend(int x, int y, col src, float alpha) {
    if (x < 0 || y < 0 || x >= w || y >= h || alpha <= 0) return;
    alpha = std::min(alpha, 1.f);
    size_t i = at(x, y);
    float da = a[i], oa = alpha + da * (1 - alpha);
    if (oa <= 0) return;
    col d = c[i];
    c[i] = {(src.r * alpha + d.r * da * (1 - alpha)) / oa,
            (src.g * alpha + d.g * da * (1 - alpha)) / oa,
            (src.b * alpha + d.b * da * (1 - alpha)) / oa};
    a[i] = oa;
  }
  bool solid(int x, int y) const {
    return x >= 0 && y >= 0 && x < w && y < h && a[at(x, y)] >= 0.5f;
  }
};

// ---------------------------------------------------------------------------
// Fixed noise
// ---------------------------------------------------------------------------
uint32_t hash3(int x, int y, int seed) {
  uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
               static_cast<uint32_t>(seed) * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return h ^ (h >> 16);
}
float rnd(int x, int y, int seed) { return (hash3(x, y, seed) & 0xffffff) / float(0x1000000); }

// Value noise on a lattice of cell pixels, wrapping every period cells so that
// floor tiles join without seams.
float vnoise(float x, float y, float cell, int period, int seed) {
  float fx = x / cell, fy = y / cell;
  int ix = static_cast<int>(std::floor(fx)), iy = static_cast<int>(std::floor(fy));
  float tx = fx - ix, ty = fy - iy;
  auto wrap = [period](int v) { return period > 0 ? ((v % period) + period) % period : v; };
  auto v = [&](int dx, int dy) { return rnd(wrap(ix + dx), wrap(iy + dy), seed); };
  tx = tx * tx * (3 - 2 * tx);
  ty = ty * ty * (3 - 2 * ty);
  float top = v(0, 0) + (v(1, 0) - v(0, 0)) * tx;
  float bot = v(0, 1) + (v(1, 1) - v(0, 1)) * tx;
  return top + (bot - top) * ty;
}
// Three octaves over a square of side pixels (tileable).
float fbm(float x, float y, float side, int seed, float base = 8) {
  float sum = 0, amp = 0.5f, norm = 0;
  float cell = base;
  for (int o = 0; o < 3; o++) {
    int period = std::max(1, static_cast<int>(side / cell));
    sum += amp * vnoise(x, y, side / period, period, seed + o * 17);
    norm += amp;
    amp *= 0.5f;
    cell *= 0.5f;
  }
  return sum / norm;
}

// 4x4 ordered dither threshold, for soft edges on pictures that the game
// draws with a hard mask.
float bayer(int x, int y) {
  static const int m[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  return (m[y & 3][x & 3] + 0.5f) / 16.f;
}

// ---------------------------------------------------------------------------
// Shapes: an inside test, supersampled 4 x 4 for smooth edges
// ---------------------------------------------------------------------------
using inside_fn = std::function<bool(float, float)>;
using paint_fn = std::function<col(float, float)>;

void fill(canvas& cv, float x0, float y0, float x1, float y1, const inside_fn& inside,
          const paint_fn& paint, float alpha = 1) {
  const float u = cv.unit;
  int ax = std::max(0, static_cast<int>(std::floor(x0 * u))),
      ay = std::max(0, static_cast<int>(std::floor(y0 * u)));
  int bx = std::min(cv.w - 1, static_cast<int>(std::ceil(x1 * u))),
      by = std::min(cv.h - 1, static_cast<int>(std::ceil(y1 * u)));
  for (int y = ay; y <= by; y++)
    for (int x = ax; x <= bx; x++) {
      int hits = 0;
      for (int sy = 0; sy < 4; sy++)
        for (int sx = 0; sx < 4; sx++)
          if (inside((x + (sx + 0.5f) / 4) / u, (y + (sy + 0.5f) / 4) / u)) hits++;
      if (hits) cv.blend(x, y, paint((x + 0.5f) / u, (y + 0.5f) / u), alpha * hits / 16.f);
    }
}
paint_fn flat(col c) {
  return [c](float, float) { return c; };
}

void ellipse(canvas& cv, float cx, float cy, float rx, float ry, const paint_fn& p, float alpha = 1,
             float angle = 0) {
  float ca = std::cos(angle), sa = std::sin(angle);
  float r = std::max(rx, ry);
  fill(
      cv, cx - r - 1, cy - r - 1, cx + r + 1, cy + r + 1,
      [=](float x, float y) {
        float dx = x - cx, dy = y - cy;
        float u = dx * ca + dy * sa, v = -dx * sa + dy * ca;
        return (u * u) / (rx * rx) + (v * v) / (ry * ry) <= 1;
      },
      p, alpha);
}
void circle(canvas& cv, float cx, float cy, float r, const paint_fn& p, float alpha = 1) {
  ellipse(cv, cx, cy, r, r, p, alpha);
}
void ring(canvas& cv, float cx, float cy, float r0, float r1, const paint_fn& p, float alpha = 1) {
  fill(
      cv, cx - r1 - 1, cy - r1 - 1, cx + r1 + 1, cy + r1 + 1,
      [=](float x, float y) {
        float d = std::hypot(x - cx, y - cy);
        return d >= r0 && d <= r1;
      },
      p, alpha);
}
void rect(canvas& cv, float x0, float y0, float x1, float y1, const paint_fn& p, float alpha = 1) {
  fill(
      cv, x0, y0, x1, y1, [=](float x, float y) { return x >= x0 && x < x1 && y >= y0 && y < y1; },
      p, alpha);
}
void rrect(canvas& cv, float x0, float y0, float x1, float y1, float rad, const paint_fn& p,
           float alpha = 1) {
  fill(
      cv, x0, y0, x1, y1,
      [=](float x, float y) {
        if (x < x0 || x >= x1 || y < y0 || y >= y1) return false;
        float qx = std::max({x0 + rad - x, 0.f, x - (x1 - rad)});
        float qy = std::max({y0 + rad - y, 0.f, y - (y1 - rad)});
        return qx * qx + qy * qy <= rad * rad;
      },
      p, alpha);
}
float seg_dist(float px, float py, float ax, float ay, float bx, float by) {
  float vx = bx - ax, vy = by - ay;
  float t = ((px - ax) * vx + (py - ay) * vy) / std::max(1e-6f, vx * vx + vy * vy);
  t = std::clamp(t, 0.f, 1.f);
  return std::hypot(px - (ax + t * vx), py - (ay + t * vy));
}
// A thick line with round ends.
void line(canvas& cv, float ax, float ay, float bx, float by, float width, const paint_fn& p,
          float alpha = 1) {
  float r = width / 2;
  fill(
      cv, std::min(ax, bx) - r - 1, std::min(ay, by) - r - 1, std::max(ax, bx) + r + 1,
      std::max(ay, by) + r + 1,
      [=](float x, float y) { return seg_dist(x, y, ax, ay, bx, by) <= r; }, p, alpha);
}
// A tapering limb from width w0 to w1.
void taper(canvas& cv, float ax, float ay, float bx, float by, float w0, float w1,
           const paint_fn& p) {
  float r = std::max(w0, w1) / 2;
  fill(
      cv, std::min(ax, bx) - r - 1, std::min(ay, by) - r - 1, std::max(ax, bx) + r + 1,
      std::max(ay, by) + r + 1,
      [=](float x, float y) {
        float vx = bx - ax, vy = by - ay;
        float t = ((x - ax) * vx + (y - ay) * vy) / std::max(1e-6f, vx * vx + vy * vy);
        t = std::clamp(t, 0.f, 1.f);
        float d = std::hypot(x - (ax + t * vx), y - (ay + t * vy));
        return d <= (w0 + (w1 - w0) * t) / 2;
      },
      p);
}
void polygon(canvas& cv, std::vector<std::array<float, 2>> pts, const paint_fn& p,
             float alpha = 1) {
  float x0 = 1e9, y0 = 1e9, x1 = -1e9, y1 = -1e9;
  for (auto& q : pts) {
    x0 = std::min(x0, q[0]);
    y0 = std::min(y0, q[1]);
    x1 = std::max(x1, q[0]);
    y1 = std::max(y1, q[1]);
  }
  fill(
      cv, x0, y0, x1, y1,
      [pts](float x, float y) {
        bool in = false;
        for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
          if ((pts[i][1] > y) != (pts[j][1] > y) &&
              x < (pts[j][0] - pts[i][0]) * (y - pts[i][1]) / (pts[j][1] - pts[i][1]) + pts[i][0])
            in = !in;
        }
        return in;
      },
      p, alpha);
}

// Light from the top left, on a dome: the look of a rounded body from above.
paint_fn dome(float cx, float cy, float rx, float ry, col base, float shine = 0.25f) {
  return [=](float x, float y) {
    float nx = (x - cx) / rx, ny = (y - cy) / ry;
    float d = nx * nx + ny * ny;
    float nz = std::sqrt(std::max(0.f, 1 - std::min(1.f, d)));
    float lit = std::max(0.f, -0.45f * nx - 0.55f * ny + 0.7f * nz);
    col c = scale(base, 0.45f + 0.75f * lit);
    float glint = std::pow(std::max(0.f, lit), 12.f) * shine;
    return add(c, {glint, glint, glint});
  };
}
// Flat colour roughened by noise.
paint_fn grainy(col base, float amount, int seed, float cell = 3) {
  return [=](float x, float y) {
    float n = vnoise(x, y, cell, 0, seed) - 0.5f;
    return scale(base, 1 + amount * n);
  };
}

// Darkens the border of a sprite by one drawing unit so it reads on any floor.
void outline(canvas& cv, col dark = rgb(18, 12, 10)) {
  canvas copy = cv;
  const int r = std::max(1, static_cast<int>(std::lround(cv.unit)));
  auto near_solid = [&](int x, int y) {
    for (int dy = -r; dy <= r; dy++)
      for (int dx = -r; dx <= r; dx++)
        if (dx * dx + dy * dy <= r * r && copy.solid(x + dx, y + dy)) return true;
    return false;
  };
  for (int y = 0; y < cv.h; y++)
    for (int x = 0; x < cv.w; x++) {
      if (copy.solid(x, y)) continue;
      if (near_solid(x, y)) {
        cv.c[cv.at(x, y)] = dark;
        cv.a[cv.at(x, y)] = 1;
      }
    }
}

// ---------------------------------------------------------------------------
// Writing
// ---------------------------------------------------------------------------
std::string out_dir = "data";
int written = 0;

void save(const canvas& cv, const std::string& name) {
  std::string path = out_dir + "/" + name + ".bmp";
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) {
    std::fprintf(stderr, "make_pictures: cannot write %s\n", path.c_str());
    std::exit(1);
  }
  int row = (cv.w * 3 + 3) & ~3;
  uint32_t size = 54 + static_cast<uint32_t>(row * cv.h);
  unsigned char hdr[54] = {'B', 'M'};
  auto put32 = [&](int off, uint32_t v) {
    for (int i = 0; i < 4; i++) hdr[off + i] = static_cast<unsigned char>(v >> (8 * i));
  };
  put32(2, size);
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<uint32_t>(cv.w));
  put32(22, static_cast<uint32_t>(cv.h));
  hdr[26] = 1;
  hdr[28] = 24;
  put32(34, static_cast<uint32_t>(row * cv.h));
  put32(38, 2835);
  put32(42, 2835);
  std::fwrite(hdr, 1, 54, f);
  std::vector<unsigned char> line(static_cast<size_t>(row), 0);
  auto to8 = [](float v) {
    return static_cast<unsigned char>(std::clamp(v, 0.f, 1.f) * 255 + 0.5f);
  };
  for (int y = cv.h - 1; y >= 0; y--) {
    for (int x = 0; x < cv.w; x++) {
      size_t i = cv.at(x, y);
      unsigned char r = 255, g = 0, b = 255;
      if (cv.a[i] >= 0.5f) {
        r = to8(cv.c[i].r);
        g = to8(cv.c[i].g);
        b = to8(cv.c[i].b);
        // A solid pixel must never turn into the mask colour by accident.
        if (r == 255 && g == 0 && b == 255) g = 1;
      }
      line[static_cast<size_t>(x * 3)] = b;
      line[static_cast<size_t>(x * 3 + 1)] = g;
      line[static_cast<size_t>(x * 3 + 2)] = r;
    }
    std::fwrite(line.data(), 1, line.size(), f);
  }
  std::fclose(f);
  written++;
}

// The desktop icon: XPM, the text picture format desktop menus read, with the
// see-through pixels left out. Colours are cut to 4 bits a channel so that two
// letters name every one.
void save_icon(const canvas& cv, const std::string& name) {
  std::string path = out_dir + "/" + name + ".xpm";
  std::FILE* f = std::fopen(path.c_str(), "w");
  if (!f) {
    std::fprintf(stderr, "make_pictures: cannot write %s\n", path.c_str());
    std::exit(1);
  }
  static const char letters[] =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789+#";
  auto nibble = [](float v) { return static_cast<int>(std::clamp(v, 0.f, 1.f) * 15 + 0.5f); };
  std::vector<int> code(cv.c.size(), -1);
  std::vector<int> used;
  for (size_t i = 0; i < cv.c.size(); i++) {
    if (cv.a[i] < 0.5f) continue;
    code[i] = nibble(cv.c[i].r) << 8 | nibble(cv.c[i].g) << 4 | nibble(cv.c[i].b);
    if (std::find(used.begin(), used.end(), code[i]) == used.end()) used.push_back(code[i]);
  }
  auto key = [&](int colour) {
    if (colour < 0) return std::string("  ");
    int n = static_cast<int>(std::find(used.begin(), used.end(), colour) - used.begin());
    return std::string{letters[n / 64], letters[n % 64]};
  };
  std::fprintf(f, "/* XPM */\nstatic char *%s[] = {\n\"%d %d %zu 2\",\n\"   c None\",\n",
               name.c_str(), cv.w, cv.h, used.size() + 1);
  for (int colour : used)
    std::fprintf(f, "\"%s c #%X%X%X%X%X%X\",\n", key(colour).c_str(), colour >> 8, colour >> 8,
                 colour >> 4 & 15, colour >> 4 & 15, colour & 15, colour & 15);
  for (int y = 0; y < cv.h; y++) {
    std::string row;
    for (int x = 0; x < cv.w; x++) row += key(code[cv.at(x, y)]);
    std::fprintf(f, "\"%s\"%s\n", row.c_str(), y + 1 < cv.h ? "," : "};");
  }
  std::fclose(f);
}

// The desktop icons in the hicolor theme's layout: PNG with the coverage as
// alpha, so the edges stay soft on any panel. The image data goes out in
// stored (uncompressed) deflate blocks, which every PNG reader takes and which
// need no compression library here.
void put_be32(std::vector<unsigned char>& out, uint32_t v) {
  for (int i = 3; i >= 0; i--) out.push_back(static_cast<unsigned char>(v >> (8 * i)));
}
uint32_t crc32_of(const unsigned char* p, size_t n) {
  uint32_t c = 0xffffffffu;
  for (size_t i = 0; i < n; i++) {
    c ^= p[i];
    for (int k = 0; k < 8; k++) c = (c >> 1) ^ (0xedb88320u & (0u - (c & 1u)));
  }
  return c ^ 0xffffffffu;
}
void put_chunk(std::vector<unsigned char>& out, const char* type,
               const std::vector<unsigned char>& data) {
  put_be32(out, static_cast<uint32_t>(data.size()));
  size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  put_be32(out, crc32_of(out.data() + start, out.size() - start));
}
std::vector<unsigned char> zlib_stored(const std::vector<unsigned char>& raw) {
  std::vector<unsigned char> z = {0x78, 0x01};
  uint32_t s1 = 1, s2 = 0;
  for (unsigned char b : raw) {
    s1 = (s1 + b) % 65521;
    s2 = (s2 + s1) % 65521;
  }
  size_t at = 0;
  do {
    size_t n = std::min<size_t>(65535, raw.size() - at);
    z.push_back(at + n == raw.size() ? 1 : 0);
    z.push_back(static_cast<unsigned char>(n));
    z.push_back(static_cast<unsigned char>(n >> 8));
    z.push_back(static_cast<unsigned char>(~n));
    z.push_back(static_cast<unsigned char>(~n >> 8));
    z.insert(z.end(), raw.begin() + static_cast<long>(at), raw.begin() + static_cast<long>(at + n));
    at += n;
  } while (at < raw.size());
  put_be32(z, s2 << 16 | s1);
  return z;
}
void save_png(const canvas& cv, const std::string& path) {
  std::vector<unsigned char> raw;
  auto to8 = [](float v) {
    return static_cast<unsigned char>(std::clamp(v, 0.f, 1.f) * 255 + 0.5f);
  };
  for (int y = 0; y < cv.h; y++) {
    raw.push_back(0);  // no filter
    for (int x = 0; x < cv.w; x++) {
      size_t i = cv.at(x, y);
      bool seen = cv.a[i] > 0;
      raw.push_back(seen ? to8(cv.c[i].r) : 0);
      raw.push_back(seen ? to8(cv.c[i].g) : 0);
      raw.push_back(seen ? to8(cv.c[i].b) : 0);
      raw.push_back(to8(cv.a[i]));
    }
  }
  std::vector<unsigned char> header;
  put_be32(header, static_cast<uint32_t>(cv.w));
  put_be32(header, static_cast<uint32_t>(cv.h));
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA
  std::vector<unsigned char> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  put_chunk(file, "IHDR", header);
  put_chunk(file, "IDAT", zlib_stored(raw));
  put_chunk(file, "IEND", {});
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f || std::fwrite(file.data(), 1, file.size(), f) != file.size()) {
    std::fprintf(stderr, "make_pictures: cannot write %s\n", path.c_str());
    std::exit(1);
  }
  std::fclose(f);
}

constexpr int T = 48;  // tile side

// ---------------------------------------------------------------------------
// Floors and walls (whole tiles)
// ---------------------------------------------------------------------------

// Slabs in rows, mortar between them, each slab its own shade.
canvas flagstones(col base, int sw, int sh, bool offset, int seed, float rough = 0.25f) {
  canvas cv(T, T);
  for (int y = 0; y < T; y++)
    for (int x = 0; x < T; x++) {
      int r = y / sh;
      int shift = offset && (r % 2) ? sw / 2 : 0;
      int cx = ((x + shift) / sw) % (T / sw);
      int lx = (x + shift) % sw, ly = y % sh;
      float shade = 0.82f + 0.3f * rnd(cx, r, seed);
      col c =
          scale(base, shade * (1 + rough * (fbm(float(x), float(y), T, seed + 3, 12) - 0.5f) * 2));
      if (lx == 0 || ly == 0)
        c = scale(base, 0.35f);
      else if (lx == 1 || ly == 1)
        c = scale(c, 1.15f);
      else if (lx == sw - 1 || ly == sh - 1)
        c = scale(c, 0.78f);
      // a few cracks
      if (rnd(cx, r, seed + 9) > 0.7f) {
        float k = std::fabs((lx - sw * 0.2f) - (ly - sh * 0.3f) * 0.9f);
        if (k < 0.6f && lx > 2 && ly > 2) c = scale(c, 0.6f);
      }
      cv.blend(x, y, c, 1);
    }
  return cv;
}

// Rounded stones packed together (a passage worn by feet).
canvas cobbles(col base, int seed) {
  canvas cv(T, T);
  constexpr int G = 8, N = T / G;
  for (int y = 0; y < T; y++)
    for (int x = 0; x < T; x++) {
      float best = 1e9, second = 1e9;
      int bi = 0, bj = 0;
      float bx = 0, by = 0;
      for (int j = -1; j <= N; j++)
        for (int i = -1; i <= N; i++) {
          int wi = (i + N) % N, wj = (j + N) % N;
          float px = i * G + 1.5f + rnd(wi, wj, seed) * (G - 3);
          float py = j * G + 1.5f + rnd(wi, wj, seed + 1) * (G - 3);
          float d = std::hypot(x + 0.5f - px, y + 0.5f - py);
          if (d < best) {
            second = best;
            best = d;
            bi = wi;
            bj = wj;
            bx = px;
            by = py;
          } else if (d < second) {
            second = d;
          }
        }
      float edge = second - best;
      col stone = scale(base, 0.8f + 0.35f * rnd(bi, bj, seed + 2));
      float nx = (x + 0.5f - bx) / 5, ny = (y + 0.5f - by) / 5;
      float lit = std::clamp(0.85f - 0.35f * (nx + ny), 0.5f, 1.2f);
      col c = scale(stone, lit);
      if (edge < 1.2f) c = scale(base, 0.3f);
      cv.blend(x, y, c, 1);
    }
  return cv;
}

canvas planks(bool vertical, int seed) {
  canvas cv(T, T);
  col wood = rgb(128, 84, 46);
  for (int y = 0; y < T; y++)
    for (int x = 0; x < T; x++) {
      int u = vertical ? x : y, v = vertical ? y : x;
      int plank = u / 8, lu = u % 8;
      int joint = (plank * 17 + 11) % T;
      float grain = vnoise(float(u) * 4, float(v) / 3, 4, 0, seed + plank);
      col c = scale(wood, 0.75f + 0.25f * rnd(plank, 0, seed) + 0.3f * (grain - 0.5f));
      if (lu == 0)
        c = rgb(40, 24, 12);
      else if (lu == 1)
        c = scale(c, 1.12f);
      else if (lu == 7)
        c = scale(c, 0.8f);
      if (v == joint) c = rgb(52, 32, 16);
      if ((v == (joint + 2) % T || v == (joint + T - 2) % T) && (lu == 2 || lu == 6))
        c = rgb(70, 70, 76);  // nails
      cv.blend(x, y, c, 1);
    }
  return cv;
}

canvas rock_wall(col base, int seed) {
  canvas cv(T, T);
  for (int y = 0; y < T; y++)
    for (int x = 0; x < T; x++) {
      float n = fbm(float(x), float(y), T, seed, 16);
      float m = fbm(float(x) + 0.7f, float(y) + 0.7f, T, seed, 16);
      float ridge = 1 - std::fabs(n - 0.5f) * 2;
      float light = 1 + (n - m) * 6;  // lit facets where the surface rises to the light
      col c = scale(base, (0.7f + 0.5f * ridge) * std::clamp(light, 0.55f, 1.4f));
      if (rnd(x, y, seed + 5) > 0.985f) c = scale(c, 1.4f);
      cv.blend(x, y, c, 1);
    }
  return cv;
}

// The taller rock wall: a tile and a half high, its upper half a rock face
// rising over the square to the north.
canvas tall_rock_wall(col base, int seed) {
  canvas top = rock_wall(base, seed);
  canvas cv(T, T + T / 2);
  for (int y = 0; y < cv.h; y++)
    for (int x = 0; x < T; x++) {
      col c = top.c[top.at(x, y % T)];
      if (y < T / 2) c = scale(c, 0.75f + 0.5f * y / T);  // the face darkens upwards
      if (y == T / 2) c = scale(c, 1.3f);                 // the lit top edge
      cv.blend(x, y, c, 1);
    }
  return cv;
}

// Dressed stone blocks seen from above: a built wall.
canvas built_wall(int seed) {
  canvas cv = flagstones(rgb(150, 140, 128), 24, 12, true, seed, 0.15f);
  // The top of a wall catches more light than the floor around it.
  for (auto& c : cv.c) c = scale(c, 1.05f);
  return cv;
}

canvas stone_floor() { return flagstones(rgb(112, 106, 98), 16, 16, true, 11); }
canvas room_floor() { return flagstones(rgb(150, 128, 100), 24, 24, false, 23, 0.2f); }
canvas passage_floor() { return cobbles(rgb(104, 98, 92), 31); }

canvas grass() {
  canvas cv(T, T);
  for (int y = 0; y < T; y++)
    for (int x = 0; x < T; x++) {
      float n = fbm(float(x), float(y), T, 41, 12);
      col c = mix(rgb(40, 80, 30), rgb(90, 140, 50), n);
      if (rnd(x, y, 42) > 0.9f) c = scale(c, 1.3f);
      if (rnd(x, y, 43) > 0.93f) c = scale(c, 0.7f);
      cv.blend(x, y, c, 1);
    }
  return cv;
}

canvas earth_wall() {
  canvas cv(T, T);
  for (int y = 0; y < T; y++)
    for (int x = 0; x < T; x++) {
      float n = fbm(float(x), float(y), T, 51, 12);
      col c = mix(rgb(70, 46, 26), rgb(122, 84, 50), n);
      cv.blend(x, y, c, 1);
    }
  for (int i = 0; i < 14; i++) {
    float px = 3 + rnd(i, 0, 52) * 42, py = 3 + rnd(i, 1, 52) * 42, r = 1.2f + rnd(i, 2, 52) * 2;
    circle(cv, px, py, r, dome(px, py, r, r, rgb(150, 140, 125)));
  }
  return cv;
}

canvas pillar() {
  canvas cv = stone_floor();
  circle(cv, 27, 27, 17, flat(rgb(20, 18, 16)), 0.55f);  // cast shadow
  circle(cv, 24, 24, 17, dome(24, 24, 17, 17, rgb(176, 168, 156), 0.3f));
  ring(cv, 24, 24, 15, 17, flat(rgb(90, 86, 80)), 0.6f);
  ring(cv, 24, 24, 9, 10, flat(rgb(120, 114, 104)), 0.5f);
  return cv;
}

canvas stairs(bool north_south) {
  canvas cv(T, T);
  for (int y = 0; y < T; y++)
    for (int x = 0; x < T; x++) {
      int u = north_south ? y : x, v = north_south ? x : y;
      int step = u / 8, lu = u % 8;
      col c = scale(rgb(150, 140, 125), 0.55f + step * 0.09f);
      c = scale(c, 0.9f + 0.2f * fbm(float(x), float(y), T, 61, 12));
      if (lu == 7) c = scale(c, 0.5f);
      if (lu == 0) c = scale(c, 1.2f);
      if (v < 4 || v > 43) c = rgb(70, 64, 58);
      if (v == 4 || v == 43) c = rgb(40, 36, 32);
      cv.blend(x, y, c, 1);
    }
  return cv;
}

canvas pressure_pad() {
  canvas cv = stone_floor();
  rect(cv, 9, 9, 40, 40, flat(rgb(30, 28, 26)), 0.7f);
  rrect(cv, 10, 10, 38, 38, 2, dome(24, 24, 30, 30, rgb(130, 124, 116), 0.1f));
  ring(cv, 24, 24, 7, 8.5f, flat(rgb(80, 60, 40)));
  line(cv, 24, 14, 24, 34, 1.2f, flat(rgb(80, 60, 40)));
  line(cv, 14, 24, 34, 24, 1.2f, flat(rgb(80, 60, 40)));
  return cv;
}

// A stone door post at each end of a door square; vertical doors have them at
// the north and south edges.
void door_posts(canvas& cv, bool vertical) {
  col stone = rgb(140, 132, 120);
  if (vertical) {
    rect(cv, 12, 0, 36, 6, dome(24, 3, 14, 5, stone, 0.1f));
    rect(cv, 12, 42, 36, 48, dome(24, 45, 14, 5, stone, 0.1f));
  } else {
    rect(cv, 0, 12, 6, 36, dome(3, 24, 5, 14, stone, 0.1f));
    rect(cv, 42, 12, 48, 36, dome(45, 24, 5, 14, stone, 0.1f));
  }
}

void wooden_leaf(canvas& cv, float x0, float y0, float x1, float y1, bool vertical) {
  rect(cv, x0 + 1, y0 + 1, x1 + 1, y1 + 1, flat(rgb(15, 10, 8)), 0.6f);
  rect(cv, x0, y0, x1, y1, [=](float x, float y) {
    float u = vertical ? x - x0 : y - y0;
    float v = vertical ? y : x;
    col c = scale(rgb(120, 76, 38), 0.85f + 0.3f * vnoise(u * 3, v / 4, 3, 0, 71));
    if (std::fmod(u, 4.f) < 0.8f) c = rgb(60, 36, 18);
    return c;
  });
  // iron bands
  for (int k = 0; k < 2; k++) {
    float t = k == 0 ? 0.25f : 0.75f;
    if (vertical) {
      float yy = y0 + (y1 - y0) * t;
      rect(cv, x0, yy - 1.5f, x1, yy + 1.5f, flat(rgb(60, 60, 66)));
    } else {
      float xx = x0 + (x1 - x0) * t;
      rect(cv, xx - 1.5f, y0, xx + 1.5f, y1, flat(rgb(60, 60, 66)));
    }
  }
}

canvas closed_door() {
  canvas cv = stone_floor();
  wooden_leaf(cv, 19, 4, 29, 44, true);
  door_posts(cv, true);
  return cv;
}

canvas open_door() {
  canvas cv = stone_floor();
  wooden_leaf(cv, 24, 6, 46, 14, false);  // swung back against the wall
  door_posts(cv, true);
  return cv;
}

canvas cell_door() {
  canvas cv = stone_floor();
  rect(cv, 21, 4, 27, 44, flat(rgb(50, 50, 56)));
  for (int i = 0; i < 6; i++) {
    float y = 8 + i * 6.4f;
    circle(cv, 24, y, 2.6f, dome(24, y, 2.6f, 2.6f, rgb(120, 120, 130), 0.5f));
  }
  door_posts(cv, true);
  return cv;
}

void metal_leaf(canvas& cv, float x0, float y0, float x1, float y1) {
  rect(cv, x0 + 1, y0 + 1, x1 + 1, y1 + 1, flat(rgb(10, 10, 12)), 0.6f);
  rect(cv, x0, y0, x1, y1, [=](float x, float y) {
    float n = vnoise(x, y, 2, 0, 81);
    return scale(rgb(110, 116, 126), 0.8f + 0.25f * n + 0.15f * (y1 - y) / (y1 - y0 + 1));
  });
  float w = x1 - x0, h = y1 - y0;
  bool horizontal = w > h;
  for (int i = 0; i < 5; i++) {
    float t = (i + 0.5f) / 5;
    float px = horizontal ? x0 + w * t : (x0 + x1) / 2;
    float py = horizontal ? (y0 + y1) / 2 : y0 + h * t;
    circle(cv, px, py, 1.4f, flat(rgb(180, 186, 196)));
  }
}

canvas metal_door(bool open) {
  canvas cv = stone_floor();
  if (open)
    metal_leaf(cv, 6, 24, 14, 46);
  else
    metal_leaf(cv, 4, 19, 44, 29);
  door_posts(cv, false);
  return cv;
}

canvas window_wall() {
  canvas cv = built_wall(91);
  rect(cv, 19, 0, 29, 48, flat(rgb(40, 40, 44)));
  rect(cv, 21, 0, 27, 48, [](float, float y) {
    return mix(rgb(120, 160, 190), rgb(190, 220, 240), 0.5f + 0.5f * std::sin(y / 5));
  });
  rect(cv, 19, 23, 29, 25, flat(rgb(40, 40, 44)));
  return cv;
}

canvas smashed_door() {
  canvas cv = stone_floor();
  door_posts(cv, true);
  for (int i = 0; i < 9; i++) {
    float x = 14 + rnd(i, 0, 95) * 20, y = 8 + rnd(i, 1, 95) * 32;
    float a = rnd(i, 2, 95) * PI, l = 4 + rnd(i, 3, 95) * 8;
    line(cv, x, y, x + std::cos(a) * l, y + std::sin(a) * l, 2.5f, flat(rgb(110, 70, 36)));
  }
  wooden_leaf(cv, 19, 6, 28, 14, true);
  wooden_leaf(cv, 20, 36, 29, 42, true);
  return cv;
}

// ---------------------------------------------------------------------------
// Creatures, seen from above and facing north
// ---------------------------------------------------------------------------

// A two-armed body: shoulders, arms reaching forward, a head.
struct humanoid {
  float width = 13;  // shoulder half-width
  float depth = 7;   // body half-depth
  float head = 6;
  col body, skin, arm;
};

// Eyes on the front half of a head centred at (cx, hy), so that the way a
// creature faces reads at a glance whichever way its picture is turned.
void face(canvas& cv, float cx, float hy, float r, col eye = rgb(25, 16, 10)) {
  float e = std::max(1.1f, r * 0.2f);
  circle(cv, cx - r * 0.42f, hy - r * 0.5f, e, flat(eye));
  circle(cv, cx + r * 0.42f, hy - r * 0.5f, e, flat(eye));
}

// The head sits forward of the shoulders, where it shows which side is the
// front; returns its centre's y.
float draw_humanoid(canvas& cv, const humanoid& h, float cy = 26) {
  float cx = 24;
  // arms, forward and a little out
  ellipse(cv, cx - h.width + 2, cy - 3, 3.6f, 6, dome(cx - h.width + 2, cy - 3, 3.6f, 6, h.arm));
  ellipse(cv, cx + h.width - 2, cy - 3, 3.6f, 6, dome(cx + h.width - 2, cy - 3, 3.6f, 6, h.arm));
  ellipse(cv, cx, cy, h.width, h.depth, dome(cx, cy, h.width, h.depth, h.body));
  float hy = cy - 4;
  circle(cv, cx, hy, h.head, dome(cx, hy, h.head, h.head, h.skin, 0.35f));
  face(cv, cx, hy, h.head);
  return hy;
}

canvas hero(int side = T) {
  canvas cv(side, side, side / static_cast<float>(T));
  // cloak hanging behind
  polygon(cv, {{12, 24}, {36, 24}, {38, 42}, {24, 45}, {10, 42}},
          dome(24, 32, 14, 12, rgb(40, 70, 160)));
  // sword in the right hand, pointing ahead past the front edge of the head
  line(cv, 35, 24, 35, 1, 3, flat(rgb(225, 230, 240)));
  line(cv, 35.5f, 22, 35.5f, 2, 1, flat(rgb(255, 255, 255)));
  line(cv, 30, 23, 40, 23, 2.4f, flat(rgb(170, 135, 40)));
  // shield on the left arm
  humanoid h{13, 7, 6, rgb(60, 100, 200), rgb(225, 185, 150), rgb(60, 100, 200)};
  float hy = draw_humanoid(cv, h);
  circle(cv, 10, 22, 6.5f, dome(10, 22, 6.5f, 6.5f, rgb(170, 40, 40)));
  circle(cv, 10, 22, 2, flat(rgb(230, 200, 80)));
  // hair on the back of the head only, the face left bare in front
  ellipse(cv, 24, hy + 2.8f, 6, 3.6f, dome(24, hy + 2.8f, 6, 3.6f, rgb(110, 70, 30)));
  face(cv, 24, hy, 6);
  outline(cv);
  return cv;
}

canvas skeleton() {
  canvas cv(T, T);
  col bone = rgb(225, 220, 200);
  // ribs
  for (int i = 0; i < 4; i++) {
    float y = 22 + i * 3.2f;
    line(cv, 15, y, 33, y, 1.8f, flat(scale(bone, 0.9f)));
  }
  line(cv, 24, 18, 24, 36, 2.4f, flat(bone));  // spine
  // arms, bony and reaching forward
  line(cv, 14, 20, 12, 8, 2, flat(bone));
  line(cv, 34, 20, 36, 8, 2, flat(bone));
  line(cv, 14, 20, 34, 20, 2.4f, flat(bone));  // collar bones
  // rusty sword
  line(cv, 37, 12, 37, 0, 2.4f, flat(rgb(150, 110, 80)));
  circle(cv, 24, 15, 6, dome(24, 15, 6, 6, bone, 0.4f));
  circle(cv, 21.8f, 13, 1.6f, flat(rgb(20, 10, 10)));
  circle(cv, 26.2f, 13, 1.6f, flat(rgb(20, 10, 10)));
  outline(cv);
  return cv;
}

canvas goblin() {
  canvas cv(T, T);
  col skin = rgb(90, 150, 60);
  // big ears
  polygon(cv, {{18, 19}, {8, 14}, {18, 23}}, dome(14, 18, 6, 4, skin));
  polygon(cv, {{30, 19}, {40, 14}, {30, 23}}, dome(34, 18, 6, 4, skin));
  humanoid h{10, 6, 5.5f, rgb(110, 80, 50), skin, skin};
  draw_humanoid(cv, h, 26);
  line(cv, 33, 22, 33, 10, 2, flat(rgb(180, 180, 190)));  // dagger
  circle(cv, 22, 19.5f, 1.2f, flat(rgb(250, 40, 20)));
  circle(cv, 26, 19.5f, 1.2f, flat(rgb(250, 40, 20)));
  outline(cv);
  return cv;
}

canvas rat() {
  canvas cv(T, T);
  col fur = rgb(120, 96, 76);
  // tail
  for (int i = 0; i < 12; i++) {
    float t = i / 11.f;
    line(cv, 24 + std::sin(t * 3) * 4, 34 + t * 13, 24 + std::sin((t + 0.09f) * 3) * 4,
         35 + (t + 0.09f) * 13, 2.2f - 1.4f * t, flat(rgb(200, 150, 150)));
  }
  ellipse(cv, 24, 27, 8, 12, dome(24, 27, 8, 12, fur));
  ellipse(cv, 24, 14, 5, 7, dome(24, 14, 5, 7, fur));
  circle(cv, 19.5f, 14, 2.6f, flat(rgb(220, 150, 150)));
  circle(cv, 28.5f, 14, 2.6f, flat(rgb(220, 150, 150)));
  circle(cv, 24, 7.5f, 1.4f, flat(rgb(230, 120, 130)));
  circle(cv, 22, 11, 0.9f, flat(rgb(10, 0, 0)));
  circle(cv, 26, 11, 0.9f, flat(rgb(10, 0, 0)));
  outline(cv);
  return cv;
}

canvas ghoul() {
  canvas cv(T, T);
  col skin = rgb(140, 150, 120);
  // long arms with claws reaching forward
  line(cv, 13, 24, 10, 7, 3.6f, flat(skin));
  line(cv, 35, 24, 38, 7, 3.6f, flat(skin));
  for (int k = -1; k <= 1; k++) {
    line(cv, 10, 7, 10 + k * 2.5f, 3, 1, flat(rgb(240, 230, 200)));
    line(cv, 38, 7, 38 + k * 2.5f, 3, 1, flat(rgb(240, 230, 200)));
  }
  ellipse(cv, 24, 28, 12, 8, dome(24, 28, 12, 8, rgb(70, 66, 60)));  // rags
  for (int i = 0; i < 5; i++)
    polygon(cv, {{14.f + i * 5, 33}, {17.f + i * 5, 33}, {15.5f + i * 5, 39}},
            flat(rgb(60, 56, 50)));
  circle(cv, 24, 22, 6, dome(24, 22, 6, 6, skin, 0.2f));  // hunched head, low
  circle(cv, 22, 19.5f, 1.2f, flat(rgb(255, 230, 80)));
  circle(cv, 26, 19.5f, 1.2f, flat(rgb(255, 230, 80)));
  outline(cv);
  return cv;
}

canvas spider() {
  canvas cv(T, T);
  col leg = rgb(40, 30, 40);
  for (int s = -1; s <= 1; s += 2)
    for (int i = 0; i < 4; i++) {
      float ay = 20 + i * 3.f;
      float kx = 24 + s * (12 + i), ky = ay - 8 + i * 4;
      float fx = 24 + s * (20 - i), fy = ay - 12 + i * 9;
      line(cv, 24, ay, kx, ky, 2.4f, flat(leg));
      line(cv, kx, ky, fx, fy, 1.8f, flat(leg));
    }
  ellipse(cv, 24, 33, 9, 11, dome(24, 33, 9, 11, rgb(60, 30, 70), 0.5f));
  // red hourglass mark
  polygon(cv, {{21, 29}, {27, 29}, {24, 33}}, flat(rgb(200, 20, 20)));
  polygon(cv, {{21, 37}, {27, 37}, {24, 33}}, flat(rgb(200, 20, 20)));
  ellipse(cv, 24, 19, 6, 6, dome(24, 19, 6, 6, rgb(50, 35, 55), 0.4f));
  for (int i = 0; i < 4; i++) circle(cv, 21.5f + i * 1.7f, 15, 0.9f, flat(rgb(255, 60, 40)));
  line(cv, 22, 13, 21, 9, 1.6f, flat(rgb(30, 20, 30)));
  line(cv, 26, 13, 27, 9, 1.6f, flat(rgb(30, 20, 30)));
  outline(cv);
  return cv;
}

canvas goo() {
  canvas cv(T, T);
  fill(
      cv, 4, 4, 44, 44,
      [](float x, float y) {
        float a = std::atan2(y - 24, x - 24);
        float r = 15 + 3 * std::sin(a * 3 + 0.5f) + 2 * std::sin(a * 5 + 1.3f);
        return std::hypot(x - 24, y - 24) < r;
      },
      dome(24, 24, 18, 18, rgb(90, 200, 70), 0.8f));
  circle(cv, 18, 20, 3, flat(rgb(170, 240, 140)));
  circle(cv, 29, 27, 2, flat(rgb(170, 240, 140)));
  circle(cv, 22, 31, 1.5f, flat(rgb(170, 240, 140)));
  circle(cv, 26, 16, 4, flat(rgb(40, 90, 30)));  // a swallowed skull shadow
  circle(cv, 25, 15, 1, flat(rgb(220, 255, 200)));
  // two eyes on stalks at its leading edge: even a blob has a front
  for (float x : {19.f, 29.f}) {
    line(cv, x, 11, x, 6, 1.4f, flat(rgb(60, 140, 40)));
    circle(cv, x, 5.5f, 2.2f, flat(rgb(250, 250, 210)));
    circle(cv, x, 4.8f, 1, flat(rgb(10, 10, 10)));
  }
  outline(cv, rgb(20, 50, 10));
  return cv;
}

canvas dwarf() {
  canvas cv(T, T);
  // axe in the right hand
  line(cv, 36, 28, 36, 6, 2.4f, flat(rgb(110, 70, 40)));
  polygon(cv, {{36, 6}, {44, 3}, {45, 13}, {36, 11}}, dome(40, 8, 5, 5, rgb(180, 185, 195)));
  humanoid h{14, 8, 6.5f, rgb(150, 60, 40), rgb(200, 160, 120), rgb(150, 60, 40)};
  draw_humanoid(cv, h, 27);
  // beard spilling forward
  polygon(cv, {{19, 22}, {29, 22}, {27, 14}, {24, 11}, {21, 14}},
          dome(24, 18, 6, 6, rgb(220, 120, 40)));
  // helmet
  circle(cv, 24, 24, 6, dome(24, 24, 6, 6, rgb(170, 170, 180), 0.7f));
  line(cv, 24, 19, 24, 29, 1.4f, flat(rgb(110, 110, 120)));
  outline(cv);
  return cv;
}

canvas golem() {
  canvas cv(T, T);
  col stone = rgb(130, 126, 118);
  rrect(cv, 5, 18, 15, 34, 3, dome(10, 26, 6, 9, stone));  // fists
  rrect(cv, 33, 18, 43, 34, 3, dome(38, 26, 6, 9, stone));
  rrect(cv, 11, 16, 37, 38, 4, dome(24, 26, 15, 13, stone));
  rrect(cv, 18, 10, 30, 22, 3, dome(24, 16, 7, 7, scale(stone, 1.1f)));
  line(cv, 14, 22, 20, 30, 1, flat(rgb(60, 58, 54)));
  line(cv, 20, 30, 18, 36, 1, flat(rgb(60, 58, 54)));
  line(cv, 32, 20, 28, 27, 1, flat(rgb(60, 58, 54)));
  circle(cv, 21.5f, 13.5f, 1.3f, flat(rgb(120, 220, 255)));
  circle(cv, 26.5f, 13.5f, 1.3f, flat(rgb(120, 220, 255)));
  outline(cv);
  return cv;
}

canvas hobgoblin() {
  canvas cv(T, T);
  col skin = rgb(200, 110, 50);
  line(cv, 35, 30, 35, 1, 2, flat(rgb(120, 90, 60)));  // spear
  polygon(cv, {{35, 0}, {37.5f, 6}, {32.5f, 6}}, flat(rgb(200, 200, 210)));
  polygon(cv, {{17, 18}, {10, 13}, {17, 22}}, dome(14, 17, 5, 4, skin));
  polygon(cv, {{31, 18}, {38, 13}, {31, 22}}, dome(34, 17, 5, 4, skin));
  humanoid h{14, 8, 6, rgb(90, 90, 100), skin, skin};
  draw_humanoid(cv, h, 27);
  // armour plates
  line(cv, 14, 27, 34, 27, 1.4f, flat(rgb(150, 150, 160)));
  circle(cv, 22, 20.5f, 1.2f, flat(rgb(255, 240, 60)));
  circle(cv, 26, 20.5f, 1.2f, flat(rgb(255, 240, 60)));
  outline(cv);
  return cv;
}

canvas gnome() {
  canvas cv(T, T);
  humanoid h{9, 5.5f, 5, rgb(50, 90, 190), rgb(230, 190, 160), rgb(50, 90, 190)};
  float hy = draw_humanoid(cv, h, 28);
  // the tall pointed hat, tipped back: from above, rings narrowing to the tip
  circle(cv, 24, hy + 3, 6, dome(24, hy + 3, 6, 6, rgb(200, 30, 30)));
  circle(cv, 24.5f, hy + 4, 3.5f, dome(24.5f, hy + 4, 3.5f, 3.5f, rgb(220, 50, 40)));
  circle(cv, 25, hy + 5, 1.4f, flat(rgb(250, 120, 100)));
  // the face and the white beard spilling forward from it
  face(cv, 24, hy, 5);
  ellipse(cv, 24, hy - 5, 3.5f, 2.5f, dome(24, hy - 5, 3.5f, 2.5f, rgb(240, 240, 240)));
  outline(cv);
  return cv;
}

canvas trog() {
  canvas cv(T, T);
  col skin = rgb(90, 110, 130);
  line(cv, 12, 26, 8, 10, 4.5f, flat(skin));
  line(cv, 36, 26, 40, 10, 4.5f, flat(skin));
  circle(cv, 8, 9, 3.5f, dome(8, 9, 3.5f, 3.5f, rgb(110, 130, 150)));
  // a club
  line(cv, 40, 14, 41, 0, 4, flat(rgb(100, 70, 40)));
  ellipse(cv, 24, 28, 13, 10, dome(24, 28, 13, 10, skin));
  // spiny crest down the back
  for (int i = 0; i < 5; i++)
    polygon(cv, {{22, 18.f + i * 4}, {26, 18.f + i * 4}, {24, 22.f + i * 4}},
            flat(rgb(180, 60, 50)));
  ellipse(cv, 24, 16, 6, 7, dome(24, 16, 6, 7, scale(skin, 1.1f)));
  circle(cv, 21.5f, 12, 1.3f, flat(rgb(255, 255, 120)));
  circle(cv, 26.5f, 12, 1.3f, flat(rgb(255, 255, 120)));
  outline(cv);
  return cv;
}

canvas salamander() {
  canvas cv(T, T);
  col skin = rgb(230, 90, 20);
  paint_fn fire = [](float x, float y) {
    return mix(rgb(250, 200, 40), rgb(220, 60, 10),
               std::clamp((y - 8) / 36.f + 0.2f * std::sin(x), 0.f, 1.f));
  };
  // curling tail
  for (int i = 0; i < 16; i++) {
    float t = i / 15.f;
    float x = 24 + std::sin(t * 4) * 6, y = 30 + t * 16;
    circle(cv, x, y, 3.5f - 2.5f * t, fire);
  }
  // splayed legs
  line(cv, 18, 20, 9, 14, 2.6f, flat(skin));
  line(cv, 30, 20, 39, 14, 2.6f, flat(skin));
  line(cv, 18, 31, 9, 37, 2.6f, flat(skin));
  line(cv, 30, 31, 39, 37, 2.6f, flat(skin));
  ellipse(cv, 24, 25, 7, 11, dome(24, 25, 7, 11, skin, 0.5f));
  ellipse(cv, 24, 11, 5.5f, 6, dome(24, 11, 5.5f, 6, rgb(240, 120, 30), 0.5f));
  for (int i = 0; i < 4; i++) circle(cv, 24, 18.f + i * 4, 1.2f, flat(rgb(255, 230, 90)));
  circle(cv, 21.5f, 9, 1.1f, flat(rgb(20, 10, 0)));
  circle(cv, 26.5f, 9, 1.1f, flat(rgb(20, 10, 0)));
  outline(cv, rgb(80, 20, 0));
  return cv;
}

canvas minotaur() {
  canvas cv(T, T);
  col hide = rgb(110, 64, 36);
  // great axe held across
  line(cv, 6, 12, 42, 12, 2.4f, flat(rgb(90, 60, 30)));
  polygon(cv, {{2, 5}, {10, 8}, {10, 16}, {2, 19}}, dome(6, 12, 5, 7, rgb(190, 190, 200)));
  humanoid h{17, 9, 7.5f, hide, rgb(90, 52, 30), hide};
  draw_humanoid(cv, h, 28);
  // horns sweeping out and forward
  polygon(cv, {{19, 23}, {9, 19}, {7, 13}, {12, 18}, {20, 20}},
          dome(13, 19, 6, 4, rgb(235, 225, 200)));
  polygon(cv, {{29, 23}, {39, 19}, {41, 13}, {36, 18}, {28, 20}},
          dome(35, 19, 6, 4, rgb(235, 225, 200)));
  ellipse(cv, 24, 20, 4, 3, dome(24, 20, 4, 3, rgb(70, 40, 24)));  // snout
  circle(cv, 24, 18, 1.2f, flat(rgb(200, 180, 60)));               // nose ring
  outline(cv);
  return cv;
}

canvas water_terror() {
  canvas cv(T, T);
  col skin = rgb(40, 120, 140);
  for (int i = 0; i < 8; i++) {
    float a = -PI / 2 + (i - 3.5f) * 0.55f + (i >= 4 ? 0 : 0);
    float base = i < 4 ? a - 0.2f : a + 0.2f;
    float px = 24, py = 22;
    for (int s = 0; s < 10; s++) {
      float t = s / 9.f;
      float ang = base + std::sin(t * 4 + i) * 0.5f;
      float nx = px + std::cos(ang) * 2.2f, ny = py + std::sin(ang) * 2.2f;
      line(cv, px, py, nx, ny, 3.5f - 2.5f * t, flat(scale(skin, 0.9f + 0.2f * t)));
      px = nx;
      py = ny;
    }
  }
  ellipse(cv, 24, 30, 11, 13, dome(24, 30, 11, 13, rgb(50, 140, 160), 0.6f));
  for (int i = 0; i < 6; i++)
    circle(cv, 18 + (i % 3) * 6.f, 30 + (i / 3) * 6.f, 1.2f, flat(rgb(140, 220, 220)));
  circle(cv, 20, 22, 2.2f, flat(rgb(240, 240, 120)));
  circle(cv, 28, 22, 2.2f, flat(rgb(240, 240, 120)));
  circle(cv, 20, 22, 1, flat(rgb(0, 0, 0)));
  circle(cv, 28, 22, 1, flat(rgb(0, 0, 0)));
  outline(cv, rgb(5, 30, 40));
  return cv;
}

canvas other_person() {
  canvas cv(T, T);
  humanoid h{12, 7, 6, rgb(120, 100, 70), rgb(220, 180, 150), rgb(120, 100, 70)};
  float hy = draw_humanoid(cv, h);
  // the hood over the back of the head, the face bare in front
  ellipse(cv, 24, hy + 2.5f, 7, 4.5f, dome(24, hy + 2.5f, 7, 4.5f, rgb(100, 80, 56)));
  face(cv, 24, hy, 6);
  outline(cv);
  return cv;
}

// The ground under a unit: a shadow stretched along its facing, with a
// notch at the front so the way it faces shows before its picture turns.
canvas body_marker(int facing) {
  canvas cv(T, T);
  float a = -PI / 2 + facing * PI / 4;
  ellipse(cv, 24, 24, 20, 15, flat(rgb(40, 30, 30)), 1, a);
  ellipse(cv, 24, 24, 17, 12, flat(rgb(70, 55, 50)), 1, a);
  float fx = 24 + std::cos(a) * 19, fy = 24 + std::sin(a) * 19;
  float lx = 24 + std::cos(a - 0.35f) * 13, ly = 24 + std::sin(a - 0.35f) * 13;
  float rx = 24 + std::cos(a + 0.35f) * 13, ry = 24 + std::sin(a + 0.35f) * 13;
  polygon(cv, {{fx, fy}, {lx, ly}, {rx, ry}}, flat(rgb(230, 220, 200)));
  return cv;
}

// ---------------------------------------------------------------------------
// Items lying on the floor
// ---------------------------------------------------------------------------
const col STEEL = rgb(190, 196, 206);
const col WOOD = rgb(130, 86, 44);
const col LEATHER = rgb(120, 74, 40);
const col GOLD = rgb(230, 190, 60);

void blade(canvas& cv, float x0, float y0, float x1, float y1, float w) {
  taper(cv, x0, y0, x1, y1, w, 0.6f, flat(STEEL));
  line(cv, x0 + (x1 - x0) * 0.05f, y0 + (y1 - y0) * 0.05f, x0 + (x1 - x0) * 0.85f,
       y0 + (y1 - y0) * 0.85f, 0.8f, flat(rgb(240, 244, 250)));
}

canvas sword() {
  canvas cv(T, T);
  blade(cv, 18, 30, 40, 8, 4.5f);
  line(cv, 13, 25, 23, 35, 2.6f, flat(GOLD));
  line(cv, 18, 30, 10, 38, 3, flat(LEATHER));
  circle(cv, 9, 39, 2.4f, flat(GOLD));
  outline(cv);
  return cv;
}
canvas dagger() {
  canvas cv(T, T);
  blade(cv, 21, 27, 34, 14, 4);
  line(cv, 18, 24, 24, 30, 2.2f, flat(GOLD));
  line(cv, 21, 27, 15, 33, 3, flat(LEATHER));
  outline(cv);
  return cv;
}
canvas axe() {
  canvas cv(T, T);
  line(cv, 12, 40, 34, 10, 3, flat(WOOD));
  polygon(cv, {{30, 8}, {40, 4}, {44, 16}, {36, 18}}, dome(38, 11, 6, 7, STEEL, 0.5f));
  outline(cv);
  return cv;
}
canvas pickaxe() {
  canvas cv(T, T);
  line(cv, 14, 40, 32, 12, 3, flat(WOOD));
  polygon(cv, {{18, 6}, {32, 10}, {44, 22}, {34, 14}}, dome(31, 13, 12, 6, rgb(150, 150, 160)));
  outline(cv);
  return cv;
}
canvas club() {
  canvas cv(T, T);
  taper(cv, 12, 38, 34, 12, 3.5f, 9, dome(24, 24, 16, 16, rgb(120, 80, 42)));
  for (int i = 0; i < 4; i++) circle(cv, 27.f + i * 2, 17.f - i * 2, 1, flat(rgb(80, 50, 30)));
  outline(cv);
  return cv;
}
canvas hammer() {
  canvas cv(T, T);
  line(cv, 14, 40, 30, 16, 3, flat(WOOD));
  rrect(cv, 22, 8, 40, 18, 2, dome(31, 13, 9, 5, rgb(140, 140, 150)));
  outline(cv);
  return cv;
}
canvas spear() {
  canvas cv(T, T);
  line(cv, 6, 42, 36, 12, 2.4f, flat(WOOD));
  polygon(cv, {{43, 5}, {39, 16}, {32, 9}}, dome(38, 10, 5, 5, STEEL, 0.5f));
  outline(cv);
  return cv;
}
canvas spade() {
  canvas cv(T, T);
  line(cv, 12, 40, 28, 20, 3, flat(WOOD));
  line(cv, 9, 37, 15, 43, 2.5f, flat(WOOD));
  polygon(cv, {{26, 16}, {36, 8}, {42, 14}, {34, 24}, {28, 22}},
          dome(34, 16, 8, 8, rgb(150, 150, 155)));
  outline(cv);
  return cv;
}
canvas rock() {
  canvas cv(T, T);
  fill(
      cv, 12, 14, 36, 34,
      [](float x, float y) {
        float a = std::atan2(y - 24, x - 24);
        return std::hypot((x - 24) / 1.2f, y - 24) < 9 + 1.5f * std::sin(a * 3);
      },
      dome(24, 24, 12, 10, rgb(130, 124, 116)));
  outline(cv);
  return cv;
}
canvas fist() {
  canvas cv(T, T);
  col skin = rgb(225, 180, 145);
  rrect(cv, 15, 17, 33, 33, 5, dome(24, 25, 10, 9, skin));
  for (int i = 0; i < 4; i++)
    line(cv, 17.f + i * 4.5f, 18, 17.f + i * 4.5f, 24, 0.8f, flat(rgb(150, 110, 90)));
  ellipse(cv, 14, 28, 3, 5, dome(14, 28, 3, 5, skin));
  outline(cv);
  return cv;
}
canvas armour() {
  canvas cv(T, T);
  polygon(cv, {{14, 10}, {34, 10}, {40, 18}, {36, 22}, {34, 38}, {14, 38}, {12, 22}, {8, 18}},
          [](float x, float y) {
            col c = scale(rgb(160, 166, 176), 0.8f + 0.3f * ((int(x) + int(y) * 2) % 3 == 0));
            return c;
          });
  rect(cv, 21, 10, 27, 14, flat(rgb(60, 60, 70)));
  line(cv, 14, 30, 34, 30, 2, flat(LEATHER));
  outline(cv);
  return cv;
}
canvas helmet() {
  canvas cv(T, T);
  circle(cv, 24, 24, 12, dome(24, 24, 12, 12, rgb(170, 172, 180), 0.6f));
  line(cv, 24, 12, 24, 36, 2, flat(rgb(120, 120, 130)));
  rect(cv, 18, 30, 30, 33, flat(rgb(40, 40, 50)));
  outline(cv);
  return cv;
}
canvas shield(float r) {
  canvas cv(T, T);
  circle(cv, 24, 24, r, dome(24, 24, r, r, rgb(140, 90, 50)));
  ring(cv, 24, 24, r - 2, r, flat(rgb(150, 150, 160)));
  circle(cv, 24, 24, r / 3.5f, dome(24, 24, r / 3.5f, r / 3.5f, rgb(200, 200, 210), 0.6f));
  outline(cv);
  return cv;
}
canvas large_shield() {
  canvas cv(T, T);
  polygon(cv, {{10, 6}, {38, 6}, {38, 26}, {24, 44}, {10, 26}},
          dome(24, 20, 16, 20, rgb(40, 70, 150)));
  polygon(cv, {{13, 9}, {35, 9}, {35, 25}, {24, 40}, {13, 25}},
          dome(24, 20, 16, 20, rgb(50, 90, 180)));
  line(cv, 24, 9, 24, 38, 3, flat(GOLD));
  line(cv, 14, 18, 34, 18, 3, flat(GOLD));
  outline(cv);
  return cv;
}
canvas boots(bool swift) {
  canvas cv(T, T);
  col c = swift ? rgb(60, 140, 120) : LEATHER;
  for (int s = 0; s < 2; s++) {
    float x = 17 + s * 14;
    rrect(cv, x - 5, 12, x + 5, 38, 4, dome(x, 25, 6, 14, c));
    line(cv, x - 5, 20, x + 5, 20, 1.5f, flat(scale(c, 0.6f)));
    if (swift) {
      polygon(cv, {{x - 5, 24}, {x - 11, 20}, {x - 10, 26}, {x - 5, 28}}, flat(rgb(240, 240, 255)));
    }
  }
  outline(cv);
  return cv;
}
canvas legs() {
  canvas cv(T, T);
  for (int s = 0; s < 2; s++) {
    float x = 18 + s * 12;
    rrect(cv, x - 5, 8, x + 5, 40, 3, dome(x, 24, 6, 16, rgb(160, 164, 172)));
    ellipse(cv, x, 24, 4, 3, dome(x, 24, 4, 3, rgb(200, 200, 210)));
  }
  outline(cv);
  return cv;
}
canvas arms() {
  canvas cv(T, T);
  for (int s = 0; s < 2; s++) {
    float x = 17 + s * 14;
    rrect(cv, x - 5, 12, x + 5, 36, 4, dome(x, 24, 6, 13, rgb(150, 100, 60)));
    for (int i = 0; i < 3; i++)
      line(cv, x - 5, 17.f + i * 7, x + 5, 17.f + i * 7, 1.6f, flat(rgb(170, 170, 180)));
  }
  outline(cv);
  return cv;
}
canvas backpack() {
  canvas cv(T, T);
  rrect(cv, 12, 12, 36, 40, 6, dome(24, 26, 13, 15, LEATHER));
  rrect(cv, 14, 12, 34, 24, 5, dome(24, 17, 11, 7, scale(LEATHER, 1.2f)));
  rect(cv, 22, 20, 26, 26, flat(GOLD));
  line(cv, 16, 10, 16, 14, 2, flat(rgb(70, 40, 20)));
  line(cv, 32, 10, 32, 14, 2, flat(rgb(70, 40, 20)));
  outline(cv);
  return cv;
}
canvas bag() {
  canvas cv(T, T);
  circle(cv, 24, 27, 12, dome(24, 27, 12, 12, rgb(150, 120, 80)));
  polygon(cv, {{19, 16}, {29, 16}, {32, 10}, {16, 10}}, dome(24, 13, 8, 4, rgb(150, 120, 80)));
  line(cv, 18, 17, 30, 17, 2, flat(rgb(90, 60, 30)));
  for (int i = 0; i < 4; i++)
    circle(cv, 12.f + i * 8, 40.f - (i % 2) * 2, 3,
           dome(12.f + i * 8, 40.f - (i % 2) * 2, 3, 3, GOLD, 0.8f));
  outline(cv);
  return cv;
}
canvas gem(col c) {
  canvas cv(T, T);
  std::vector<std::array<float, 2>> pts;
  for (int i = 0; i < 8; i++)
    pts.push_back(
        {24 + 11 * std::cos(i * PI / 4 + PI / 8), 24 + 11 * std::sin(i * PI / 4 + PI / 8)});
  polygon(cv, pts, dome(24, 24, 12, 12, c, 0.9f));
  std::vector<std::array<float, 2>> top;
  for (int i = 0; i < 8; i++)
    top.push_back({24 + 6 * std::cos(i * PI / 4 + PI / 8), 24 + 6 * std::sin(i * PI / 4 + PI / 8)});
  polygon(cv, top, flat(mix(c, rgb(255, 255, 255), 0.35f)));
  for (int i = 0; i < 8; i++)
    line(cv, top[static_cast<size_t>(i)][0], top[static_cast<size_t>(i)][1],
         pts[static_cast<size_t>(i)][0], pts[static_cast<size_t>(i)][1], 0.7f,
         flat(scale(c, 0.6f)));
  circle(cv, 21, 21, 1.5f, flat(rgb(255, 255, 255)));
  outline(cv);
  return cv;
}
// Drawn lit over a gem: a crack and a missing corner.
canvas gem_chip() {
  canvas cv(T, T);
  line(cv, 18, 17, 24, 25, 1.2f, flat(rgb(40, 30, 30)));
  line(cv, 24, 25, 22, 31, 1.2f, flat(rgb(40, 30, 30)));
  line(cv, 24, 25, 30, 27, 1, flat(rgb(40, 30, 30)));
  polygon(cv, {{30, 14}, {36, 17}, {33, 21}}, flat(rgb(60, 50, 50)));
  return cv;
}
canvas potion(col liquid) {
  canvas cv(T, T);
  circle(cv, 24, 28, 11, dome(24, 28, 11, 11, scale(liquid, 0.9f), 0.9f));
  ring(cv, 24, 28, 9.5f, 11, flat(mix(liquid, rgb(255, 255, 255), 0.4f)), 0.6f);
  rect(cv, 21, 10, 27, 19, flat(rgb(190, 210, 220)));
  rrect(cv, 20, 6, 28, 12, 2, dome(24, 9, 4, 3, rgb(150, 110, 70)));
  circle(cv, 20, 24, 2.5f, flat(rgb(255, 255, 255)));
  outline(cv);
  return cv;
}
canvas loaf() {
  canvas cv(T, T);
  ellipse(cv, 24, 24, 15, 10, dome(24, 24, 15, 10, rgb(200, 140, 70), 0.3f));
  for (int i = 0; i < 3; i++)
    line(cv, 16.f + i * 7, 18, 20.f + i * 7, 30, 1.6f, flat(rgb(240, 200, 140)));
  outline(cv);
  return cv;
}
canvas meat() {
  canvas cv(T, T);
  line(cv, 30, 30, 40, 40, 3.5f, flat(rgb(240, 235, 220)));
  circle(cv, 41, 41, 2.6f, flat(rgb(240, 235, 220)));
  ellipse(cv, 21, 21, 12, 9, dome(21, 21, 12, 9, rgb(170, 70, 50), 0.3f), 1, PI / 4);
  ellipse(cv, 19, 19, 6, 4, flat(rgb(200, 110, 90)), 1, PI / 4);
  outline(cv);
  return cv;
}
canvas fish() {
  canvas cv(T, T);
  polygon(cv, {{34, 24}, {43, 16}, {43, 32}}, flat(rgb(110, 140, 160)));
  ellipse(cv, 22, 24, 14, 7, dome(22, 24, 14, 7, rgb(150, 180, 200), 0.7f));
  circle(cv, 13, 22, 1.5f, flat(rgb(0, 0, 0)));
  line(cv, 17, 19, 17, 29, 1, flat(rgb(100, 120, 140)));
  outline(cv);
  return cv;
}
canvas cheese() {
  canvas cv(T, T);
  polygon(cv, {{10, 34}, {38, 34}, {38, 14}}, dome(30, 28, 14, 10, rgb(240, 200, 70)));
  circle(cv, 30, 28, 2.4f, flat(rgb(200, 150, 40)));
  circle(cv, 35, 22, 1.6f, flat(rgb(200, 150, 40)));
  circle(cv, 22, 31, 1.5f, flat(rgb(200, 150, 40)));
  outline(cv);
  return cv;
}
canvas mushrooms() {
  canvas cv(T, T);
  const float spots[4][3] = {{17, 20, 7}, {30, 16, 6}, {28, 31, 8}, {15, 33, 5}};
  for (auto& s : spots) {
    circle(cv, s[0], s[1], s[2], dome(s[0], s[1], s[2], s[2], rgb(190, 60, 40), 0.5f));
    circle(cv, s[0] - 2, s[1] - 1, 1.2f, flat(rgb(250, 240, 220)));
    circle(cv, s[0] + 2, s[1] + 2, 1, flat(rgb(250, 240, 220)));
  }
  outline(cv);
  return cv;
}
canvas herbs() {
  canvas cv(T, T);
  for (int i = 0; i < 7; i++) {
    float a = -PI / 2 + (i - 3) * 0.35f;
    float ex = 24 + std::cos(a) * 17, ey = 36 + std::sin(a) * 22;
    line(cv, 24, 38, ex, ey, 1.2f, flat(rgb(60, 110, 40)));
    ellipse(cv, ex, ey, 2.5f, 5, dome(ex, ey, 2.5f, 5, rgb(90, 170, 60)), 1, a + PI / 2);
    ellipse(cv, (24 + ex) / 2, (38 + ey) / 2, 2, 4, flat(rgb(80, 150, 50)), 1, a + PI / 2);
  }
  line(cv, 20, 38, 28, 38, 2, flat(rgb(180, 150, 90)));
  outline(cv);
  return cv;
}
canvas fairy() {
  canvas cv(T, T);
  circle(cv, 24, 24, 16, flat(rgb(240, 255, 200)), 0.25f);
  ellipse(cv, 16, 20, 7, 4, flat(rgb(200, 240, 255)), 0.9f, -0.5f);
  ellipse(cv, 32, 20, 7, 4, flat(rgb(200, 240, 255)), 0.9f, 0.5f);
  ellipse(cv, 17, 29, 5, 3, flat(rgb(200, 240, 255)), 0.9f, 0.5f);
  ellipse(cv, 31, 29, 5, 3, flat(rgb(200, 240, 255)), 0.9f, -0.5f);
  ellipse(cv, 24, 26, 3, 6, dome(24, 26, 3, 6, rgb(250, 200, 230), 0.8f));
  circle(cv, 24, 19, 2.8f, dome(24, 19, 2.8f, 2.8f, rgb(255, 230, 200), 0.8f));
  return cv;
}
canvas key() {
  canvas cv(T, T);
  ring(cv, 15, 24, 4, 7.5f, dome(15, 24, 7.5f, 7.5f, GOLD, 0.7f));
  line(cv, 22, 24, 40, 24, 3, flat(GOLD));
  rect(cv, 33, 24, 36, 30, flat(GOLD));
  rect(cv, 37.5f, 24, 40, 29, flat(GOLD));
  outline(cv);
  return cv;
}
canvas rope() {
  canvas cv(T, T);
  for (int i = 0; i < 3; i++)
    ring(cv, 24, 24, 5.f + i * 4.5f, 8.f + i * 4.5f, [](float x, float y) {
      float a = std::atan2(y - 24, x - 24);
      return scale(rgb(190, 150, 90), 0.75f + 0.25f * std::sin(a * 14));
    });
  line(cv, 37, 28, 44, 38, 3, flat(rgb(190, 150, 90)));
  outline(cv);
  return cv;
}
canvas corpse() {
  canvas cv(T, T);
  ellipse(cv, 26, 28, 16, 10, flat(rgb(120, 20, 20)), 0.9f, 0.3f);  // blood
  humanoid h{11, 6, 5, rgb(90, 80, 70), rgb(170, 160, 140), rgb(90, 80, 70)};
  canvas body(T, T);
  draw_humanoid(body, h);
  // lying on its side: the figure turned a quarter
  for (int y = 0; y < T; y++)
    for (int x = 0; x < T; x++) {
      int sx = y, sy = T - 1 - x;
      if (body.solid(sx, sy)) cv.blend(x, y, body.c[body.at(sx, sy)], 1);
    }
  outline(cv);
  return cv;
}
canvas torch(int state) {  // 0 plain, 1 burnt out, 2 lit
  canvas cv(T, T);
  if (state == 2) circle(cv, 34, 14, 12, flat(rgb(255, 200, 80)), 0.3f);
  taper(cv, 12, 38, 32, 16, 3, 5, flat(WOOD));
  col head = state == 1 ? rgb(40, 36, 32) : rgb(90, 60, 40);
  circle(cv, 33, 15, 4.5f, dome(33, 15, 4.5f, 4.5f, head));
  if (state == 2) {
    ellipse(cv, 35, 11, 5, 8, flat(rgb(250, 120, 20)), 1, 0.6f);
    ellipse(cv, 35, 12, 3, 5, flat(rgb(255, 220, 80)), 1, 0.6f);
  }
  if (state == 1) circle(cv, 36, 11, 2, flat(rgb(90, 90, 90)), 0.8f);
  outline(cv);
  return cv;
}
canvas unknown_thing() {
  canvas cv(T, T);
  rrect(cv, 10, 10, 38, 38, 6, dome(24, 24, 16, 16, rgb(110, 90, 140)));
  // a question mark
  fill(
      cv, 14, 12, 34, 30,
      [](float x, float y) {
        float d = std::hypot(x - 24, y - 19);
        return d > 4 && d < 7.5f && !(y > 19 && x < 24);
      },
      flat(rgb(250, 240, 200)));
  line(cv, 24, 26, 24, 30, 3.4f, flat(rgb(250, 240, 200)));
  circle(cv, 24, 34.5f, 2, flat(rgb(250, 240, 200)));
  outline(cv);
  return cv;
}

// ---------------------------------------------------------------------------
// Scenery
// ---------------------------------------------------------------------------
void sleeper(canvas& cv, float x0, float y0, float x1, float y1) {
  rect(cv, x0, y0, x1, y1, grainy(rgb(100, 66, 36), 0.4f, 7));
}
void rail(canvas& cv, float ax, float ay, float bx, float by) {
  line(cv, ax, ay, bx, by, 3, flat(rgb(60, 58, 60)));
  line(cv, ax, ay, bx, by, 1.2f, flat(rgb(190, 190, 200)));
}
canvas straight_track() {
  canvas cv(T, T);
  for (int i = 0; i < 4; i++) sleeper(cv, 8, 3.f + i * 12, 40, 8.f + i * 12);
  rail(cv, 15, 0, 15, 48);
  rail(cv, 33, 0, 33, 48);
  return cv;
}
// Joins the south edge to the east edge.
canvas curved_track() {
  canvas cv(T, T);
  for (int i = 0; i < 5; i++) {
    float a = PI / 2 + (i + 0.5f) * (PI / 2) / 5;
    float c = std::cos(a), s = std::sin(a);
    polygon(cv,
            {{48 + c * 6, 48 - s * 6},
             {48 + c * 42, 48 - s * 42},
             {48 + std::cos(a + 0.12f) * 42, 48 - std::sin(a + 0.12f) * 42},
             {48 + std::cos(a + 0.12f) * 6, 48 - std::sin(a + 0.12f) * 6}},
            grainy(rgb(100, 66, 36), 0.4f, 8));
  }
  for (float r : {15.f, 33.f}) {
    ring(cv, 48, 48, r - 1.5f, r + 1.5f, flat(rgb(60, 58, 60)));
    ring(cv, 48, 48, r - 0.6f, r + 0.6f, flat(rgb(190, 190, 200)));
  }
  return cv;
}
canvas buffer_stop() {
  canvas cv(T, T);
  for (int i = 1; i < 4; i++) sleeper(cv, 8, 3.f + i * 12, 40, 8.f + i * 12);
  rail(cv, 15, 8, 15, 48);
  rail(cv, 33, 8, 33, 48);
  rrect(cv, 9, 3, 39, 11, 2, dome(24, 7, 15, 4, rgb(150, 40, 30)));
  rect(cv, 11, 5, 17, 9, flat(rgb(240, 220, 60)));
  rect(cv, 31, 5, 37, 9, flat(rgb(240, 220, 60)));
  return cv;
}
canvas crypt(bool open) {
  canvas cv(T, T);
  rect(cv, 9, 3, 41, 47, flat(rgb(20, 18, 16)), 0.6f);
  rrect(cv, 7, 1, 39, 45, 3, dome(23, 23, 18, 24, rgb(150, 146, 138), 0.15f));
  if (open) {
    rrect(cv, 11, 5, 35, 41, 2, flat(rgb(25, 20, 18)));
    line(cv, 16, 12, 30, 12, 1.5f, flat(rgb(210, 205, 190)));  // bones within
    circle(cv, 23, 9, 3, flat(rgb(210, 205, 190)));
    line(cv, 23, 12, 23, 30, 1.5f, flat(rgb(210, 205, 190)));
  } else {
    rrect(cv, 10, 4, 36, 42, 2, dome(23, 23, 14, 20, rgb(170, 166, 156), 0.2f));
    line(cv, 23, 10, 23, 34, 2.4f, flat(rgb(110, 106, 98)));
    line(cv, 16, 17, 30, 17, 2.4f, flat(rgb(110, 106, 98)));
  }
  return cv;
}
canvas chest(bool large, bool open) {
  canvas cv(T, T);
  float w = large ? 17 : 13, d = large ? 12 : 9;
  float x0 = 24 - w, x1 = 24 + w, y0 = 26 - d, y1 = 26 + d;
  rect(cv, x0 + 2, y0 + 2, x1 + 2, y1 + 2, flat(rgb(15, 10, 5)), 0.6f);
  if (open) {
    rect(cv, x0, y0, x1, y1, flat(rgb(90, 56, 28)));
    rect(cv, x0 + 3, y0 + 3, x1 - 3, y1 - 3, flat(rgb(30, 18, 10)));
    rect(cv, x0, y0 - 8, x1, y0, flat(rgb(140, 92, 48)));  // lid thrown back
    for (int i = 0; i < 3; i++) circle(cv, x0 + 7 + i * 6, y1 - 7, 2.2f, flat(GOLD));
  } else {
    rect(cv, x0, y0, x1, y1, [=](float x, float) {
      return scale(rgb(140, 92, 48), 0.85f + 0.25f * vnoise(x, 0, 3, 0, 3));
    });
    for (int i = 0; i < 3; i++) {
      float x = x0 + 3 + i * (x1 - x0 - 6) / 2;
      rect(cv, x - 1.5f, y0, x + 1.5f, y1, flat(rgb(80, 80, 90)));
    }
    rect(cv, 21, y1 - 4, 27, y1, flat(GOLD));
  }
  outline(cv);
  return cv;
}
canvas spider_web() {
  canvas cv(T, T);
  col silk = rgb(230, 230, 235);
  for (int i = 0; i < 8; i++) {
    float a = i * PI / 4 + 0.2f;
    line(cv, 24, 24, 24 + std::cos(a) * 30, 24 + std::sin(a) * 30, 0.8f, flat(silk));
  }
  for (int r = 5; r < 24; r += 5)
    for (int i = 0; i < 8; i++) {
      float a = i * PI / 4 + 0.2f, b = a + PI / 4;
      line(cv, 24 + std::cos(a) * r, 24 + std::sin(a) * r, 24 + std::cos(b) * r,
           24 + std::sin(b) * r, 0.7f, flat(silk));
    }
  return cv;
}
canvas secret_passage() {
  canvas cv(T, T);
  rect(cv, 0, 0, 12, 48, grainy(rgb(95, 88, 80), 0.4f, 3));
  rect(cv, 12, 0, 22, 48, flat(rgb(15, 12, 10)));
  line(cv, 12, 0, 12, 48, 1, flat(rgb(160, 150, 140)));
  return cv;
}
canvas pit() {
  canvas cv(T, T);
  circle(cv, 24, 24, 20, dome(24, 24, 20, 20, rgb(90, 80, 70)));
  circle(cv, 24, 24, 16, [](float x, float y) {
    float d = std::hypot(x - 24, y - 24) / 16;
    return scale(rgb(50, 40, 35), 1 - d * 0.2f - 0.6f * (1 - d));
  });
  return cv;
}
canvas filled_pit() {
  canvas cv(T, T);
  circle(cv, 24, 24, 20, dome(24, 24, 20, 20, rgb(90, 80, 70)));
  for (int i = 0; i < 12; i++) {
    float x = 12 + rnd(i, 0, 301) * 24, y = 12 + rnd(i, 1, 301) * 24, r = 3 + rnd(i, 2, 301) * 3;
    circle(cv, x, y, r, dome(x, y, r, r, rgb(130, 120, 108)));
  }
  return cv;
}
canvas boulder() {
  canvas cv(T, T);
  circle(cv, 27, 27, 19, flat(rgb(10, 8, 6)), 0.5f);
  fill(
      cv, 2, 2, 46, 46,
      [](float x, float y) {
        float a = std::atan2(y - 24, x - 24);
        return std::hypot(x - 24, y - 24) < 19 + 1.5f * std::sin(a * 5);
      },
      [](float x, float y) {
        col c = dome(24, 24, 20, 20, rgb(140, 130, 118), 0.3f)(x, y);
        return scale(c, 0.85f + 0.3f * vnoise(x, y, 4, 0, 311));
      });
  return cv;
}
canvas well() {
  canvas cv(T, T);
  ring(cv, 24, 24, 13, 21, [](float x, float y) {
    float a = std::atan2(y - 24, x - 24);
    col c = scale(rgb(150, 142, 130), 0.8f + 0.3f * (int((a + PI) * 4) % 2));
    return scale(c, 1 - 0.2f * (y - 24) / 21);
  });
  circle(cv, 24, 24, 13, [](float x, float y) {
    float d = std::hypot(x - 24, y - 24) / 13;
    return mix(rgb(20, 40, 70), rgb(40, 80, 130), 1 - d + 0.1f * std::sin(x + y));
  });
  line(cv, 4, 24, 44, 24, 3, flat(WOOD));  // the windlass beam
  return cv;
}
canvas spikes(bool revealed) {
  canvas cv(T, T);
  rect(cv, 8, 8, 40, 40, flat(rgb(60, 55, 50)), revealed ? 1 : 0);
  for (int j = 0; j < 4; j++)
    for (int i = 0; i < 4; i++) {
      float x = 12 + i * 8, y = 12 + j * 8;
      polygon(cv, {{x - 3, y + 3}, {x + 3, y + 3}, {x, y - 4}},
              dome(x, y, 3, 4, rgb(200, 200, 210), 0.8f));
    }
  return cv;
}
canvas staircase_up() {  // 72 x 72, drawn 12 pixels up and left of the tile
  canvas cv(72, 72);
  for (int i = 0; i < 7; i++) {
    float y0 = 6 + i * 9.f;
    rect(cv, 10, y0, 62, y0 + 9, [i](float x, float y) {
      return scale(rgb(180, 170, 150),
                   (1.05f - i * 0.09f) * (0.9f + 0.2f * vnoise(x, y, 3, 0, 401 + i)));
    });
    rect(cv, 10, y0 + 7.5f, 62, y0 + 9, flat(rgb(50, 44, 38)));
  }
  rect(cv, 6, 4, 10, 69, flat(rgb(90, 80, 70)));
  rect(cv, 62, 4, 66, 69, flat(rgb(90, 80, 70)));
  polygon(cv, {{36, 8}, {44, 18}, {28, 18}}, flat(rgb(250, 230, 120)), 0.8f);
  outline(cv);
  return cv;
}
// Flames on magenta, added to the floor: dark reds add little, so the edges
// of the fire fade into the dark.
canvas fire(int frame) {
  canvas cv(96, 96);
  for (int y = 0; y < 96; y++)
    for (int x = 0; x < 96; x++) {
      float dx = (x - 48) / 26.f, dy = (y - 52) / 30.f;
      float n = vnoise(float(x), float(y) + frame * 7.f, 6, 0, 500 + frame);
      float flick = vnoise(float(x) * 1.5f, float(y) + frame * 11.f, 4, 0, 600);
      float heat = 1 - std::hypot(dx, dy * (dy < 0 ? 0.7f : 1.4f)) + 0.5f * (n - 0.5f) +
                   0.3f * (flick - 0.5f);
      if (heat <= 0.05f) continue;
      col c = heat > 0.75f  ? mix(rgb(255, 200, 60), rgb(255, 250, 200), (heat - 0.75f) * 4)
              : heat > 0.4f ? mix(rgb(230, 80, 10), rgb(255, 200, 60), (heat - 0.4f) / 0.35f)
                            : mix(rgb(60, 8, 0), rgb(230, 80, 10), heat / 0.4f);
      cv.blend(x, y, c, 1);
    }
  return cv;
}
canvas nest() {
  canvas cv(T, T);
  for (int i = 0; i < 40; i++) {
    float a = rnd(i, 0, 700) * 2 * PI, r = 10 + rnd(i, 1, 700) * 9;
    float x = 24 + std::cos(a) * r, y = 24 + std::sin(a) * r;
    float b = a + PI / 2 + (rnd(i, 2, 700) - 0.5f);
    line(cv, x - std::cos(b) * 6, y - std::sin(b) * 6, x + std::cos(b) * 6, y + std::sin(b) * 6,
         1.4f, flat(scale(rgb(120, 90, 50), 0.7f + 0.5f * rnd(i, 3, 700))));
  }
  for (int i = 0; i < 3; i++) {
    float x = 20 + i * 5.f, y = 22 + (i % 2) * 5.f;
    ellipse(cv, x, y, 4, 5, dome(x, y, 4, 5, rgb(225, 225, 200), 0.6f));
  }
  return cv;
}
canvas quicksand() {
  canvas cv(T, T);
  circle(cv, 24, 24, 21, [](float x, float y) {
    float a = std::atan2(y - 24, x - 24), r = std::hypot(x - 24, y - 24);
    float swirl = std::sin(a * 2 + r * 0.5f);
    return scale(rgb(200, 170, 110), 0.75f + 0.2f * swirl - 0.15f * (1 - r / 21));
  });
  return cv;
}
canvas lava() {
  canvas cv(T, T);
  for (int y = 0; y < T; y++)
    for (int x = 0; x < T; x++) {
      float n = fbm(float(x), float(y), T, 800, 16);
      float crack = std::fabs(n - 0.5f) * 2;
      col c = crack < 0.18f
                  ? mix(rgb(255, 230, 90), rgb(250, 120, 20), crack / 0.18f)
                  : mix(rgb(200, 60, 10), rgb(60, 18, 10), std::min(1.f, (crack - 0.18f) * 2.5f));
      cv.blend(x, y, c, 1);
    }
  return cv;
}
// The lip of a wall along its north side.
canvas wall_edge(bool cave) {
  canvas cv(T, T);
  for (int x = 0; x < T; x++) {
    int depth = cave ? 3 + static_cast<int>(4 * vnoise(float(x), 0, 5, 0, 900)) : 4;
    for (int y = 0; y < depth + 4; y++) {
      if (y < depth)
        cv.blend(x, y,
                 cave ? scale(rgb(120, 110, 100), 1.2f - 0.1f * y)
                      : scale(rgb(200, 190, 175), 1 - 0.06f * y),
                 1);
      else if (bayer(x, y) < 1 - (y - depth) / 4.f)
        cv.blend(x, y, rgb(25, 20, 18), 1);
    }
  }
  return cv;
}
// A soft corner of shadow, stippled so it reads under a hard mask.
canvas floor_edge(bool left, bool top) {
  canvas cv(T, T);
  for (int y = 0; y < T; y++)
    for (int x = 0; x < T; x++) {
      float dx = left ? x : T - 1 - x, dy = top ? y : T - 1 - y;
      float d = std::hypot(dx, dy) / 14;
      if (bayer(x, y) < 0.85f - d) cv.blend(x, y, rgb(20, 16, 14), 1);
    }
  return cv;
}
// Shadow cast by a wall on the west side of a square.
canvas corridor_shade() {
  canvas cv(T, T);
  for (int y = 0; y < T; y++)
    for (int x = 0; x < T; x++)
      if (bayer(x, y) < 0.8f - x / 12.f) cv.blend(x, y, rgb(16, 12, 10), 1);
  return cv;
}
canvas trapdoor() {
  canvas cv = stone_floor();
  rect(cv, 9, 9, 39, 39, flat(rgb(20, 15, 10)));
  rect(cv, 10, 10, 38, 38, [](float x, float y) {
    col c = scale(WOOD, 0.8f + 0.25f * vnoise(x * 3, y / 3, 3, 0, 950));
    if (std::fmod(x - 10, 7.f) < 0.8f) c = rgb(50, 30, 15);
    return c;
  });
  ring(cv, 24, 30, 3, 4.5f, flat(rgb(80, 80, 90)));
  polygon(cv, {{24, 14}, {29, 20}, {19, 20}}, flat(rgb(230, 220, 190)), 0.7f);  // a way down
  return cv;
}
canvas water(int frame) {
  canvas cv(T, T);
  for (int y = 0; y < T; y++)
    for (int x = 0; x < T; x++) {
      float n = fbm(float(x) + frame * 3.f, float(y) + frame * 1.5f, T, 1000, 16);
      float wave = std::sin((x + y) * 0.35f + frame * 1.2f + n * 5);
      col c = mix(rgb(20, 60, 120), rgb(60, 130, 190), 0.5f + 0.35f * wave);
      if (wave > 0.93f) c = rgb(170, 210, 240);
      cv.blend(x, y, c, 1);
    }
  return cv;
}
canvas water_person() {
  canvas cv(T, T);
  ring(cv, 24, 24, 13, 15, flat(rgb(180, 220, 240)));
  ring(cv, 24, 24, 18, 19, flat(rgb(140, 190, 220)));
  circle(cv, 24, 24, 7, dome(24, 24, 7, 7, rgb(110, 70, 30)));
  return cv;
}
canvas bridge() {
  canvas cv(T, T);
  for (int i = 0; i < 8; i++) {
    float y = i * 6.f;
    rect(cv, 6, y + 0.5f, 42, y + 5.5f,
         grainy(scale(WOOD, 0.85f + 0.3f * rnd(i, 0, 1100)), 0.3f, 1100 + i));
  }
  rect(cv, 4, 0, 8, 48, flat(rgb(80, 50, 26)));
  rect(cv, 40, 0, 44, 48, flat(rgb(80, 50, 26)));
  return cv;
}
canvas lintel() {
  canvas cv(T, T);
  rect(cv, 0, 20, 48, 28, dome(24, 24, 24, 4, rgb(110, 72, 38), 0.2f));
  return cv;
}
canvas mine_cart() {
  canvas cv(T, T);
  rect(cv, 10, 4, 38, 44, flat(rgb(20, 20, 22)), 0.5f);
  rrect(cv, 11, 6, 37, 42, 3, dome(24, 24, 14, 20, rgb(110, 100, 90)));
  rect(cv, 14, 9, 34, 39, flat(rgb(50, 44, 40)));
  for (int i = 0; i < 12; i++) {
    float x = 16 + rnd(i, 0, 1200) * 16, y = 11 + rnd(i, 1, 1200) * 26, r = 2 + rnd(i, 2, 1200) * 2;
    circle(cv, x, y, r, dome(x, y, r, r, i % 4 == 0 ? rgb(220, 180, 60) : rgb(100, 96, 90)));
  }
  outline(cv);
  return cv;
}
canvas crystal() {
  canvas cv(T, T);
  circle(cv, 24, 24, 18, flat(rgb(150, 220, 255)), 0.25f);
  const float shards[5][4] = {{24, 24, 0, 16},
                              {24, 26, -0.7f, 12},
                              {24, 26, 0.8f, 13},
                              {23, 28, 2.6f, 9},
                              {25, 28, -2.4f, 8}};
  for (auto& s : shards) {
    float a = s[2] - PI / 2, l = s[3];
    float tx = s[0] + std::cos(a) * l, ty = s[1] + std::sin(a) * l;
    float px = std::cos(a + PI / 2) * 3.5f, py = std::sin(a + PI / 2) * 3.5f;
    polygon(cv, {{s[0] + px, s[1] + py}, {tx, ty}, {s[0] - px, s[1] - py}}, [=](float x, float y) {
      float side = (x - s[0]) * std::cos(a + PI / 2) + (y - s[1]) * std::sin(a + PI / 2);
      return side > 0 ? rgb(120, 200, 250) : rgb(200, 240, 255);
    });
  }
  outline(cv, rgb(20, 40, 80));
  return cv;
}
canvas hole() {
  canvas cv(T, T);
  fill(
      cv, 2, 2, 46, 46,
      [](float x, float y) {
        float a = std::atan2(y - 24, x - 24);
        return std::hypot(x - 24, y - 24) < 17 + 3 * std::sin(a * 4) + 2 * std::sin(a * 7);
      },
      [](float x, float y) {
        float d = std::hypot(x - 24, y - 24) / 20;
        return scale(rgb(40, 34, 30), std::max(0.05f, d * d));
      });
  return cv;
}
canvas cave_in() {
  canvas cv(T, T);
  for (int i = 0; i < 22; i++) {
    float x = 6 + rnd(i, 0, 1300) * 36, y = 6 + rnd(i, 1, 1300) * 36, r = 3 + rnd(i, 2, 1300) * 6;
    circle(cv, x, y, r, dome(x, y, r, r, scale(rgb(120, 110, 98), 0.7f + 0.5f * rnd(i, 3, 1300))));
  }
  outline(cv);
  return cv;
}
canvas pool() {
  canvas cv(T, T);
  ring(cv, 24, 24, 16, 20, dome(24, 24, 20, 20, rgb(140, 134, 124)));
  circle(cv, 24, 24, 16, [](float x, float y) {
    float w = std::sin(std::hypot(x - 24, y - 24) * 0.9f);
    return mix(rgb(30, 80, 120), rgb(70, 140, 180), 0.5f + 0.3f * w);
  });
  return cv;
}
canvas lever(bool thrown) {
  canvas cv(T, T);
  rrect(cv, 14, 18, 34, 30, 3, dome(24, 24, 10, 6, rgb(110, 110, 118)));
  rect(cv, 16, 22, 32, 26, flat(rgb(30, 30, 34)));
  float ex = thrown ? 34 : 14;
  line(cv, 24, 24, ex, 10, 2.6f, flat(rgb(170, 170, 180)));
  circle(cv, ex, 10, 3.5f,
         dome(ex, 10, 3.5f, 3.5f, thrown ? rgb(60, 200, 60) : rgb(200, 40, 40), 0.7f));
  outline(cv);
  return cv;
}
canvas barrel(bool lit) {
  canvas cv(T, T);
  circle(cv, 26, 26, 16, flat(rgb(10, 8, 6)), 0.5f);
  circle(cv, 24, 24, 16, [](float x, float y) {
    float a = std::atan2(y - 24, x - 24);
    col c = scale(rgb(140, 92, 50), 0.8f + 0.2f * (int((a + PI) * 3) % 2));
    return dome(24, 24, 16, 16, c, 0.1f)(x, y);
  });
  ring(cv, 24, 24, 12.5f, 14, flat(rgb(70, 70, 76)));
  ring(cv, 24, 24, 6, 7, flat(rgb(70, 50, 30)));
  circle(cv, 24, 24, 2, flat(rgb(30, 20, 10)));
  if (lit) {
    line(cv, 24, 24, 32, 14, 1.2f, flat(rgb(200, 190, 170)));
    circle(cv, 33, 12, 4, flat(rgb(255, 160, 30)));
    circle(cv, 33, 12, 2, flat(rgb(255, 250, 200)));
    for (int i = 0; i < 6; i++) {
      float a = i * PI / 3;
      line(cv, 33 + std::cos(a) * 4, 12 + std::sin(a) * 4, 33 + std::cos(a) * 8,
           12 + std::sin(a) * 8, 0.8f, flat(rgb(255, 230, 120)));
    }
  }
  outline(cv);
  return cv;
}
canvas oil_patch() {
  canvas cv(T, T);
  fill(
      cv, 2, 2, 46, 46,
      [](float x, float y) {
        float a = std::atan2(y - 24, x - 24);
        return std::hypot(x - 24, (y - 24) * 1.2f) <
               15 + 3 * std::sin(a * 3 + 1) + 2 * std::sin(a * 5);
      },
      [](float x, float y) {
        float sheen = std::sin((x - y) * 0.3f);
        return mix(rgb(15, 15, 20), rgb(70, 50, 90), std::max(0.f, sheen) * 0.6f);
      });
  return cv;
}
// Small, hanging on the front of the chest, so the chest still shows.
canvas padlock() {
  canvas cv(T, T);
  ring(cv, 24, 31, 2.2f, 3.6f, flat(rgb(160, 160, 170)));
  rrect(cv, 20, 31, 28, 38, 1.5f, dome(24, 34, 4, 3.5f, GOLD, 0.6f));
  circle(cv, 24, 33.5f, 0.9f, flat(rgb(30, 20, 10)));
  outline(cv);
  return cv;
}
canvas wardrobe(bool open) {
  canvas cv(T, T);
  rect(cv, 6, 10, 44, 40, flat(rgb(10, 8, 6)), 0.5f);
  rect(cv, 4, 8, 44, 38, [](float x, float y) {
    return scale(rgb(100, 60, 32), 0.85f + 0.25f * vnoise(x * 2, y / 3, 3, 0, 1400));
  });
  rect(cv, 4, 8, 44, 11, flat(rgb(140, 90, 50)));
  if (open) {
    rect(cv, 7, 12, 41, 35, flat(rgb(30, 18, 10)));
    line(cv, 7, 38, 1, 46, 3, flat(rgb(120, 76, 40)));  // doors swung out
    line(cv, 41, 38, 47, 46, 3, flat(rgb(120, 76, 40)));
    line(cv, 10, 20, 38, 20, 1, flat(rgb(150, 150, 150)));
  } else {
    line(cv, 24, 11, 24, 38, 1, flat(rgb(40, 24, 12)));
    circle(cv, 21, 30, 1.2f, flat(GOLD));
    circle(cv, 27, 30, 1.2f, flat(GOLD));
  }
  outline(cv);
  return cv;
}
canvas roof_beam() {
  canvas cv(T, T);
  rect(cv, 0, 18, 48, 30, [](float x, float y) {
    col c = scale(rgb(90, 58, 30), 0.8f + 0.3f * vnoise(x / 3, y * 3, 3, 0, 1500));
    return scale(c, 1.1f - (y - 18) / 24);
  });
  return cv;
}
canvas floor_corner() {
  canvas cv(24, 24);
  circle(cv, 0, 0, 14, dome(0, 0, 16, 16, rgb(110, 100, 90), 0.1f));
  return cv;
}

// ---------------------------------------------------------------------------
// Effects
// ---------------------------------------------------------------------------
// Drawn added to the view: black adds nothing, so the fireball fades to smoke.
canvas explosion(int frame) {  // frame 1..20
  canvas cv(96, 96);
  float t = (frame - 1) / 19.f;
  float radius = 10 + 36 * std::sqrt(t);
  float fade = 1 - t;
  for (int y = 0; y < 96; y++)
    for (int x = 0; x < 96; x++) {
      float n = vnoise(float(x), float(y), 7, 0, 1600 + frame / 4);
      float d = std::hypot(x - 48.f, y - 48.f) / radius + 0.35f * (n - 0.5f);
      if (d > 1) continue;
      float heat = (1 - d) * (0.4f + 0.9f * fade);
      col c = heat > 0.7f   ? mix(rgb(255, 220, 120), rgb(255, 255, 230), (heat - 0.7f) / 0.6f)
              : heat > 0.3f ? mix(rgb(200, 70, 10), rgb(255, 220, 120), (heat - 0.3f) / 0.4f)
                            : mix(rgb(20, 8, 4), rgb(200, 70, 10), heat / 0.3f);
      cv.blend(x, y, c, 1);
    }
  return cv;
}
canvas sparkles(int frame) {
  canvas cv(96, 96);
  float t = (frame - 1) / 19.f;
  for (int i = 0; i < 26; i++) {
    float a = rnd(i, 0, 1700) * 2 * PI + t * 2.5f;
    float r = 6 + rnd(i, 1, 1700) * 36 * (0.3f + 0.7f * t);
    float x = 48 + std::cos(a) * r, y = 48 + std::sin(a) * r - t * 10;
    float size = (1.5f + 2.5f * rnd(i, 2, 1700)) * (1 - 0.6f * t);
    float bright = 1 - t * 0.8f;
    col c = scale(mix(rgb(60, 120, 255), rgb(200, 240, 255), rnd(i, 3, 1700)), bright);
    line(cv, x - size * 1.8f, y, x + size * 1.8f, y, 1, flat(c));
    line(cv, x, y - size * 1.8f, x, y + size * 1.8f, 1, flat(c));
    circle(cv, x, y, size * 0.6f, flat(scale(rgb(230, 250, 255), bright)));
  }
  return cv;
}
canvas glow_ring(int frame) {  // 1..4, drawn straight on the screen
  canvas cv(144, 144);
  float r = 20 + frame * 12.f;
  ring(cv, 72, 72, r - 3, r + 3, [r](float x, float y) {
    float d = std::fabs(std::hypot(x - 72, y - 72) - r) / 3;
    return mix(rgb(255, 250, 200), rgb(230, 170, 40), d);
  });
  for (int i = 0; i < 12; i++) {
    float a = i * PI / 6 + frame * 0.2f;
    circle(cv, 72 + std::cos(a) * r, 72 + std::sin(a) * r, 2.5f, flat(rgb(255, 255, 240)));
  }
  return cv;
}
canvas splat() {
  canvas cv(28, 28);
  circle(cv, 14, 14, 7, flat(rgb(150, 10, 10)));
  for (int i = 0; i < 9; i++) {
    float a = rnd(i, 0, 1800) * 2 * PI, r = 7 + rnd(i, 1, 1800) * 6;
    float x = 14 + std::cos(a) * r, y = 14 + std::sin(a) * r;
    line(cv, 14, 14, x, y, 2.2f, flat(rgb(140, 8, 8)));
    circle(cv, x, y, 1.5f + rnd(i, 2, 1800) * 1.5f, flat(rgb(170, 20, 16)));
  }
  circle(cv, 12, 12, 2, flat(rgb(210, 60, 50)));
  return cv;
}
canvas arrow_ring() {
  canvas cv(T, T);
  ring(cv, 24, 24, 19, 22, flat(rgb(240, 210, 80)));
  for (int i = 0; i < 4; i++) {
    float a = i * PI / 2;
    float c = std::cos(a), s = std::sin(a);
    polygon(cv,
            {{24 + c * 18, 24 + s * 18},
             {24 + c * 10 - s * 5, 24 + s * 10 + c * 5},
             {24 + c * 10 + s * 5, 24 + s * 10 - c * 5}},
            flat(rgb(250, 230, 120)));
  }
  outline(cv);
  return cv;
}
// The clear hole cut into the darkness around a party member: see-through
// inside, stippled towards its rim.
canvas sight_hole() {
  canvas cv(96, 96);
  for (int y = 0; y < 96; y++)
    for (int x = 0; x < 96; x++) {
      float dx = std::max(0.f, std::fabs(x + 0.5f - 48) - 30),
            dy = std::max(0.f, std::fabs(y + 0.5f - 48) - 30);
      float d = std::hypot(dx, dy) / 18;  // 0 inside, 1 at the rim
      if (d > 0 && bayer(x, y) < d) cv.blend(x, y, rgb(0, 0, 0), 1);
    }
  return cv;
}
canvas dark_fringe() {
  canvas cv(T, T);
  for (int y = 0; y < T; y++)
    for (int x = 0; x < T; x++) {
      float d = std::hypot(x - 23.5f, y - 23.5f) / 34;
      cv.blend(x, y, scale(rgb(14, 12, 22), 1.2f - d), 1);
    }
  return cv;
}
canvas red_tint() {
  canvas cv(T, T);
  rect(cv, 0, 0, T, T, flat(rgb(150, 10, 10)));
  return cv;
}

// ---------------------------------------------------------------------------
// Panels
// ---------------------------------------------------------------------------
canvas parchment() {
  canvas cv(600, 140);
  col paper = rgb(226, 204, 160);
  fill(
      cv, 14, 4, 586, 136,
      [](float x, float y) {
        float edge = 3 * vnoise(x, y, 9, 0, 1900);
        return x > 16 + edge && x < 584 - edge && y > 6 + edge && y < 134 - edge;
      },
      [paper](float x, float y) {
        float n = fbm(x, y, 600, 1901, 40);
        float e = std::min({x - 16, 584 - x, y - 6, 134 - y});
        float burn = std::clamp(1 - e / 16, 0.f, 1.f);
        return scale(mix(paper, rgb(150, 100, 50), burn * 0.7f), 0.85f + 0.25f * n);
      });
  // rolled ends
  for (float cx : {14.f, 586.f})
    rrect(cv, cx - 12, 0, cx + 12, 140, 10, [cx](float x, float y) {
      float nx = (x - cx) / 12;
      col c = scale(rgb(200, 170, 120), 1.05f - 0.5f * nx * nx - (nx > 0 ? 0.15f * nx : 0));
      return scale(c, 0.92f + 0.1f * std::sin(y * 0.7f));
    });
  outline(cv, rgb(70, 45, 20));
  return cv;
}
// The portrait box in the top left, added to the view: a thin gilt frame
// with a watching eye.
canvas eye_frame() {
  canvas cv(140, 90);
  col gilt = rgb(120, 90, 30);
  rrect(cv, 0, 0, 140, 90, 6, flat(gilt));
  rrect(cv, 4, 4, 136, 86, 4, flat(scale(gilt, 0.5f)));
  for (int y = 7; y < 83; y++)
    for (int x = 7; x < 133; x++) cv.a[cv.at(x, y)] = 0;  // see-through middle
  ellipse(cv, 70, 45, 26, 12, flat(rgb(60, 60, 70)));
  ellipse(cv, 70, 45, 22, 9, flat(rgb(90, 80, 60)));
  circle(cv, 70, 45, 8, flat(rgb(40, 90, 60)));
  circle(cv, 70, 45, 4, flat(rgb(10, 10, 10)));
  circle(cv, 67, 42, 1.6f, flat(rgb(160, 160, 160)));
  for (float x : {5.f, 135.f})
    for (float y : {5.f, 85.f}) circle(cv, x, y, 3, flat(rgb(180, 140, 60)));
  return cv;
}
void button_face(canvas& cv, int top) {
  rrect(cv, 1, top + 1.f, 49, top + 49.f, 5, [top](float x, float y) {
    float lx = (x - 1) / 48, ly = (y - top - 1) / 48;
    col c = scale(rgb(92, 86, 80), 0.9f + 0.2f * vnoise(x, y, 3, 0, 2000));
    if (lx < 0.08f || ly < 0.08f) c = scale(c, 1.45f);
    if (lx > 0.92f || ly > 0.92f) c = scale(c, 0.55f);
    return c;
  });
}
canvas button_strip() {
  canvas cv(50, 350);
  for (int i = 0; i < 7; i++) button_face(cv, i * 50);
  col ink = rgb(236, 214, 150);
  // 0 inventory: a pack
  rrect(cv, 15, 14, 35, 38, 4, flat(rgb(150, 100, 55)));
  rrect(cv, 17, 12, 33, 22, 3, flat(rgb(180, 125, 70)));
  rect(cv, 23, 19, 27, 24, flat(ink));
  // 1 help: a question mark on a blue seal
  circle(cv, 25, 75, 15, flat(rgb(60, 90, 170)));
  fill(
      cv, 10, 60, 40, 90,
      [](float x, float y) {
        // The hook: the upper part of a ring, then a short stem down.
        float r = std::hypot(x - 25, y - 70);
        bool hook = r > 3.2f && r < 7.2f && (y < 70 || x > 25);
        bool stem = x > 22.8f && x < 27.2f && y >= 74 && y < 81;
        return hook || stem;
      },
      flat(ink));
  circle(cv, 25, 85, 2.4f, flat(ink));
  // 2 turn: an hourglass
  polygon(cv, {{15, 112}, {35, 112}, {25, 125}}, flat(ink));
  polygon(cv, {{15, 138}, {35, 138}, {25, 125}}, flat(ink));
  polygon(cv, {{19, 136}, {31, 136}, {25, 129}}, flat(rgb(200, 160, 60)));
  // 3 options: a cog
  fill(
      cv, 10, 160, 40, 190,
      [](float x, float y) {
        float a = std::atan2(y - 175, x - 25), r = std::hypot(x - 25, y - 175);
        float tooth = std::cos(a * 8) > 0.3f ? 12.5f : 10;
        return r < tooth && r > 4.5f;
      },
      flat(ink));
  // 4 pause: two bars
  rect(cv, 17, 213, 23, 237, flat(ink));
  rect(cv, 27, 213, 33, 237, flat(ink));
  // 5 load and save: a book
  rrect(cv, 13, 264, 37, 286, 2, flat(rgb(130, 40, 40)));
  rect(cv, 16, 267, 37, 283, flat(rgb(240, 230, 200)));
  line(cv, 19, 272, 33, 272, 1, flat(rgb(120, 110, 90)));
  line(cv, 19, 277, 33, 277, 1, flat(rgb(120, 110, 90)));
  // 6 quit: a door with an arrow out
  rect(cv, 14, 312, 28, 338, flat(rgb(120, 76, 40)));
  circle(cv, 25, 326, 1.2f, flat(ink));
  line(cv, 28, 325, 38, 325, 2.5f, flat(ink));
  polygon(cv, {{40, 325}, {34, 319}, {34, 331}}, flat(ink));
  return cv;
}
canvas frame_bar(bool vertical) {
  canvas cv(vertical ? 10 : 64, vertical ? 64 : 10);
  for (int y = 0; y < cv.h; y++)
    for (int x = 0; x < cv.w; x++) {
      int u = vertical ? x : y;
      float k = 0.55f + 0.6f * std::sin((u + 0.5f) / 10 * PI);
      col c = scale(rgb(120, 92, 52), k);
      if (u == 0 || u == 9) c = rgb(30, 20, 10);
      cv.blend(x, y, c, 1);
    }
  return cv;
}

// ---------------------------------------------------------------------------
// Pointers (32 x 32)
// ---------------------------------------------------------------------------
// A hand pointing up, the fingertip at (10, 2).
canvas finger_pointer() {
  canvas cv(32, 32);
  col skin = rgb(250, 226, 196);
  rrect(cv, 7.5f, 1.5f, 12.5f, 18, 2.5f, flat(skin));
  rrect(cv, 6, 12, 24, 28, 4, flat(skin));
  for (int i = 0; i < 3; i++) rrect(cv, 12.5f + i * 4, 9, 16.5f + i * 4, 16, 2, flat(skin));
  rrect(cv, 3, 15, 8, 22, 2, flat(skin));
  line(cv, 12.5f, 13, 12.5f, 20, 0.6f, flat(rgb(170, 130, 110)));
  line(cv, 16.5f, 12, 16.5f, 20, 0.6f, flat(rgb(170, 130, 110)));
  outline(cv, rgb(30, 20, 10));
  return cv;
}
canvas go_pointer() {
  canvas cv(32, 32);
  polygon(cv, {{16, 2}, {28, 16}, {21, 16}, {21, 29}, {11, 29}, {11, 16}, {4, 16}},
          flat(rgb(90, 210, 90)));
  outline(cv, rgb(10, 40, 10));
  return cv;
}
canvas no_pointer() {  // also the exit mark of the file selector
  canvas cv(32, 32);
  circle(cv, 16, 16, 14, flat(rgb(210, 30, 30)));
  circle(cv, 16, 16, 10, flat(rgb(255, 255, 255)));
  line(cv, 9, 9, 23, 23, 4.5f, flat(rgb(210, 30, 30)));
  outline(cv, rgb(60, 0, 0));
  return cv;
}
canvas attack_pointer() {
  canvas cv(32, 32);
  line(cv, 5, 27, 26, 5, 3, flat(rgb(220, 224, 232)));
  line(cv, 5, 5, 26, 27, 3, flat(rgb(220, 224, 232)));
  line(cv, 4, 22, 10, 28, 2.5f, flat(rgb(200, 160, 50)));
  line(cv, 22, 28, 28, 22, 2.5f, flat(rgb(200, 160, 50)));
  outline(cv, rgb(60, 0, 0));
  return cv;
}
canvas hourglass_pointer() {
  canvas cv(32, 32);
  rect(cv, 7, 2, 25, 5, flat(rgb(120, 80, 40)));
  rect(cv, 7, 27, 25, 30, flat(rgb(120, 80, 40)));
  polygon(cv, {{9, 5}, {23, 5}, {16, 16}}, flat(rgb(200, 230, 240)));
  polygon(cv, {{9, 27}, {23, 27}, {16, 16}}, flat(rgb(200, 230, 240)));
  polygon(cv, {{12, 26}, {20, 26}, {16, 20}}, flat(rgb(230, 190, 90)));
  outline(cv);
  return cv;
}
canvas scroll_arrow() {  // 20 x 20, pointing up
  canvas cv(20, 20);
  rrect(cv, 0, 0, 20, 20, 3, flat(rgb(30, 60, 30)));
  polygon(cv, {{10, 3}, {17, 14}, {3, 14}}, flat(rgb(120, 230, 120)));
  return cv;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) out_dir = argv[1];
  // Floors, walls and doors
  save(grass(), "grassland");
  save(stone_floor(), "stonefloor3");
  save(built_wall(7), "wall3");
  save(planks(true, 3), "floorboards2");
  save(window_wall(), "window");
  save(room_floor(), "floor stone3a");
  save(passage_floor(), "stonefloor4");
  save(earth_wall(), "earth");
  save(pillar(), "pillar");
  save(stairs(true), "stairs");
  save(stairs(false), "stairs2");
  save(pressure_pad(), "pressurepad");
  save(smashed_door(), "smasheddoor2");
  save(open_door(), "opendoor2");
  save(closed_door(), "closeddoor2");
  save(cell_door(), "celldoorclosed");
  save(metal_door(false), "metaldoorclosed");
  save(metal_door(true), "metaldooropen");
  save(rock_wall(rgb(66, 58, 52), 5), "wall3a");
  save(tall_rock_wall(rgb(66, 58, 52), 5), "wall3b");
  save(floor_corner(), "floor corner");
  // Units by race, and the ground marker under them by facing
  save(hero(), "you");
  save_icon(hero(), "grimhollow");
  for (int side : {32, 48, 64, 128, 256}) {
    std::string dir =
        out_dir + "/hicolor/" + std::to_string(side) + "x" + std::to_string(side) + "/apps";
    std::error_code made;
    std::filesystem::create_directories(dir, made);
    save_png(hero(side), dir + "/grimhollow.png");
  }
  save(skeleton(), "skeleton2");
  save(goblin(), "goblin2");
  save(rat(), "rat2");
  save(ghoul(), "ghoul2");
  save(spider(), "spider2");
  save(goo(), "goo");
  save(dwarf(), "dwarf2");
  save(golem(), "golem2");
  save(hobgoblin(), "hobgoblin2");
  save(gnome(), "gnome2");
  save(trog(), "trog");
  save(salamander(), "salamander");
  save(minotaur(), "minotaur");
  save(water_terror(), "waterterror");
  save(other_person(), "otherperson");
  for (int d = 0; d < 8; d++) save(body_marker(d), "ch" + std::to_string(d + 1));
  // Items
  save(fist(), "fist");
  save(sword(), "sword");
  save(axe(), "axe");
  save(club(), "club");
  save(dagger(), "dagger");
  save(pickaxe(), "pickaxe");
  save(rock(), "rock");
  save(spade(), "spade");
  save(spear(), "spear");
  save(hammer(), "hammer");
  save(armour(), "armour");
  save(helmet(), "helmet");
  save(shield(12), "shield");
  save(large_shield(), "largeshield");
  save(legs(), "legs");
  save(arms(), "arms2");
  save(boots(false), "boots");
  save(boots(true), "sboots");
  save(backpack(), "backpack");
  save(bag(), "bag");
  save(gem(rgb(150, 60, 200)), "purplegem");
  save(gem(rgb(40, 90, 230)), "bluegem");
  save(gem(rgb(30, 180, 80)), "greengem");
  save(gem(rgb(225, 235, 245)), "whitegem");
  save(gem(rgb(220, 30, 40)), "redgem");
  save(gem_chip(), "gemchip");
  save(potion(rgb(220, 30, 40)), "redpotion");
  save(potion(rgb(40, 190, 60)), "greenpotion");
  save(potion(rgb(40, 90, 230)), "bluepotion");
  save(loaf(), "loaf");
  save(meat(), "meat");
  save(fish(), "fish2");
  save(cheese(), "cheese");
  save(mushrooms(), "mushrooms");
  save(herbs(), "herbs");
  save(fairy(), "fairy");
  save(key(), "key");
  save(rope(), "rope");
  save(corpse(), "corpse");
  save(torch(0), "torch");
  save(torch(1), "torchout");
  save(torch(2), "torchlit");
  save(unknown_thing(), "unknown");
  // Scenery
  save(straight_track(), "straighttrack");
  save(curved_track(), "curvedtrack");
  save(buffer_stop(), "buffer");
  save(crypt(false), "crypt1");
  save(crypt(true), "crypt2");
  save(chest(false, false), "smallchest");
  save(chest(false, true), "opensmallchest");
  save(chest(true, false), "largechest");
  save(chest(true, true), "openlargechest");
  save(spider_web(), "spiderweb");
  save(secret_passage(), "secretpassage");
  save(pit(), "pit");
  save(boulder(), "boulder");
  save(filled_pit(), "filledpit");
  save(well(), "well");
  save(spikes(true), "traprevealed");
  save(spikes(false), "trap1");
  save(staircase_up(), "staircase2");
  save(fire(0), "fire");
  for (int i = 1; i <= 5; i++) save(fire(i), "fire" + std::to_string(i));
  save(nest(), "nest");
  save(quicksand(), "quicksand");
  save(lava(), "lava");
  save(wall_edge(false), "walledge_top");
  save(wall_edge(true), "cavewalledge_top");
  save(floor_edge(true, false), "flooredge_bl");
  save(floor_edge(true, true), "flooredge_tl");
  save(floor_edge(false, true), "flooredge_tr");
  save(floor_edge(false, false), "flooredge_br");
  save(corridor_shade(), "shadowcorrleft");
  save(trapdoor(), "trapdoor");
  save(water(0), "water");
  save(water_person(), "waterperson");
  for (int i = 1; i <= 5; i++) save(water(i), "water" + std::to_string(i));
  save(bridge(), "bridge");
  save(lintel(), "overdoor2");
  save(mine_cart(), "minecart");
  save(crystal(), "crystal");
  save(hole(), "hole2");
  save(cave_in(), "cavein");
  save(pool(), "pool");
  save(lever(false), "switch");
  save(lever(true), "switch2");
  save(barrel(false), "barrel3");
  save(barrel(true), "barrel3alit");
  save(oil_patch(), "oilpatch");
  save(padlock(), "lock");
  save(wardrobe(false), "wardrobe");
  save(wardrobe(true), "wardrobeopen");
  save(roof_beam(), "roofbeam");
  // Effects
  for (int i = 1; i <= 20; i++) {
    save(explosion(i), "explosion" + std::to_string(i));
    save(sparkles(i), "bluesparkles" + std::to_string(i));
  }
  for (int i = 1; i <= 4; i++) save(glow_ring(i), "glowring" + std::to_string(i) + "a");
  save(splat(), "splat");
  save(arrow_ring(), "arrowring");
  save(sight_hole(), "sight_hole2");
  save(dark_fringe(), "sight_hole6");
  save(red_tint(), "redtint");
  // Panels and pointers
  save(parchment(), "scroll");
  save(eye_frame(), "eye4");
  save(button_strip(), "buttons6");
  save(frame_bar(true), "leftmousebar4");
  save(frame_bar(false), "mousebartop4");
  save(finger_pointer(), "fingermouse");
  save(go_pointer(), "gomouse");
  save(no_pointer(), "nomouse");
  save(attack_pointer(), "attackmouse");
  save(hourglass_pointer(), "hourglassmouse");
  save(scroll_arrow(), "scrollmouse");
  std::printf("make_pictures: %d pictures in %s\n", written, out_dir.c_str());
  return 0;
}
