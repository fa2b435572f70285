#include "core/messages.h"

#include <cstring>

#include "core/message_log.h"
#include "core/world.h"

static unsigned lines_told = 0;

unsigned message_lines_told() { return lines_told; }

bool add_message_line(const char* text) {
  // A one-character text is how the rules ask for a bare redraw.
  if (!text || std::strlen(text) <= 1) return false;
  lines_told++;
  for (int i = 1; i < MESSAGE_LINES; i++) std::memcpy(M_line[i - 1], M_line[i], MESSAGE_LINE_SIZE);
  copy_text(M_line[MESSAGE_LINES - 1], text);
  message_log_add(M_line[MESSAGE_LINES - 1]);
  return true;
}

void clear_message_history() {
  for (int i = 1; i < MESSAGE_LINES; i++) copy_text(M_line[i], " ");
}
