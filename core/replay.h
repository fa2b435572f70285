// Replays: every game started new writes its seed, difficulty, the leader's
// name and each command that reaches the rules to a replay file as it goes,
// so a crash keeps everything up to the last command, and the game can be
// played back to the very same state.
//
// A command is the outermost rules routine that the front end calls while it
// reads the player's input: routines mark themselves with a recorded_command
// at their entry, and only the first of a nest is written (the forward step
// that opens a door is one command, not two).
//
// One input may give several commands (a click that turns the unit to face
// its target, then strikes).  The frame loop may hand play on or end the turn
// between two inputs but never inside one, so a replay keeps where each input
// began: a command that carries on the input of the one before is written
// with a leading "+", and played back in the same pass of the frame loop.
// Replays of the first format kept no such marks; they still play, one
// command an input, and may end elsewhere than the game did.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <vector>

constexpr const char* REPLAY_MAGIC = "GRIMHOLLOW REPLAY";
constexpr int REPLAY_FORMAT = 2;
// The oldest format still played back.
constexpr int REPLAY_FIRST_FORMAT = 1;
constexpr const char* LAST_REPLAY = "save/last.replay";
// A replay larger than this is damage, never a game.
constexpr std::size_t REPLAY_FILE_LIMIT = 64u * 1024 * 1024;
constexpr int REPLAY_MAX_ARGS = 8;

struct replay_command {
  int turn = 0;
  std::string routine;
  std::vector<int> args;
  bool same_input = false;  // carries on the input of the command before
};

struct replay_record {
  int format = 0;
  std::string version;
  unsigned seed = 0;
  int difficulty = 0;
  std::string name;
  std::vector<replay_command> commands;
  bool has_digest = false;  // the game ended and wrote its final digest
  std::string digest;
  // Where each input began is known (every format but the first).
  bool marks_inputs() const { return format >= 2; }
};

// The number of commands, from index first on, that were one input of the
// game: at least 1 while first is within the record, 0 past its end.
std::size_t replay_input_length(const replay_record& r, std::size_t first);

// Starts recording a new game to path (LAST_REPLAY in the game); false when
// the file cannot be written (the game goes on unrecorded).
bool replay_begin(const char* path, unsigned seed, int difficulty, const char* name,
                  const char* version);
// Writes the final digest and closes the file.
void replay_end();
// Stops recording without an end line (a game left for the menu).
void replay_stop();
bool replay_recording();

// The front end's reading of one input: commands are written only inside it.
struct player_input_scope {
  player_input_scope();
  ~player_input_scope();
  player_input_scope(const player_input_scope&) = delete;
  player_input_scope& operator=(const player_input_scope&) = delete;
};

// Marks a rules routine as a command: written when it is the outermost
// routine of a player's input. Nested routines only count depth.
class recorded_command {
 public:
  recorded_command(const char* routine, std::initializer_list<int> args);
  ~recorded_command();
  recorded_command(const recorded_command&) = delete;
  recorded_command& operator=(const recorded_command&) = delete;
};

// The turn count the commands are written with: one more at every end_turn.
extern int REPLAY_TURN;

// A digest of every table of the world and the game-wide state the rules
// keep, as 16 hex digits. Equal worlds give equal digests.
std::string world_digest();

// Reads a replay file whole; false with a reason (line number included) when
// it is not one this game can follow. Nothing of the world is touched.
bool read_replay(const std::string& path, replay_record& out, std::string& reason);
bool parse_replay(const std::string& text, replay_record& out, std::string& reason);
