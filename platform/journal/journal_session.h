// The journal's side of the seam calls (journal_seam.cpp): noting the
// machine's answers while recording, handing out recorded ones while
// replaying, and watching the presented frames.
#pragma once

#include "platform/recording.h"
#include "platform/journal/journal_format.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace journal {

// recording: the machine's answer of this kind
void NoteNumber(Kind kind, uint64_t value);
void NoteBlob(Kind kind, const uint8_t* data, size_t size);
// replaying: the next recorded answer of this kind. A replay that drifts or
// ends stops here (the stop handler runs), and then 0 or zeros are returned.
uint64_t RecordedNumber(Kind kind);
// the same, except that an answer of another kind next in the recording is
// left there and `absent` returned (for answers older recordings lack)
uint64_t RecordedNumberOr(Kind kind, uint64_t absent);
// `size` bytes; a recorded blob of another size is a drift
const uint8_t* RecordedBlob(Kind kind, size_t size);
// a recorded file: the read's result and the bytes, at most `limit` of them
bool RecordedFile(std::vector<uint8_t>& out, size_t limit);
// replaying: the recorded answer of `kind` is one the machine never gives
// (a clock hour of 25, a key byte of 3): the replay stops as damaged
void StopAsDamaged(Kind kind);
// replaying: whether the recording's next answer is of `kind`
bool RecordedNext(Kind kind);
// both modes: a frame is about to be presented (nullptr: a skipped frame)
void NotePresent(const uint16_t* pixels, int width, int height, int pitch);
// both modes: the display is about to close, with the last frame's pixels
void NoteDisplayClosing();
// replaying: waits until the machine's clock reaches the recorded tick, when
// the replay keeps the recorded pace
void PaceReplay(uint32_t recordedTick);
// replaying: the player asked the machine to end the program; the replay
// stops as on Escape
void StopOnRequest();
// replaying: stops the replay when Escape is held on the machine's keyboard,
// if the replay watches for it
void WatchForEscape();

}  // namespace journal
