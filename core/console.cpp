// The questions asked on the console before the window opens.
#include "core/console.h"

#include <cctype>
#include <cstring>

#include "core/world.h"

static void discard_line(std::FILE* in) {
  int c;
  do c = std::fgetc(in);
  while (c != '\n' && c != EOF);
}

char ask_console_choice(std::FILE* in, const char* question, const char* valid, char on_eof) {
  for (;;) {
    std::printf("%s", question);
    std::fflush(stdout);
    char answer = 0;
    if (std::fscanf(in, " %c", &answer) != 1) return on_eof;
    discard_line(in);
    answer = static_cast<char>(std::toupper(static_cast<unsigned char>(answer)));
    if (answer != 0 && std::strchr(valid, answer)) return answer;
    std::printf("\aError: Invalid choice\n");
  }
}

void console_questions(std::FILE* in) {
  char diagnostics = ask_console_choice(in, "Diagnostic Selection (Y/N)?\n", "YN", 'N');
  if (diagnostics == 'N') {
    DEBUG_MODE = FAIL;
    WIDTH = 800;
    HEIGHT = 600;
    return;
  }
  char debug = ask_console_choice(in, "Debug Mode (Y/N)?\n", "YN", 'N');
  DEBUG_MODE = debug == 'Y' ? 2 : 0;
  // With no answer the smallest window is the safe one.
  char res =
      ask_console_choice(in, "RESOLUTION 1) 800x600  2) 1024x768  3) 1280x720\n", "123", '1');
  if (res == '2') {
    WIDTH = 1024;
    HEIGHT = 768;
  } else if (res == '3') {
    WIDTH = 1280;
    HEIGHT = 720;
  } else {
    WIDTH = 800;
    HEIGHT = 600;
  }
}
