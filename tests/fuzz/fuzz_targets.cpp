// Fuzz entry points. Loaders that take a path get the bytes through a file
// named per process, in memory where the system offers it.
#include "tests/fuzz/fuzz_targets.h"

#include "pictures/picture_decoding.h"
#include "platform/journal/journal_format.h"
#include "platform/headless/headless.h"
#include "settings/settings_file.h"
#include "sound/sound.h"
#include "tests/support/scratch_folder.h"

#include <cstdio>
#include <string>

namespace {

bool WriteScratch(const std::string& path, const uint8_t* data, size_t size) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    bool ok = size == 0 || std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && ok;
}

void StartAudioOnce() {
    static bool started = false;
    if (started) return;
    started = true;
    headless::Configure(headless::Options{}, {});
    InitSound();
    InitMusic();
}

void PlayALittle() {
    static int16_t samples[2 * 4096];
    for (int i = 0; i < 4; ++i) headless::PullAudio(samples, 4096);
}

}  // namespace

void FuzzPicture(const uint8_t* data, size_t size) {
    static bool ready = false;
    if (!ready) {
        InitImageDecoders();
        UseJpegDecoder();
        ready = true;
    }
    DecodedPicture picture;
    if (DecodePicture(data, size, picture)) {
        // every pixel of a decoded picture must be there
        if (picture.pixels.size() != static_cast<size_t>(picture.width) * picture.height) __builtin_trap();
    }
}

void FuzzSettings(const uint8_t* data, size_t size) {
    static const std::string path = QuickScratchFile(".ini");
    if (!WriteScratch(path, data, size)) return;
    InitSettings();
    if (OpenSettingsFile(path)) {
        ReadSettingInt("HitScore", 0);
        ReadSettingInt("h", 1);
        ReadSettingInt("", 2);
    }
    CloseSettingsFile();
}

void FuzzWave(const uint8_t* data, size_t size) {
    static const std::string path = QuickScratchFile(".wav");
    StartAudioOnce();
    if (!WriteScratch(path, data, size)) return;
    if (LoadSoundFile(3, path)) {
        StartSound(3, 0);
        PlayALittle();
    }
}

void FuzzModule(const uint8_t* data, size_t size) {
    static const std::string path = QuickScratchFile(".mod");
    StartAudioOnce();
    if (!WriteScratch(path, data, size)) return;
    if (LoadMusicFile(5, path) && StartMusic(5)) {
        SetMusicVolume(5, 50);
        PlayALittle();
        HaltMusic();
    }
}

// Checked once as the game checks it (this build's version and a pack it
// cannot match), then trusting the header and hash, so that the tokens are
// walked and handed out as answers of every kind in turn.
void FuzzRecording(const uint8_t* data, size_t size) {
    using journal::Kind;
    using journal::ReadResult;
    const std::vector<uint8_t> bytes(data, data + size);
    journal::Expected expected;
    expected.gameVersion = "1.1";
    journal::Recording recording;
    std::string problem;
    journal::CheckRecording(bytes, expected, recording, problem);
    expected.strict = false;
    if (!journal::CheckRecording(bytes, expected, recording, problem)) return;
    journal::Reader reader;
    reader.Start(bytes, recording.bodyStart, recording.frames);
    int64_t frame = 0;
    Kind kind = Kind::Tick;
    for (int step = 0; step < 100000; ++step) {
        uint64_t number = 0;
        const std::vector<uint8_t>* blob = nullptr;
        ReadResult result = journal::IsBlobKind(kind) ? reader.Blob(kind, blob) : reader.Number(kind, number);
        if (result == ReadResult::End) break;
        // ask next for the kind the recording holds, so that every token is handed out
        if (result == ReadResult::KindMismatch) kind = reader.RecordedKind();
        if (result == ReadResult::KindMismatch) continue;
        if (result == ReadResult::Mismatch && reader.Checksum(frame + journal::kChecksumEvery, number) != ReadResult::Ok) break;
        if (result == ReadResult::Mismatch) frame += journal::kChecksumEvery;
    }
    reader.Exhausted();
}
