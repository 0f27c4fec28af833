#!/bin/sh
# Moves media/ into rooms named after their trade, run from the top of a
# checkout (a clean work tree):
#   platform/            the seam (platform.h, machine.h, recording.h)
#   platform/sdl, platform/headless, platform/journal   (whole folders)
#   platform/files, platform/text, platform/signals      (platform/common split)
#   pictures/  decoding, drawing, the screen and sprites, capture, frame limiter
#   sound/     mixer, audio output, sounds, music, wav decoding, volumes
#   input/     keyboard and joystick
#   settings/  player settings, the settings file
#   core/      gains values, random numbers, date text (no media file uses them)
# It git-mv's the files, rewrites every path in tracked text files (#include
# lines, CMake, comments, docs), writes the new folders' CMakeLists.txt,
# updates tests/include_floors.cmake and the README's Layout section, and
# lists any file left under media/. Commit 1 = the moves; commit 2 = the edits
# (so `git log --follow` finds each file's history).
#   sh move_folders.sh            do it, making both commits
#   sh move_folders.sh --no-commit   do it, leave everything staged/unstaged
set -eu

commit=yes
[ "${1:-}" = "--no-commit" ] && commit=no

fail() { echo "move_folders: $*" >&2; exit 1; }

[ -d .git ] || [ -f .git ] || fail "run from the top of a git checkout"
[ -d media ] || fail "no media/ folder: already moved?"
[ ! -e platform ] || fail "platform/ exists already: already moved?"
[ -z "$(git status --porcelain --untracked-files=no)" ] || fail "the work tree has changes; commit or stash them first"
[ -f platform/recording.h ] || fail "platform/recording.h missing: this tree lacks the seam header for recording (branch i32-structure)"
if git grep -q '"platform/journal/journal.h"' -- '*.cpp' '*.h'; then
    fail "something still includes platform/journal/journal.h (should be platform/recording.h)"
fi

MAP=$(mktemp)
trap 'rm -f "$MAP"' EXIT

# old path -> new path, one pair a line; files first, then folders
add() { printf '%s %s\n' "$1" "$2" >>"$MAP"; }

need() { [ -e "$1" ] || fail "missing source $1"; }

# -- single files of media/ by trade (globs: a file another branch adds next
#    to these names moves with them)
place() {  # place DEST PATTERN...
    dest=$1
    shift
    for pattern in "$@"; do
        found=no
        for f in media/$pattern; do
            [ -e "$f" ] || continue
            found=yes
            add "$f" "$dest/${f#media/}"
        done
        [ $found = yes ] || fail "missing source media/$pattern"
    done
}

place pictures 'blit.*' 'bmp_decoder.*' 'bmp_writer.*' byte_reader.h 'capture.*' 'drawing*.*' 'frame_limiter.*' \
    'image_decoders.*' jpeg_decoder.cpp 'picture_decoding.*' pixel_format.h 'screen.*' 'screen_state.*' 'sprite_*.*'
place sound 'audio_output.*' 'mixer.*' 'music*.cpp' 'sound.*' 'wav_decoding.*' player_volumes.cpp
place input 'input.*' 'joystick*.cpp' pad_presses.cpp
place settings 'player_settings.*' 'settings_file.*' 'settings_table.*'
place core 'values.*' 'random.*' 'date_text.*'

# -- platform/common split by what each file does
common() {  # common DEST PATTERN...
    dest=$1
    shift
    for pattern in "$@"; do
        found=no
        for f in platform/common/$pattern; do
            [ -e "$f" ] || continue
            found=yes
            add "$f" "platform/$dest/${f#platform/common/}"
        done
        [ $found = yes ] || fail "missing source platform/common/$pattern"
    done
}
common files 'file_system*' file_written.h files.cpp 'escaped_text.*'
for f in platform/common/pad_keys.*; do add "$f" "platform/${f#platform/common/}"; done
common text 'text_face*' text_raster.cpp
common signals 'end_requests*' 'end_signals*'

# -- whole folders and the seam's own headers
for dir in sdl headless journal; do
    need platform/$dir
    add platform/$dir platform/$dir
done
for f in platform/*.h; do
    add "$f" "platform/${f#platform/}"
done
need platform/platform.h

# -- the moves
while read -r old new; do
    mkdir -p "$(dirname "$new")"
    git mv "$old" "$new"
done <"$MAP"
# media/CMakeLists.txt is replaced by the new folders' lists written below;
# an edit another branch made to it must be carried over by hand
if [ "$(git rev-parse HEAD:media/CMakeLists.txt)" != "0ec9b5779cc89a06ba03e9ea443e1a8c6f38b250" ]; then
    echo "move_folders: media/CMakeLists.txt differs from the one these lists were written from; compare:" >&2
    echo "  git diff 0ec9b5779cc89a06ba03e9ea443e1a8c6f38b250 HEAD:media/CMakeLists.txt" >&2
fi
git rm -q media/CMakeLists.txt

find media -depth -type d -empty -delete 2>/dev/null || true
left=$(git ls-files media)
if [ -n "$left" ]; then
    echo "move_folders: these files under media/ were not placed (move them by hand):" >&2
    echo "$left" | sed 's/^/  /' >&2
fi
[ $commit = yes ] && git commit -q -m "Move media/ into platform/, pictures/, sound/, input/ and settings/, a few helpers into core/" && echo "committed the moves"

# -- every path in every tracked text file: the file pairs first (longest
#    first), then the folders, then the old folder prefixes
python3 - "$MAP" <<'EOF'
import subprocess, sys
pairs = [line.split() for line in open(sys.argv[1]) if line.strip()]
pairs.sort(key=lambda p: -len(p[0]))
pairs.append(("platform/", "platform/"))
files = subprocess.run(["git", "ls-files"], capture_output=True, text=True, check=True).stdout.split("\n")
for name in files:
    if not name or name.startswith("tests/fuzz/corpus/") or name.startswith("tests/golden/"):
        continue
    try:
        text = open(name, encoding="utf-8").read()
    except (UnicodeDecodeError, IsADirectoryError, FileNotFoundError):
        continue
    new = text
    for old, moved in pairs:
        new = new.replace(old, moved)
    if new != text:
        open(name, "w", encoding="utf-8").write(new)
        print("rewrote", name)
EOF

# -- the new folders' build lists
cat >platform/CMakeLists.txt <<'EOF'
# The seam to the machine and its two backends. The backends are object
# libraries: their objects go straight into each program, so the libraries
# above find them whatever the link order.

set_source_files_properties(${CMAKE_CURRENT_SOURCE_DIR}/files/files.cpp PROPERTIES
  COMPILE_DEFINITIONS "GULPKIN_INSTALLED_DATA_DIR=\"${GULPKIN_INSTALLED_DATA_DIR}\";GULPKIN_DATA_FROM_BINARY=\"${GULPKIN_DATA_FROM_BINARY}/\"")

# Files, text and the end signals are the same on both backends, and so is
# the journal that records and replays the machine's answers. The system
# calls of files, text and signals are in variant files, one door each (see
# gulpkin_pick_variants).
file(GLOB common_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/files/*.cpp
     ${CMAKE_CURRENT_SOURCE_DIR}/signals/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/journal/*.cpp)
gulpkin_pick_variants(common_sources)
set_source_files_properties(${CMAKE_CURRENT_SOURCE_DIR}/journal/journal_session.cpp PROPERTIES
  COMPILE_DEFINITIONS GULPKIN_VERSION="${PROJECT_VERSION}")
# Only the text raster uses SDL (SDL_ttf) on the headless backend: it is an
# object library of its own, so that a test of the game's rules runs on the
# headless backend without SDL (gulpkin_platform_headless_core).
file(GLOB text_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/text/*.cpp)
gulpkin_pick_variants(text_sources)
add_library(gulpkin_platform_text OBJECT ${text_sources})
target_link_libraries(gulpkin_platform_text PUBLIC gulpkin_base PkgConfig::SDL2_TTF PkgConfig::SDL2)

file(GLOB headless_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/headless/*.cpp)
add_library(gulpkin_platform_headless_core OBJECT ${headless_sources} ${common_sources})
target_link_libraries(gulpkin_platform_headless_core PUBLIC gulpkin_base)
# the whole headless backend, its objects given to each program that links it
add_library(gulpkin_platform_headless INTERFACE)
target_sources(gulpkin_platform_headless INTERFACE $<TARGET_OBJECTS:gulpkin_platform_headless_core>
               $<TARGET_OBJECTS:gulpkin_platform_text>)
target_link_libraries(gulpkin_platform_headless INTERFACE gulpkin_platform_headless_core gulpkin_platform_text)

# The SDL backend differs between the desktop and a web browser (the page
# around the game) only in variant files, *_desktop.cpp and *_browser.cpp.
file(GLOB sdl_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/sdl/*.cpp)
gulpkin_pick_variants(sdl_sources)
add_library(gulpkin_platform_sdl OBJECT ${sdl_sources} ${common_sources} ${text_sources})
target_link_libraries(gulpkin_platform_sdl PUBLIC gulpkin_base PkgConfig::SDL2_TTF PkgConfig::SDL2)
# On Linux the crash rescue's watcher gives the screens their modes back
# through X itself (sdl_display_rescue_linux.cpp).
if(NOT EMSCRIPTEN AND NOT WIN32)
  pkg_check_modules(XRANDR REQUIRED IMPORTED_TARGET xrandr x11)
  target_link_libraries(gulpkin_platform_sdl PUBLIC PkgConfig::XRANDR)
endif()

# The frame scaler widens every pixel of every frame when no graphics card
# shows it; its row loops are worth the vectoriser's full effort.
set_source_files_properties(${CMAKE_CURRENT_SOURCE_DIR}/sdl/frame_scaler.cpp PROPERTIES
  COMPILE_OPTIONS "-O3")
# So is the journal's frame checksum, over every 75th frame.
set_source_files_properties(${CMAKE_CURRENT_SOURCE_DIR}/journal/journal_hashes.cpp PROPERTIES
  COMPILE_OPTIONS "-O3")
EOF
cat >pictures/CMakeLists.txt <<'EOF'
# Pictures: decoding BMP and JPEG, the screen and its sprites, drawing, the
# frame limiter, capture.
file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
add_library(gulpkin_pictures STATIC ${sources})
target_link_libraries(gulpkin_pictures PUBLIC gulpkin_base PRIVATE JPEG::JPEG)
EOF
cat >sound/CMakeLists.txt <<'EOF'
# Sound: the mixer, the audio output, sound effects, tracker music.
file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
add_library(gulpkin_sound STATIC ${sources})
target_link_libraries(gulpkin_sound PUBLIC gulpkin_base PRIVATE PkgConfig::XMP)
EOF
cat >input/CMakeLists.txt <<'EOF'
# Input: the keyboard and the joystick as the game reads them.
file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
add_library(gulpkin_input STATIC ${sources})
target_link_libraries(gulpkin_input PUBLIC gulpkin_base)
EOF
cat >settings/CMakeLists.txt <<'EOF'
# Settings: the player's settings.ini and the best-score settings file.
file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
add_library(gulpkin_settings STATIC ${sources})
target_link_libraries(gulpkin_settings PUBLIC gulpkin_base gulpkin_sound)
EOF

python3 - <<'EOF'
import re
def edit(path, old, new, count=1):
    text = open(path).read()
    if old not in text:
        raise SystemExit("move_folders: %s: cannot find %r" % (path, old))
    open(path, "w").write(text.replace(old, new, count))

edit("CMakeLists.txt", "add_subdirectory(media)\n",
     "add_subdirectory(platform)\nadd_subdirectory(pictures)\nadd_subdirectory(sound)\n"
     "add_subdirectory(input)\nadd_subdirectory(settings)\n"
     "# the services the game calls, above the platform seam, under one name\n"
     "add_library(gulpkin_media INTERFACE)\n"
     "target_link_libraries(gulpkin_media INTERFACE gulpkin_settings gulpkin_input gulpkin_sound gulpkin_pictures)\n")

core = open("core/CMakeLists.txt").read()
core = re.sub(r"add_library\(gulpkin_core STATIC ([^)]*)\)",
              lambda m: "add_library(gulpkin_core STATIC %s date_text.cpp random.cpp values.cpp)" % m.group(1), core)
core = core.replace("the sines that place pictures alike on every system.",
                    "the sines that place pictures alike on every system, the random numbers, values and dates.")
open("core/CMakeLists.txt", "w").write(core)

floors = "platform platform/files platform/text platform/signals platform/journal platform/headless platform/sdl " \
         "pictures sound input settings core board ghosts presentation shell tools"
text = open("tests/include_floors.cmake").read()
text, n = re.subn(r"set\(floors [^)]*\)", "set(floors %s)" % floors, text)
if n != 1:
    raise SystemExit("move_folders: tests/include_floors.cmake: no floor list")
open("tests/include_floors.cmake", "w").write(text)

readme = open("README.md").read()
start = readme.find("- `core/`:")
end = readme.find("- `tools/`:")
if start < 0 or end < start:
    raise SystemExit("move_folders: README.md: the Layout section's core/ and tools/ lines are not where expected")
layout = """- `core/`: the game state, the tick arithmetic, the shared sprite numbers,
  random numbers, small values and the date line, and the board's outcomes
  (`core/board_outcomes.h`), which the shell hands over at start-up.
- `settings/`: the player's settings (one table of keys, values and options)
  and the best-score file.
- `input/`: the keyboard and the joystick.
- `sound/`: the mixer, audio output, sound effects and tracker music.
- `pictures/`: picture decoding, the screen and sprites, drawing, the frame
  limiter, capture.
- `platform/`: the one seam to the machine (`platform.h`, `recording.h`):
  `sdl/` the real backend, `headless/` a scripted one with a virtual clock,
  `journal/` records and replays the machine's answers, `files/` the file
  layer, `text/` the system font, `signals/` requests to end.
"""
readme = readme[:start] + layout + readme[end:]
open("README.md", "w").write(readme)
EOF

# every moved file must be reachable by its new path in the includes
bad=$(git grep -n '#include "media/' -- '*.cpp' '*.h' || true)
[ -z "$bad" ] || { echo "$bad" >&2; fail "includes of media/ remain"; }

git add -A platform pictures sound input settings core CMakeLists.txt tests/include_floors.cmake README.md
git add -u
if [ $commit = yes ]; then
    git commit -q -m "Paths, build lists, include floors and the layout follow the new folders"
    echo "committed the path changes"
fi
echo "move_folders: done"
