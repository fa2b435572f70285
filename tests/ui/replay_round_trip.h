// Plays a fresh game through queued inputs while recording it, then plays the
// record back without a window: a command that acts outside the record ends
// in another world.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <string>

#include "core/game/loop.h"
#include "core/game/newgame.h"
#include "core/game/replay_play.h"
#include "core/headless.h"
#include "core/replay.h"
#include "core/seed.h"
#include "core/version.h"
#include "core/world.h"

// queue fills headless.inputs once the game is built; checks runs on the
// played world before it is replayed.
inline void expect_replay_ends_alike(unsigned seed, const std::function<void()>& queue,
                                     const std::function<void()>& checks) {
  use_headless();
  char name[] = "/tmp/grim_ui_replay_XXXXXX";
  int fd = mkstemp(name);
  ASSERT_GE(fd, 0);
  close(fd);
  copy_text(unit[1][1].name, "Tester");
  DIFFICULTY = 1;
  CURRENT_PLAYER = CURRENT_UNIT = 1;
  ask_for_seed(seed);
  open_new_game();
  ASSERT_TRUE(replay_begin(name, GAME_SEED, DIFFICULTY, "Tester", GAME_VERSION));
  queue();
  gameover = GAME_PLAYING;
  main_loop();
  const std::string played = world_digest();
  replay_end();
  checks();
  replay_record r;
  std::string reason;
  ASSERT_TRUE(read_replay(name, r, reason)) << reason;
  use_headless();
  replay_outcome out = play_replay_headless(r);
  EXPECT_TRUE(out.followed) << out.reason;
  EXPECT_EQ(out.digest, played);
  std::remove(name);
}
