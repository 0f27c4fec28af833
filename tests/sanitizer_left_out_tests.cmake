# Test files the build with the sanitizers leaves out: the suites that start
# an X server, a window manager or a display mode around the game (slow
# start-ups whose X and SDL code is not instrumented, where the sanitizer's
# own crash handler would stand between a crash case and the game's, and the
# lost-life wait measuring its share of a core, which the sanitizers
# multiply), and the asset fault suite, a whole start-up per damaged file,
# whose parsers the fuzzing corpus feeds instead. The native build runs them
# all. The cases left out of files that stay are named in build.sh.
set(sanitizer_left_out_tests
  sdl/sdl_alt_enter_test.cpp
  sdl/sdl_display_mode_test.cpp
  sdl/sdl_display_test.cpp
  sdl/sdl_game_window_test.cpp
  sdl/sdl_keyboard_test.cpp
  sdl/sdl_lost_life_wait_test.cpp
  sdl/sdl_replay_test.cpp
  screens/asset_faults_test.cpp
)
