// The headless audio recording: the mixer's output pulled as the virtual
// clock moves (44100 frames a virtual second, exactly) and written to a WAV
// file. The header's sizes are filled in when the recording finishes.
#include "platform/files/file_system.h"
#include "platform/headless/audio_recording.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

constexpr int kPullFrames = 1024;
constexpr int kHeaderBytes = 44;

struct Recording {
    platform::fs::PendingFile file;  // in place of its target once finished
    uint64_t startMicros = 0;
    uint64_t framesWritten = 0;
    int16_t block[2 * kPullFrames] = {};
};

Recording& R() {
    static Recording recording;
    return recording;
}

void PutLe(unsigned char* at, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) at[i] = static_cast<unsigned char>(value >> (8 * i));
}

// the canonical 44-byte header of 16-bit stereo PCM holding `frames` frames,
// written first (appended) and again at the end (in place)
bool WriteHeader(platform::fs::PendingFile& file, uint64_t frames, bool inPlace) {
    unsigned char header[kHeaderBytes] = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' '};
    uint32_t dataBytes = static_cast<uint32_t>(frames * 4);
    PutLe(header + 4, 36 + dataBytes, 4);
    PutLe(header + 16, 16, 4);
    PutLe(header + 20, 1, 2);  // PCM
    PutLe(header + 22, 2, 2);  // stereo
    PutLe(header + 24, platform::kAudioRate, 4);
    PutLe(header + 28, platform::kAudioRate * 4, 4);
    PutLe(header + 32, 4, 2);
    PutLe(header + 34, 16, 2);
    header[36] = 'd', header[37] = 'a', header[38] = 't', header[39] = 'a';
    PutLe(header + 40, dataBytes, 4);
    return inPlace ? file.WriteAt(0, header, kHeaderBytes) : file.Write(header, kHeaderBytes);
}

// the little-endian bytes of the block, in place (a no-op on the usual machines)
void ToLittleEndian(int16_t* samples, int count) {
    for (int i = 0; i < count; ++i) {
        auto value = static_cast<uint16_t>(samples[i]);
        unsigned char bytes[2] = {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8)};
        std::memcpy(&samples[i], bytes, 2);
    }
}

}  // namespace

namespace headless {

bool StartAudioRecording(const std::string& path, std::string& error) {
    Recording& r = R();
    r.file.Abandon();
    if (!r.file.Begin(path, platform::fs::Access::Shared, error)) return false;
    r.startMicros = VirtualMicros();
    r.framesWritten = 0;
    WriteHeader(r.file, 0, false);  // a failed write is remembered and told by Commit
    return true;
}

void CatchUpAudioRecording() {
    Recording& r = R();
    if (!r.file.IsOpen() || AudioLocked()) return;
    uint64_t due = (VirtualMicros() - r.startMicros) * platform::kAudioRate / 1000000;
    while (r.framesWritten < due) {
        int frames = static_cast<int>(std::min<uint64_t>(due - r.framesWritten, kPullFrames));
        PullAudio(r.block, frames);
        ToLittleEndian(r.block, 2 * frames);
        r.file.Write(r.block, 4 * static_cast<size_t>(frames));
        r.framesWritten += static_cast<uint64_t>(frames);
    }
}

bool FinishAudioRecording(std::string& error) {
    Recording& r = R();
    if (!r.file.IsOpen()) return true;
    CatchUpAudioRecording();
    WriteHeader(r.file, r.framesWritten, true);
    return r.file.Commit(error);  // fails, and removes the file, after any failed write
}

}  // namespace headless
