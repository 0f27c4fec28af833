# Test files left out of the Windows test programs: what they check exists
# only on POSIX systems (the game's Windows behaviour there is checked by the
# Wine tests beside this file), or they need what the Windows build lacks or
# would take minutes under Wine.
set(windows_left_out_tests
  # links, a FIFO and XDG_CONFIG_HOME/XDG_RUNTIME_DIR for the player's files
  screens/player_files_test.cpp
  # SIGINT/SIGTERM/SIGHUP during a recording, FIFOs and links in TMPDIR
  screens/replay_headless_test.cpp
  # best scores and captures behind a symbolic link
  screens/unwritable_files_test.cpp
  # some 300 games, each on a pack assembled from symbolic links with one
  # file damaged: minutes under Wine, for loaders that are the same code on
  # both systems
  screens/asset_faults_test.cpp
  # the picture tool started through the POSIX shell, read by wait status
  media/picture_tool_test.cpp
  # a folder made unwritable by its file mode
  media/settings_file_test.cpp
  # other users' links in sticky folders, file size limits and XDG_RUNTIME_DIR
  media/file_writer_test.cpp
  # the asset generator's own drawing: the Windows build takes the native
  # build's pack and builds no generator
  assets/assets_backgrounds_test.cpp
)
