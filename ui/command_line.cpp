// The command line: a seed, a replay, and the two questions every program
// answers. Anything else is refused with a message.
#include "ui/command_line.h"

#include <cerrno>
#include <cstdlib>
#include <string>

// A seed is a whole number that fits the random generator's seed.
static bool read_seed(const std::string& text, unsigned& seed) {
  if (text.empty() || text.size() > 10) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  errno = 0;
  unsigned long long v = std::strtoull(text.c_str(), nullptr, 10);
  if (errno != 0 || v > 4294967295ULL) return false;
  seed = static_cast<unsigned>(v);
  return true;
}

// The value of an option, given as "--name=value" or as the next argument.
static bool option_value(const std::vector<std::string>& args, std::size_t& i,
                         const std::string& name, std::string& value) {
  const std::string& a = args[i];
  if (a == name) {
    if (i + 1 >= args.size()) return false;
    value = args[++i];
    return true;
  }
  value = a.substr(name.size() + 1);
  return true;
}

static bool is_option(const std::string& a, const std::string& name) {
  return a == name || a.rfind(name + "=", 0) == 0;
}

command_line read_command_line(const std::vector<std::string>& args) {
  command_line c;
  for (std::size_t i = 0; i < args.size() && c.error.empty(); i++) {
    const std::string& a = args[i];
    std::string value;
    if (a == "--help" || a == "-h") {
      c.help = true;
    } else if (a == "--version") {
      c.version = true;
    } else if (a == "--headless") {
      c.headless = true;
    } else if (a == "--history") {
      c.history = true;
    } else if (is_option(a, "--seed")) {
      if (!option_value(args, i, "--seed", value))
        c.error = "--seed needs a number";
      else if (!read_seed(value, c.seed))
        c.error = "--seed takes a whole number from 0 to 4294967295, not '" + value + "'";
      else
        c.has_seed = true;
    } else if (is_option(a, "--scale")) {
      unsigned n = 0;
      if (!option_value(args, i, "--scale", value) || !read_seed(value, n) || n < 1 ||
          n > static_cast<unsigned>(LARGEST_SCALE))
        c.error = "--scale takes a whole number from 1 to " + std::to_string(LARGEST_SCALE) +
                  ", not '" + value + "'";
      else
        c.scale = static_cast<int>(n);
    } else if (is_option(a, "--replay")) {
      if (!option_value(args, i, "--replay", value) || value.empty())
        c.error = "--replay needs a file";
      else
        c.replay = value;
    } else {
      c.error = "unknown option '" + a + "'";
    }
  }
  if (c.error.empty() && c.headless && c.replay.empty())
    c.error = "--headless only plays back a replay: give --replay FILE";
  return c;
}

std::string command_line_usage() {
  return "usage: grimhollow [--seed N] [--scale N] [--replay FILE [--headless]] [--history]\n"
         "\n"
         "  --seed N          build the dungeon from seed N instead of the clock\n"
         "  --scale N         draw the window N times as large (1 to 4), pixel for pixel\n"
         "  --replay FILE     play back a recorded game (save/last.replay is the last one)\n"
         "  --headless        with --replay: no window; print the final state's digest\n"
         "  --history         list the past games, newest first, and stop\n"
         "  --help            this text\n"
         "  --version         the game's version\n";
}

std::string no_window_message(const char* display, const char* library_error) {
  // The console questions leave their line open: start a fresh one.
  std::string text = "\ngrimhollow: no window could be opened. The game needs a graphical display";
  if (!display || !*display)
    text += ", and DISPLAY is not set.";
  else
    text += ", and the display in DISPLAY (" + std::string(display) + ") did not answer.";
  if (library_error && *library_error) text += std::string(" (") + library_error + ")";
  return text + "\n";
}
