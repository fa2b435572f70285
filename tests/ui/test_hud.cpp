#include <gtest/gtest.h>

#include <string>

#include "core/world.h"
#include "ui/view_settings.h"
#include "ui/hud.h"

namespace {

TEST(HudMessages, ScrollingStaysWithinTheHistory) {
  reset_globals();
  reset_view_settings();
  EXPECT_FALSE(scroll_message_panel(+1));
  EXPECT_EQ(M_box[0], 21);
  EXPECT_TRUE(scroll_message_panel(-1));
  EXPECT_EQ(M_box[0], 20);
  M_box[0] = 0;
  EXPECT_FALSE(scroll_message_panel(-1));
  EXPECT_EQ(M_box[0], 0);
}

TEST(HudGauges, NarrowUnitsGetAFullFrameAndSpentMovesClampToZero) {
  unit_record u{};
  u.movement = 40;
  u.moves = -3;
  u.health = 20;
  gauge_layout g = status_gauges(u, 800, 600);
  EXPECT_EQ(u.moves, 0);  // stored
  EXPECT_EQ(g.move_frame[0], 400 - 50 - 2);
  EXPECT_EQ(g.move_frame[2], 400 + 50 + 2);
  EXPECT_EQ(g.move_frame[1], 6 + 20);
  EXPECT_EQ(g.move_frame[3], 24 + 20);
  EXPECT_EQ(g.move_bar[0], g.move_bar[2]);  // empty
  EXPECT_FALSE(g.poisoned);
  EXPECT_EQ(g.health_bar[0], 400 - 10 - 1);
  EXPECT_EQ(g.health_bar[2], 400 + 10 + 1);
}

TEST(HudGauges, ColoursRunFromGreenToRedAndStayInRange) {
  unit_record u{};
  u.movement = 200;
  u.moves = 200;
  u.health = 100;
  gauge_layout g = status_gauges(u, 1280, 720);
  EXPECT_EQ(g.move_colour[0], 50);
  EXPECT_EQ(g.move_colour[1], 255);
  EXPECT_EQ(g.health_colour[1], 250);
  u.moves = 0;
  u.health = 200;  // more than a colour can hold
  u.status = UNIT_POISONED;
  g = status_gauges(u, 1280, 720);
  EXPECT_EQ(g.move_colour[0], 250);
  EXPECT_EQ(g.move_colour[1], 55);
  EXPECT_EQ(g.health_colour[0], 0);
  EXPECT_EQ(g.health_colour[1], 255);
  EXPECT_TRUE(g.poisoned);
}

TEST(HudInventoryColumn, CarriedItemsInOrderWithoutGaps) {
  reset_globals();
  reset_view_settings();
  nuke_variables();
  unit_record& u = unit[1][1];
  u.status = UNIT_NORMAL;
  auto give = [](int n, int type, int status, int range) {
    object_record& o = object[n];
    o.type = type, o.status = status, o.range = range;
    o.owner_player = 1, o.owner_unit = 1;
  };
  give(7, ITEM_KEY, OBJECT_CARRIED, 0);
  give(3, ITEM_WEARABLE, OBJECT_WORN, SLOT_HEAD);
  give(9, ITEM_TORCH, OBJECT_LIT, 0);
  give(4, ITEM_WEAPON, OBJECT_WIELDED, 1);
  give(5, ITEM_WEARABLE, OBJECT_CARRIED, SLOT_BODY);  // carried, not worn
  int column[12];
  int n = carried_icon_column(1, 1, column);
  ASSERT_EQ(n, 4);
  EXPECT_EQ(column[0], 4);
  EXPECT_EQ(column[1], 3);
  EXPECT_EQ(column[2], 7);
  EXPECT_EQ(column[3], 9);
}

}  // namespace
