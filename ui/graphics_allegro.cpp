// Start-up of the Allegro front end: the colour-depth question, the library,
// the 30 Hz timer, the window, every working bitmap, every picture of data/
// and the font; and their release at exit.
#include <allegro.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <map>
#include <string>
#include <thread>

#include "core/console.h"
#include "core/world.h"
#include "ui/assets_allegro.h"
#include "ui/command_line.h"
#include "ui/graphics.h"
#include "ui/menus.h"
#include "ui/view_allegro.h"
#include "ui/view_settings.h"

bitmap_slot MASK_SCREEN, TEMP_SCREEN, MESSAGE_SCREEN;
bitmap_slot land_bmp[LAND_PICTURES];
bitmap_slot scenery_bmp[SCENERY_PICTURES];
bitmap_slot wall_bmp[WALL_PICTURES];
bitmap_slot door_bmp[DOOR_PICTURES];
bitmap_slot person_bmp[PERSON_PICTURES];
bitmap_slot unit_bmp[4][UNIT_SLOTS];
bitmap_slot object_bmp[OBJECT_SLOTS];
bitmap_slot explode_bmp[EFFECT_FRAMES];
bitmap_slot sparkles_bmp[EFFECT_FRAMES];
bitmap_slot glowring_bmp[EFFECT_FRAMES];
bitmap_slot gomouse_bmp, nomouse_bmp, fingermouse_bmp, attackmouse_bmp, pausemouse_bmp;
bitmap_slot splat_bmp, arrow_bmp, sighthole_bmp, sighthole_bmp3, scroll_bmp, eye_bmp;
bitmap_slot redtint_bmp, buttons_bmp, floor_corner_bmp, otherperson_bmp;
bitmap_slot MBL_bmp, MBR_bmp, MBT_bmp, MBB_bmp;
bitmap_slot tempmap, transmap, mini_map_bmp, map_bmp, timer_bmp, gun_bmp, SPLASH_BMP;
alfont_handle font1;

// The timer callback: runs in Allegro's timer thread; it counts, and wakes
// the frame loop resting for the tick.
void tick() {
  ticker = ticker + 1;
  wake_frame_loop(false);
}
END_OF_FUNCTION(tick)

// ---------------------------------------------------------------------------
// Loading
// ---------------------------------------------------------------------------

BITMAP* load_picture(const char* path) { return load_bitmap(path, nullptr); }

// Every rat of a level shows the same picture: one copy of each, kept until
// exit (data/ holds a few hundred at most) so it is never loaded twice.
static std::map<std::string, bitmap_slot> icon_pictures;

bitmap_slot icon_picture(const char* path, const char* overlay) {
  std::string key = std::string(path) + '\n' + (overlay ? overlay : "");
  auto known = icon_pictures.find(key);
  if (known != icon_pictures.end()) return known->second;
  bitmap_slot pic;
  pic.reset(load_picture(path));
  if (!pic) return pic;  // tried again next time, and reported again
  if (overlay) {
    bitmap_slot over;
    over.reset(load_picture(overlay));
    draw_lit_sprite_safe(pic, over, 0, 0, 0);
  }
  icon_pictures[key] = pic;
  return pic;
}

// A fixed picture: on failure the slot stays empty and the message, if any,
// goes to the console.
static void load_fixed(bitmap_slot& slot, const char* path, const char* message) {
  slot.reset(load_picture(path));
  if (!slot && message) std::printf("%s\n", message);
}

// A table entry: on failure it keeps the blank tile it was created with.
static void load_entry(bitmap_slot& slot, const char* path, const char* message) {
  if (BITMAP* b = load_picture(path))
    slot.reset(b);
  else if (message)
    std::printf("%s\n", message);
}

// The black tile every table entry shows until a picture of its own is
// loaded: one copy for all of them (some five thousand slots).
static bitmap_slot blank_tile;

static BITMAP* cleared_bitmap(int w, int h) {
  BITMAP* b = create_bitmap(w, h);
  if (b) clear_bitmap(b);
  return b;
}

int view_width() { return (MAPTILES_X + 1) * TILE_SIZE; }
int view_height() { return (MAPTILES_Y + 1) * TILE_SIZE; }

void create_all_bitmaps() {
  blank_tile.reset(cleared_bitmap(TILE_SIZE, TILE_SIZE));
  for (auto& b : land_bmp) b.share(blank_tile);
  for (auto& player : unit_bmp)
    for (int u = 0; u < UNIT_MAX && u < UNIT_SLOTS; u++) player[u].share(blank_tile);
  for (int i = 0; i < MAX_OBJECTS && i < OBJECT_SLOTS; i++) object_bmp[i].share(blank_tile);
  for (auto& b : person_bmp) b.share(blank_tile);
  for (int i = 0; i < SCENERY_PICTURES; i++) {
    scenery_bmp[i].share(blank_tile);
    if (!scenery_bmp[i]) std::printf("Couldn't create bitmap! %d", i);
  }
  for (auto& b : door_bmp) b.share(blank_tile);
  for (auto& b : wall_bmp) b.share(blank_tile);
}

void init_message_box() {
  M_box[0] = 21;
  M_box[1] = MESSAGE_PANEL_W;
  M_box[2] = MESSAGE_PANEL_H;
  M_box[3] = 8;
}

struct fixed_picture {
  bitmap_slot* slot;
  const char* file;
  const char* message;  // null: a failure is silent
};

static void load_fixed_pictures() {
  const fixed_picture fixed[] = {
      {&gomouse_bmp, "data/gomouse.bmp", nullptr},
      {&nomouse_bmp, "data/nomouse.bmp", nullptr},
      {&fingermouse_bmp, "data/fingermouse.bmp", nullptr},
      {&attackmouse_bmp, "data/attackmouse.bmp", nullptr},
      {&pausemouse_bmp, "data/hourglassmouse.bmp", nullptr},
      {&splat_bmp, "data/splat.bmp", "Couldn't load image splat_bmp!"},
      {&arrow_bmp, "data/arrowring.bmp", "Couldn't load image arrow_bmp!"},
      {&sighthole_bmp, "data/sight_hole2.bmp", "Couldn't load image sighthole_bmp!"},
      {&sighthole_bmp3, "data/sight_hole6.bmp", "Couldn't load image sighthole_bmp3!"},
      {&scroll_bmp, "data/scroll.bmp", "Couldn't load image scroll_bmp!"},
      {&eye_bmp, "data/eye4.bmp", "Couldn't load image eye_bmp!"},
      {&redtint_bmp, "data/redtint.bmp", "Couldn't load image redtint_bmp!"},
      {&buttons_bmp, "data/buttons6.bmp", "Couldn't load image buttons_bmp!"},
  };
  for (const auto& f : fixed) load_fixed(*f.slot, f.file, f.message);

  load_entry(door_bmp[1], "data/opendoor2.bmp", "Couldn't load image door_bmp[1]!");
  load_entry(door_bmp[3], "data/closeddoor2.bmp", "Couldn't load image door_bmp[3]!");
  load_entry(door_bmp[5], "data/celldoorclosed.bmp", "Couldn't load image door_bmp[5]!");
  load_entry(door_bmp[6], "data/metaldoorclosed.bmp", "Couldn't load image door_bmp[6]!");
  load_entry(door_bmp[7], "data/metaldooropen.bmp", "Couldn't load image door_bmp[7]!");
  load_entry(wall_bmp[1], "data/wall3a.bmp", "Couldn't load image wall_bmp[1]!");
  // The taller wall (a tile and a half high) drawn for wall variant 1.
  load_entry(wall_bmp[2], "data/wall3b.bmp", nullptr);
  load_fixed(floor_corner_bmp, "data/floor corner.bmp", "Couldn't load image floor_corner_bmp!");
  load_entry(object_bmp[0], "data/fist.bmp", nullptr);
  for (int i = 0; i < GLOWRING_FRAMES; i++) {
    std::string file = "data/glowring" + std::to_string(i + 1) + "a.bmp";
    load_fixed(glowring_bmp[i], file.c_str(), nullptr);
  }
  load_fixed(MBL_bmp, "data/leftmousebar4.bmp", nullptr);
  load_fixed(MBR_bmp, "data/leftmousebar4.bmp", nullptr);
  load_fixed(MBT_bmp, "data/mousebartop4.bmp", nullptr);
  load_fixed(MBB_bmp, "data/mousebartop4.bmp", nullptr);
  load_fixed(otherperson_bmp, "data/otherperson.bmp", nullptr);
}

static void load_land_pictures() {
  struct land_picture {
    int code;
    const char* file;
    const char* message;
  };
  const land_picture land[] = {
      {0, "data/grassland.bmp", "Couldn't load image  land_bmp[0]!"},
      {1, "data/stonefloor3.bmp", "Couldn't load image  land_bmp[1]!"},
      {2, "data/wall3.bmp", "Couldn't load image  stonewall!"},
      {3, "data/floorboards2.bmp", "Couldn't load image data/floorboards.bmp"},
      {4, "data/window.bmp", "Couldn't load image  land_bmp[window]!"},
      {5, "data/floor stone3a.bmp", "Couldn't load image  land_bmp[5]!"},
      {6, "data/stonefloor4.bmp", "Couldn't load image  land_bmp[6]!"},
      {10, "data/earth.bmp", "Couldn't load image  land_bmp[EARTH]!"},
      {12, "data/pillar.bmp", "Couldn't load image  land_bmp[12]!"},
      {14, "data/stairs.bmp", "Couldn't load image  STAIRS_V!"},
      {15, "data/stairs2.bmp", "Couldn't load image  STAIRS_H!"},
      {18, "data/pressurepad.bmp", "Couldn't load image data/pressurepad.bmp"},
      {22, "data/smasheddoor2.bmp", nullptr},
  };
  for (const auto& l : land) load_entry(land_bmp[l.code], l.file, l.message);
}

// The scenery pictures, by scenery code; every failure is silent.
struct scenery_picture {
  int code;
  const char* name;
};
static const scenery_picture SCENERY_FILES[] = {
    {1, "straighttrack"},
    {6, "curvedtrack"},
    {7, "buffer"},
    {15, "crypt1"},
    {16, "crypt2"},
    {17, "smallchest"},
    {18, "opensmallchest"},
    {19, "spiderweb"},
    {20, "secretpassage"},
    {21, "mushrooms"},
    {23, "crypt2"},
    {24, "herbs"},
    {26, "pit"},
    {27, "boulder"},
    {28, "filledpit"},
    {29, "well"},
    {31, "traprevealed"},
    {34, "staircase2"},
    {35, "fire"},
    {36, "fire1"},
    {37, "fire2"},
    {38, "fire3"},
    {39, "fire4"},
    {40, "fire5"},
    {43, "nest"},
    {44, "quicksand"},
    {45, "lava"},
    {50, "walledge_top"},
    {51, "cavewalledge_top"},
    {55, "flooredge_bl"},
    {56, "flooredge_tl"},
    {57, "flooredge_tr"},
    {58, "flooredge_br"},
    {59, "shadowcorrleft"},
    {62, "trapdoor"},
    {63, "trap1"},
    {70, "water"},
    {71, "waterperson"},
    {72, "water1"},
    {73, "water2"},
    {74, "water3"},
    {75, "water4"},
    {76, "water5"},
    {80, "bridge"},
    {82, "overdoor2"},
    {83, "minecart"},
    {85, "golem2"},
    {86, "crystal"},
    {87, "largechest"},
    {88, "openlargechest"},
    {89, "hole2"},
    {90, "cavein"},
    {91, "pool"},
    {93, "switch"},
    {94, "switch2"},
    {96, "barrel3"},
    {97, "barrel3alit"},
    {101, "oilpatch"},
    {111, "lock"},
    {112, "wardrobe"},
    {113, "wardrobeopen"},
    {133, "roofbeam"},
    {200, "unknown"},
};

static void load_scenery_pictures() {
  for (const auto& s : SCENERY_FILES) {
    std::string file = std::string("data/") + s.name + ".bmp";
    load_entry(scenery_bmp[s.code], file.c_str(), nullptr);
  }
}

static void load_series() {
  for (int i = 0; i < EFFECT_FRAMES; i++) {
    std::string file = "data/explosion" + std::to_string(i + 1) + ".bmp";
    load_fixed(explode_bmp[i], file.c_str(), nullptr);
    if (!explode_bmp[i]) std::printf("\nCouldn't load image %s[%d]...", file.c_str(), i);
    file = "data/bluesparkles" + std::to_string(i + 1) + ".bmp";
    load_fixed(sparkles_bmp[i], file.c_str(), nullptr);
    if (!sparkles_bmp[i]) std::printf("\nCouldn't load image %s[%d]...", file.c_str(), i);
  }
  for (int i = 0; i < 8; i++) {
    std::string file = "data/ch" + std::to_string(i + 1) + ".bmp";
    load_entry(person_bmp[i], file.c_str(), nullptr);
  }
}

void init_images() {
  set_trans_blender(255, 255, 255, 128);
  MASK_SCREEN.reset(cleared_bitmap(view_width(), view_height()));
  TEMP_SCREEN.reset(cleared_bitmap(view_width(), view_height()));
  init_message_box();
  MESSAGE_SCREEN.reset(create_bitmap(MESSAGE_PANEL_W, MESSAGE_PANEL_H));
  if (MESSAGE_SCREEN) clear_to_color(MESSAGE_SCREEN, mask_colour());
  load_fixed_pictures();
  load_land_pictures();
  load_scenery_pictures();
  load_series();
}

void font_init() {
  alfont_init();
  font1.reset(alfont_load_font("fonts/timesbd.TTF"));
  if (font1)
    alfont_set_font_size(font1.get(), 36);
  else if (DEBUG_MODE == -1)
    std::printf("\nNo font error\n");
}

void load_all_assets() {
  create_all_bitmaps();
  init_images();
  if (DEBUG_MODE == 1) std::printf("\nINIT FONTS\n");
  font_init();
}

// ---------------------------------------------------------------------------
// Release
// ---------------------------------------------------------------------------

template <std::size_t N>
static void release_all(bitmap_slot (&table)[N]) {
  for (auto& b : table) b.reset();
}

void destroy_all_bitmaps() {
  std::printf("\nSTART BITMAP DESTROY -");
  forget_all_rotations();
  icon_pictures.clear();
  release_all(sparkles_bmp);
  release_all(glowring_bmp);
  release_all(explode_bmp);
  release_all(land_bmp);
  std::printf("destroy1");
  for (auto& player : unit_bmp) release_all(player);
  release_all(object_bmp);
  std::printf("destroy2");
  tempmap.reset();
  transmap.reset();
  release_all(person_bmp);
  TEMP_SCREEN.reset();
  MESSAGE_SCREEN.reset();
  release_all(scenery_bmp);
  std::printf("destroy3");
  mini_map_bmp.reset();
  map_bmp.reset();
  scroll_bmp.reset();
  release_all(door_bmp);
  eye_bmp.reset();
  release_all(wall_bmp);
  blank_tile.reset();
  timer_bmp.reset();
  gun_bmp.reset();
  SPLASH_BMP.reset();
  // Pictures the list above leaves out are released too, so nothing is left
  // for Allegro's shutdown to find.
  for (bitmap_slot* b :
       {&MASK_SCREEN, &gomouse_bmp, &nomouse_bmp, &fingermouse_bmp, &attackmouse_bmp,
        &pausemouse_bmp, &splat_bmp, &arrow_bmp, &sighthole_bmp, &sighthole_bmp3, &redtint_bmp,
        &buttons_bmp, &floor_corner_bmp, &otherperson_bmp, &MBL_bmp, &MBR_bmp, &MBT_bmp, &MBB_bmp})
    b->reset();
  std::printf("destroy4\n");  // the shell prompt starts a line of its own
  std::fflush(stdout);
}

// ---------------------------------------------------------------------------
// Start-up
// ---------------------------------------------------------------------------

static int ask_colour_depth() {
  if (DEBUG_MODE == FAIL) {
    DEBUG_MODE = 0;
    return '3';
  }
  // With no console left to answer, 32 bits.
  return ask_console_choice(
      stdin, "COLOUR DEPTH 1) 16bit 2)  24bit 3) 32bit  4) Set as current colour depth?\n", "1234",
      '3');
}

static void report_no_window() {
  std::fflush(stdout);
  std::fputs(no_window_message(std::getenv("DISPLAY"), allegro_error).c_str(), stderr);
}

// Allegro's start-up fails when the X server does not answer in time (seen on
// a loaded machine); a failed start leaves no system driver, and the next call
// would crash.  Try a few times, then give up cleanly.
static bool start_allegro() {
  for (int attempt = 0; attempt < 5; attempt++) {
    if (allegro_init() == 0) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
  }
  report_no_window();
  return false;
}

static bool start_allegro_services() {
  if (!start_allegro()) return false;
  install_keyboard();
  install_mouse();
  install_timer();
  LOCK_VARIABLE(ticker);
  LOCK_FUNCTION(tick);
  install_int_ex(tick, BPS_TO_TIMER(30));
  if (install_sound(DIGI_AUTODETECT, MIDI_AUTODETECT, nullptr) != 0) {
    // The game plays no sound, so it carries on without it.
    std::printf("Error initialising sound system\n%s\n", allegro_error);
  }
  return true;
}

int graphics_loop() {
  char choice = static_cast<char>(ask_colour_depth());
  MAPTILES_X = view_tiles(WIDTH, TILE_SIZE);
  MAPTILES_Y = view_tiles(HEIGHT, TILE_SIZE);
  if (GFX_ENGINE != 1) return GRAPHICS_OK;

  if (!start_allegro_services()) return GRAPHICS_NO_WINDOW;
  int depth = colour_depth_for_choice(choice, desktop_color_depth());
  set_color_depth(depth);
  std::printf("DESTOP COLOR DEPTH %d", depth);
  std::fflush(stdout);

  if (!open_window(WIDTH, HEIGHT)) {
    // A refused scale has said why already and cleared the library's reason.
    if (allegro_error[0]) report_no_window();
    return GRAPHICS_NO_WINDOW;
  }
  set_window_title("Grimhollow");
  set_display_switch_mode(SWITCH_BACKGROUND);

  load_all_assets();
  if (DEBUG_MODE == 1) std::printf("\nGFX ENGINE Initialized:\n");
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  if (DEBUG_MODE == 1) std::printf("\nEND of graphics_loop()\n");
  return GRAPHICS_OK;
}

void shutdown_graphics() {
  close_window();
  destroy_all_bitmaps();
  font1.reset();
  alfont_exit();
  allegro_exit();
}
