// Saved games.
#pragma once

// Loads a saved game; 99 when nothing was loaded.
int text_load_map(int mode);
int text_save_map(int mode);
