// Small sound files made byte by byte for the sound and music tests: WAV
// effects of any layout and a tiny four-channel ProTracker module, and a
// scratch directory to put them in.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A WAV file to build. Samples are in the file's own units: 0..255 for
// 8 bits, -32768..32767 for 16 bits, channels interleaved.
struct WavFile {
    int tag = 1;  // 1 = PCM
    int channels = 1;
    int sampleRate = 44100;
    int bitsPerSample = 16;
    std::string chunkName = "data";  // the chunk after "fmt "
    std::vector<int> samples;
    int64_t declaredSize = -1;       // size field of that chunk; -1 = the true size

    std::vector<uint8_t> Bytes() const;
};

// a 16-bit mono 44100 Hz WAV holding `frames` samples of the constant `value`
std::vector<uint8_t> ConstantWav(int frames, int value);

// A valid 4-channel "M.K." module of one pattern at speed 1 (1.28 s a pass):
// a looped square wave on channel 1 played from row 0.
std::vector<uint8_t> TinyProTrackerModule();

// a fresh directory for one test's files, removed by the destructor
class ScratchDirectory {
public:
    ScratchDirectory();
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;
    // writes the bytes to a file of that name in the directory; its full path
    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) const;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// Opens the sound service on the headless machine and puts a short click
// under every sound number the game plays (0 to 13), so that the game's
// procedures called directly by a test start real sounds; clears the record
// of started sounds.
void PrepareSounds();

// the largest absolute sample value of interleaved stereo frames
int PeakOf(const std::vector<int16_t>& samples, size_t firstFrame = 0, size_t frameCount = SIZE_MAX);
