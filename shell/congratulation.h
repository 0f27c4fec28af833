// The congratulation sequence after the thirtieth level.
#pragma once

// 2501 frames of fireworks, the closing words and the whole cast, then the
// options screen (with playing again disabled); never returns
[[noreturn]] void PlayCongratulation();
