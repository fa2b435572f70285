// The console questions asked before the window opens.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/console.h"
#include "core/world.h"

namespace {

int count(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) n++;
  return n;
}

// A lower-case no skips the other questions, "yes" answers one question only,
// and input that ends answers no instead of asking for ever.
TEST(Console, AnswersSettleDebugAndResolution) {
  struct dialogue {
    std::string input;
    int debug, width, height;
    const char* printed;
    int times;
  };
  const dialogue cases[] = {
      {"n\n", FAIL, 800, 600, "Debug Mode", 0},
      {"n\n", FAIL, 800, 600, "RESOLUTION", 0},
      {"y\ny\n3\n", 2, 1280, 720, "Debug Mode (Y/N)?\n", 1},
      {"Y\nn\n2\n", 0, 1024, 768, "Debug Mode (Y/N)?\n", 1},
      {"x\n  q extra words\nN\n", FAIL, 800, 600, "\aError: Invalid choice\n", 2},
      {"x\n  q extra words\nN\n", FAIL, 800, 600, "Diagnostic Selection (Y/N)?\n", 3},
      {"Y\nN\n7\n1\n", 0, 800, 600, "RESOLUTION 1) 800x600  2) 1024x768  3) 1280x720\n", 2},
      {"yes\nno\n3\n", 0, 1280, 720, "Error", 0},
      {"", FAIL, 800, 600, "Error", 0},
      {"Y\n", 0, 800, 600, "Error", 0},
      {"x\n", FAIL, 800, 600, "\aError: Invalid choice\n", 1},
  };
  for (const dialogue& d : cases) {
    reset_globals();
    WIDTH = HEIGHT = 1;
    std::FILE* in = d.input.empty() ? std::fopen("/dev/null", "r")
                                    : fmemopen(const_cast<char*>(d.input.data()), d.input.size(), "r");
    testing::internal::CaptureStdout();
    console_questions(in);
    std::string out = testing::internal::GetCapturedStdout();
    std::fclose(in);
    SCOPED_TRACE(d.input);
    EXPECT_EQ(DEBUG_MODE, d.debug);
    EXPECT_EQ(WIDTH, d.width);
    EXPECT_EQ(HEIGHT, d.height);
    EXPECT_EQ(count(out, d.printed), d.times) << out;
  }
}

}  // namespace
