// The four phases of the title screen, run in this order by TitleScreen.
// Each presents its own frames; each ends the program when the screen is lost.
#pragma once

// 790 frames of the waving banner over the fireworks; Escape ends the program
void PlayTitleIntro();
// the circling menu until a key is down; F1/F2/F3 set `level` to 1/11/21
void RunTitleMenu();
// 100 passes showing the version, the free video memory and the difficulty
void ShowTitleConfirmation();
// the title music faded from 100 % to 0 % in 20 ms steps
void FadeTitleMusic();
