#include "core/message_log.h"

#include <algorithm>
#include <cstring>
#include <deque>

namespace {

std::deque<logged_message> lines;
int dropped = 0;

}  // namespace

void message_log_add(const char* text) {
  if (!text || std::strlen(text) <= 1) return;
  if (!lines.empty() && lines.back().text == text) {
    lines.back().count++;
    return;
  }
  lines.push_back({text, 1});
  if (static_cast<int>(lines.size()) > MESSAGE_LOG_LIMIT) {
    lines.pop_front();
    dropped++;
  }
}

void message_log_clear() {
  lines.clear();
  dropped = 0;
}

int message_log_size() { return static_cast<int>(lines.size()); }

const logged_message& message_log_line(int i) {
  static const logged_message none{};
  if (i < 0 || i >= message_log_size()) return none;
  return lines[static_cast<std::size_t>(i)];
}

int message_log_dropped() { return dropped; }

std::string message_log_text(const logged_message& m) {
  if (m.count <= 1) return m.text;
  return m.text + " (x" + std::to_string(m.count) + ")";
}

std::vector<std::string> message_log_last(int n) {
  std::vector<std::string> out;
  for (int i = std::max(0, message_log_size() - n); i < message_log_size(); i++)
    out.push_back(message_log_text(message_log_line(i)));
  return out;
}
