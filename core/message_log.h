// Every message of the game in play, oldest first, for the history window
// and the game's record.  The panel keeps only its last lines; this keeps the
// whole game, with a line said again in a row kept once and counted.  It is
// no part of the world: saves, replays and digests never see it.
#pragma once

#include <string>
#include <vector>

struct logged_message {
  std::string text;
  int count = 1;  // times said in a row
};

// Folded lines kept; at the limit the oldest goes and is counted as dropped.
// At most 199 characters a line, so the log stays under half a megabyte.
constexpr int MESSAGE_LOG_LIMIT = 2000;

// Adds a message (texts of 0 or 1 character are redraw requests, not lines).
void message_log_add(const char* text);
// A new or loaded game starts an empty log.
void message_log_clear();
int message_log_size();
const logged_message& message_log_line(int i);  // 0 is the oldest kept
// How many folded lines fell off the front at the limit.
int message_log_dropped();
// The line as shown: "text" or "text (xN)".
std::string message_log_text(const logged_message& m);
// The last n lines as shown, oldest first.
std::vector<std::string> message_log_last(int n);
