// The game's version, shown by --version and written into every replay.
#pragma once

constexpr const char* GAME_VERSION = "1.0.0";
