#include "ui/view_settings.h"

int TILE_SIZE = 48;
int MAPTILES_X = 16;
int MAPTILES_Y = 12;
int BUTTON_BAR = -1;
int MESSAGE_BAR = -1;
int STATUS_BAR = -1;
int INVENTORY_BAR = -1;
int ANTI_ALIAS = 0;
int M_box[4] = {21, 600, 140, 8};

void reset_view_settings() {
  TILE_SIZE = 48;
  MAPTILES_X = 16;
  MAPTILES_Y = 12;
  BUTTON_BAR = MESSAGE_BAR = STATUS_BAR = INVENTORY_BAR = -1;
  ANTI_ALIAS = 0;
  M_box[0] = 21, M_box[1] = 600, M_box[2] = 140, M_box[3] = 8;
}
