// The console questions asked before the window opens.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/console.h"
#include "core/world.h"

namespace {

// Runs the dialogue on the given input and returns what it printed.
std::string answer(const std::string& input) {
  std::FILE* in = fmemopen(const_cast<char*>(input.data()), input.size(), "r");
  if (input.empty()) in = std::fopen("/dev/null", "r");
  testing::internal::CaptureStdout();
  console_questions(in);
  std::string out = testing::internal::GetCapturedStdout();
  std::fclose(in);
  return out;
}

int count(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) n++;
  return n;
}

class Console : public ::testing::Test {
 protected:
  void SetUp() override { reset_globals(); }
};

TEST_F(Console, LowerCaseNoSkipsTheOtherQuestions) {
  WIDTH = 1;
  std::string out = answer("n\n");
  EXPECT_EQ(DEBUG_MODE, FAIL);
  EXPECT_EQ(WIDTH, 800);
  EXPECT_EQ(HEIGHT, 600);
  EXPECT_EQ(count(out, "Debug Mode"), 0);
  EXPECT_EQ(count(out, "RESOLUTION"), 0);
}

TEST_F(Console, YesAsksDebugAndResolution) {
  std::string out = answer("y\ny\n3\n");
  EXPECT_EQ(DEBUG_MODE, 2);
  EXPECT_EQ(WIDTH, 1280);
  EXPECT_EQ(HEIGHT, 720);
  EXPECT_EQ(count(out, "Debug Mode (Y/N)?\n"), 1);

  answer("Y\nn\n2\n");
  EXPECT_EQ(DEBUG_MODE, 0);
  EXPECT_EQ(WIDTH, 1024);
  EXPECT_EQ(HEIGHT, 768);
}

TEST_F(Console, InvalidAnswersRepeatTheQuestion) {
  std::string out = answer("x\n  q extra words\nN\n");
  EXPECT_EQ(count(out, "\aError: Invalid choice\n"), 2);
  EXPECT_EQ(count(out, "Diagnostic Selection (Y/N)?\n"), 3);
  EXPECT_EQ(DEBUG_MODE, FAIL);

  out = answer("Y\nN\n7\n1\n");
  EXPECT_EQ(count(out, "RESOLUTION 1) 800x600  2) 1024x768  3) 1280x720\n"), 2);
  EXPECT_EQ(WIDTH, 800);
}

TEST_F(Console, TheRestOfAnAnswerLineIsDiscarded) {
  // "yes" must not answer the next question with its 'e' and 's'.
  std::string out = answer("yes\nno\n3\n");
  EXPECT_EQ(count(out, "Error"), 0);
  EXPECT_EQ(DEBUG_MODE, 0);
  EXPECT_EQ(WIDTH, 1280);
}

TEST_F(Console, EndOfInputAnswersNoInsteadOfAskingForever) {
  answer("");
  EXPECT_EQ(DEBUG_MODE, FAIL);
  EXPECT_EQ(WIDTH, 800);

  // Input that ends midway through the questions still settles on defaults.
  answer("Y\n");
  EXPECT_EQ(DEBUG_MODE, 0);
  EXPECT_EQ(WIDTH, 800);
  EXPECT_EQ(HEIGHT, 600);

  answer("x\n");
  EXPECT_EQ(DEBUG_MODE, FAIL);
}

}  // namespace
