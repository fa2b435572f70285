// The mouse commands on the map and the object list, which the input dispatch
// opens.
#include "ui/screens.h"

void mouse_box_choice(int mode) {
  (void)mode;  // stand-in until built
}
void mouse_dragmove() {
  // stand-in until built
}
void mouse_mainbox() {
  // stand-in until built
}
void mouse_maprightclick(int x, int y) {
  (void)x, (void)y;  // stand-in until built
}
