// The game's three music modules, composed by the generator:
//   TitleSong: "14.mod", 4-channel ProTracker, bright and catchy in C major;
//   PlaySong:  "5.xm", FastTracker II, driving in A minor, made to loop;
//   EndSong:   "4.xm", FastTracker II, calm in F major.
// Each plays well over 30 seconds before it loops.
#pragma once

#include "tools/assetgen/tracker.h"

Song TitleSong();
Song PlaySong();
Song EndSong();
