// The entry points of the fuzz targets: each feeds one hostile input to one
// of the game's parsers. libFuzzer drives them in the fuzzing build; the
// replay test runs every stored input through them in the normal suite.
#pragma once

#include <cstddef>
#include <cstdint>

// a picture file's bytes through the decoders
void FuzzPicture(const uint8_t* data, size_t size);
// a settings file's bytes through the reader
void FuzzSettings(const uint8_t* data, size_t size);
// a WAV file's bytes through the sound loader, then played a little
void FuzzWave(const uint8_t* data, size_t size);
// a module file's bytes through the music loader, then played a little
void FuzzModule(const uint8_t* data, size_t size);
// a recording's bytes through the checker, then its answers through the reader
void FuzzRecording(const uint8_t* data, size_t size);
