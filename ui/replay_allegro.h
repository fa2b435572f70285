// Playing a replay back in the window.
#pragma once

#include "core/replay.h"

// Runs the whole replay in the open window; 1 when a command could not be
// followed, 0 otherwise.
int play_replay_in_window(const replay_record& r);
