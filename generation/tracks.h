// Mine-cart tracks: the walk that lays a track from every head, and the pass
// that mends ends meeting other tracks.
#pragma once

constexpr int TRACK_N_S = 1;
constexpr int TRACK_W_E = 2;
constexpr int TRACK_N_W = 3;
constexpr int TRACK_N_E = 4;
constexpr int TRACK_S_W = 5;
constexpr int TRACK_S_E = 6;
constexpr int TRACK_END_N = 7;  // buffer end joined to the north
constexpr int TRACK_END_S = 8;
constexpr int TRACK_END_E = 9;
constexpr int TRACK_END_W = 10;
constexpr int TRACK_CROSS = 11;
constexpr int TRACK_JOIN_WEN = 12;
constexpr int TRACK_JOIN_NSE = 13;
constexpr int TRACK_JOIN_WES = 14;
constexpr int TRACK_JOIN_NSW = 15;

void generate_track(int z);
void check_track(int z);
