// Recording a run of the program and replaying it, for both programs.
//
// A recording runs the game as usual while the journal (platform/
// journal/journal.h) writes every answer of the machine to a file; a replay
// runs the game on the answers of such a file. Either ends by printing one
// JSON line: frames presented, score, level, lives, best score and the hash
// of the last presented frame. A replay that ran to the end of its recording
// prints the same line as the recording did.
#pragma once

#include "platform/recording.h"

#include <ostream>
#include <string>

// Runs the whole program while recording to `path` (startLevel > 0 skips the
// title screen, as the headless driver's --level does); prints the summary
// line to `out`. Returns the exit code: 0, or 1 with a one-line message on
// `errors` when the file cannot be written.
int RunGameRecorded(const std::string& path, int startLevel, std::ostream& out, std::ostream& errors);
// Runs the whole program on the answers recorded in `path`; prints the
// summary line to `out`. Returns 0, or 1 with a one-line message on `errors`
// for a file that cannot be replayed or a replay that drifted.
int RunGameReplayed(const std::string& path, const journal::ReplayOptions& options, std::ostream& out,
                    std::ostream& errors);
// the summary line of the session that ran last
std::string SessionSummaryLine();

// gulpkin --record FILE: the game on its real backend, recorded; the line is
// printed also when the window is closed or the program gets a signal
int RunRecorded(const std::string& path);
// gulpkin --replay FILE: the recording shown in the window at its recorded
// pace; Escape stops it
int RunReplay(const std::string& path);
