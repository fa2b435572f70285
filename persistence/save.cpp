#include "persistence/save.h"

int text_load_map(int mode) {
  (void)mode;  // stand-in until built
  return 99;
}

int text_save_map(int mode) {
  (void)mode;  // stand-in until built
  return 99;
}
