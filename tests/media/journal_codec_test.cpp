// The recording's tokens: every kind of answer written and read back through
// the writer, the whole-file check and the reader (runs, steps, blobs,
// checksums between runs), a reader asked for another kind than it holds,
// and replays that end before or after their recording.
#include "core/date_text.h"
#include "platform/recording.h"
#include "platform/journal/journal_format.h"
#include "platform/platform.h"
#include "tests/support/scenario.h"

#include <gtest/gtest.h>

#include <climits>
#include <fstream>
#include <functional>
#include <iterator>

namespace {

using journal::Kind;
using journal::ReadResult;

// One answer repeated `times` times, or (checksum) the hash of frame 75.
struct Entry {
    Kind kind = Kind::Tick;
    uint64_t number = 0;
    std::vector<uint8_t> blob;
    uint64_t times = 1;
    bool checksum = false;
};

Entry Number(Kind kind, uint64_t value, uint64_t times = 1) { return {kind, value, {}, times, false}; }
Entry Blob(Kind kind, std::vector<uint8_t> bytes) { return {kind, 0, std::move(bytes), 1, false}; }
Entry Checksum() { return {Kind::Tick, 0, {}, 1, true}; }
constexpr uint64_t kHash = 0x0123456789abcdefULL;

std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Writes the entries as a recording and returns its bytes.
std::vector<uint8_t> Write(const std::vector<Entry>& entries) {
    journal::Writer writer;
    std::string error;
    journal::Header header;
    header.gameVersion = "test";
    EXPECT_TRUE(writer.Open("codec.rec", header, error)) << error;
    bool checksummed = false;
    for (const Entry& e : entries) {
        if (e.checksum) writer.Checksum(75, kHash);
        checksummed = checksummed || e.checksum;
        for (uint64_t i = 0; i < e.times && !e.checksum; ++i) {
            if (journal::IsBlobKind(e.kind)) writer.Blob(e.kind, e.blob.data(), e.blob.size());
            else writer.Number(e.kind, e.number);
        }
    }
    EXPECT_TRUE(writer.Close(checksummed ? 80 : 3, error)) << error;
    return ReadBytes("codec.rec");
}

// Checks the bytes and starts a reader on them.
void Start(const std::vector<uint8_t>& bytes, journal::Reader& reader) {
    journal::Expected expected;
    expected.gameVersion = "test";
    journal::Recording recording;
    std::string problem;
    ASSERT_TRUE(journal::CheckRecording(bytes, expected, recording, problem)) << problem;
    reader.Start(bytes, recording.bodyStart, recording.frames);
}

TEST(JournalCodec, EveryAnswerIsReadBackAsWritten) {
    const std::vector<uint8_t> keys(257, 0);
    std::vector<uint8_t> pressed = keys, many = keys;
    pressed[0x4B] = 0x80;
    for (size_t i = 0; i < 200; ++i) many[i] = 0x80;
    struct Case {
        const char* name;
        std::vector<Entry> entries;
    };
    const Case cases[] = {
        {"a run of 1", {Number(Kind::Tick, 5), Number(Kind::Tick, 5)}},
        {"a run of 127", {Number(Kind::Tick, 5), Number(Kind::Tick, 5, 127)}},
        {"a run of 128", {Number(Kind::Tick, 5), Number(Kind::Tick, 5, 128)}},
        {"a run of a million", {Number(Kind::Focus, 1), Number(Kind::Focus, 1, 1000000)}},
        {"runs of two kinds in turn", {Number(Kind::Focus, 1), Number(Kind::EndRequest, 0, 3), Number(Kind::Focus, 1, 2)}},
        {"steps of +-1, +-11, +-12, +-63, +-64",
         {Number(Kind::Tick, 100), Number(Kind::Tick, 101), Number(Kind::Tick, 100), Number(Kind::Tick, 111),
          Number(Kind::Tick, 100), Number(Kind::Tick, 112), Number(Kind::Tick, 100), Number(Kind::Tick, 163),
          Number(Kind::Tick, 100), Number(Kind::Tick, 164), Number(Kind::Tick, 100)}},
        {"a number wrapping round", {Number(Kind::VideoBytes, ~0ULL), Number(Kind::VideoBytes, 0)}},
        {"blobs the same, changed, changed much, resized",
         {Blob(Kind::Keys, keys), Blob(Kind::Keys, keys), Blob(Kind::Keys, pressed), Blob(Kind::Keys, many),
          Blob(Kind::Keys, {1, 2, 3}), Blob(Kind::Keys, {}), Blob(Kind::Keys, keys)}},
        {"a checksum between runs", {Number(Kind::Tick, 7, 3), Checksum(), Number(Kind::Tick, 7, 3)}},
    };
    for (const Case& c : cases) {
        ScratchGameDir dir;
        std::vector<uint8_t> bytes = Write(c.entries);
        journal::Reader reader;
        Start(bytes, reader);
        for (const Entry& e : c.entries) {
            uint64_t number = 0;
            const std::vector<uint8_t>* blob = nullptr;
            if (e.checksum) {
                ASSERT_EQ(reader.Checksum(75, number), ReadResult::Ok) << c.name;
                EXPECT_EQ(number, kHash) << c.name;
            }
            for (uint64_t i = 0; i < e.times && !e.checksum; ++i) {
                bool isBlob = journal::IsBlobKind(e.kind);
                ASSERT_EQ(isBlob ? reader.Blob(e.kind, blob) : reader.Number(e.kind, number), ReadResult::Ok) << c.name;
                if (isBlob) {
                    ASSERT_EQ(*blob, e.blob) << c.name;
                } else {
                    ASSERT_EQ(number, e.number) << c.name << " answer " << i;
                }
            }
        }
        EXPECT_TRUE(reader.Exhausted()) << c.name;
        uint64_t after = 0;
        EXPECT_EQ(reader.Number(Kind::Tick, after), ReadResult::End) << c.name;
    }
}

// A million repeats take a few bytes, a step a byte, a key press a few.
TEST(JournalCodec, RunsStepsAndChangesAreShort) {
    ScratchGameDir dir;
    const size_t empty = Write({}).size();
    EXPECT_LE(Write({Number(Kind::Focus, 1), Number(Kind::Focus, 1, 1000000)}).size(), empty + 8);
    EXPECT_EQ(Write({Number(Kind::Tick, 11)}).size(), empty + 1);
    std::vector<uint8_t> keys(257, 0), pressed(257, 0);
    pressed[0x4B] = 0x80;
    EXPECT_LE(Write({Blob(Kind::Keys, keys), Blob(Kind::Keys, pressed)}).size() - Write({Blob(Kind::Keys, keys)}).size(), 6u);
}

// The reader names the kind it holds and hands it out once asked for it.
TEST(JournalCodec, AnotherKindIsNamedAndLeftInPlace) {
    ScratchGameDir dir;
    std::vector<uint8_t> bytes = Write({Number(Kind::Tick, 9), Number(Kind::Focus, 1, 2), Blob(Kind::Keys, {1})});
    journal::Reader reader;
    Start(bytes, reader);
    uint64_t number = 0;
    const std::vector<uint8_t>* blob = nullptr;
    EXPECT_EQ(reader.Number(Kind::Focus, number), ReadResult::KindMismatch);
    EXPECT_EQ(reader.RecordedKind(), Kind::Tick);
    EXPECT_EQ(reader.Number(Kind::Tick, number), ReadResult::Ok);
    EXPECT_EQ(number, 9u);
    EXPECT_EQ(reader.Number(Kind::Focus, number), ReadResult::Ok);
    EXPECT_EQ(reader.Blob(Kind::Keys, blob), ReadResult::KindMismatch) << "inside a run of another kind";
    EXPECT_EQ(reader.RecordedKind(), Kind::Focus);
    EXPECT_EQ(std::string(journal::KindName(Kind::Keys)), "keyboard reading");
}

// A varint's tenth byte holds the 64th bit alone; anything past it is damage.
TEST(JournalCodec, AVarintPastSixtyFourBitsIsDamaged) {
    std::vector<uint8_t> top(9, 0xFF), past(9, 0xFF), eleventh(10, 0x80);
    top.push_back(0x01);
    past.push_back(0x02);
    eleventh.push_back(0x00);
    uint64_t value = 0;
    size_t at = 0;
    EXPECT_EQ(journal::DecodeVarint(top, at, value), journal::Decoded::Ok);
    EXPECT_EQ(value, ~0ULL);
    EXPECT_EQ(journal::DecodeVarint(past, at = 0, value), journal::Decoded::Damaged);
    EXPECT_EQ(journal::DecodeVarint(eleventh, at = 0, value), journal::Decoded::Damaged);
}

// A replay on the seam: the recording made of `recorded` tick reads and
// frames, replayed with `replayed` of each.
std::string ReplayEnding(int recordedTicks, int recordedFrames, int replayedTicks, int replayedFrames) {
    std::string error;
    EXPECT_TRUE(journal::StartRecording("seam.rec", 0, error)) << error;
    for (int i = 0; i < recordedTicks; ++i) platform::TickCount();
    for (int i = 0; i < recordedFrames; ++i) platform::PresentPixels(nullptr, 0, 0, 0);
    EXPECT_TRUE(journal::Finish(error)) << error;
    journal::ReplayOptions options;
    int level = 0;
    EXPECT_TRUE(journal::StartReplay("seam.rec", options, level, error)) << error;
    for (int i = 0; i < replayedTicks; ++i) platform::TickCount();
    for (int i = 0; i < replayedFrames; ++i) platform::PresentPixels(nullptr, 0, 0, 0);
    return journal::Finish(error) ? "completed" : error;
}

TEST(JournalReplay, EndingBeforeOrAfterItsRecordingIsADrift) {
    ScratchGameDir dir;
    EXPECT_EQ(ReplayEnding(3, 2, 3, 2), "completed");
    EXPECT_EQ(ReplayEnding(3, 2, 2, 2), "the replay ended at frame 2, its recording did not");
    EXPECT_EQ(ReplayEnding(3, 2, 3, 1), "the replay ended at frame 1, its recording did not");
    EXPECT_EQ(ReplayEnding(3, 2, 3, 3), "the replay drifted from its recording by frame 3");
    EXPECT_EQ(ReplayEnding(3, 2, 4, 2), "the replay drifted from its recording at frame 0") << "a read too many";
}

TEST(JournalReplay, AnAnswerOfAnotherKindStopsAtOnceNamingBoth) {
    ScratchGameDir dir;
    std::string error;
    ASSERT_TRUE(journal::StartRecording("kinds.rec", 0, error)) << error;
    platform::PresentPixels(nullptr, 0, 0, 0);
    platform::TickCount();
    platform::WindowHasFocus();
    ASSERT_TRUE(journal::Finish(error)) << error;
    journal::ReplayOptions options;
    int level = 0;
    ASSERT_TRUE(journal::StartReplay("kinds.rec", options, level, error)) << error;
    platform::PresentPixels(nullptr, 0, 0, 0);
    platform::WindowHasFocus();
    EXPECT_EQ(journal::CurrentMode(), journal::Mode::Stopped);
    EXPECT_FALSE(journal::Finish(error));
    EXPECT_EQ(error, "the replay drifted from its recording at frame 1: it asked for the window focus, "
                     "the recording holds the tick count");
}

// A recording of this build (its header taken from one the journal made)
// holding the one answer `answer`.
void WriteOneAnswer(const std::string& path, const Entry& answer) {
    std::string error;
    ASSERT_TRUE(journal::StartRecording(path, 0, error)) << error;
    ASSERT_TRUE(journal::Finish(error)) << error;
    journal::Expected any;
    any.strict = false;
    journal::Recording recording;
    ASSERT_TRUE(journal::CheckRecording(ReadBytes(path), any, recording, error)) << error;
    journal::Writer writer;
    ASSERT_TRUE(writer.Open(path, recording.header, error)) << error;
    if (journal::IsBlobKind(answer.kind)) writer.Blob(answer.kind, answer.blob.data(), answer.blob.size());
    else writer.Number(answer.kind, answer.number);
    ASSERT_TRUE(writer.Close(0, error)) << error;
}

std::vector<uint8_t> Little(std::vector<int32_t> fields, std::vector<uint8_t> bytes = {}) {
    for (int32_t field : fields) {
        for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(static_cast<uint32_t>(field) >> (8 * i)));
    }
    return bytes;
}

// A replayed answer the machine never gives stops the replay as damaged
// when it is read, before the game uses it (the date text would overflow on
// an hour of 2^31 - 1); every answer the machine can give passes.
TEST(JournalReplay, AnAnswerNoMachineGivesIsDamage) {
    ScratchGameDir dir;
    std::vector<uint8_t> keys(257, 0), joystick = Little({0, 0}, {1});
    joystick.resize(41, 0);
    std::vector<uint8_t> badKey = keys, badFlag = keys, farAxis = Little({-1001, 0}, {1});
    badKey[0x39] = 3;
    badFlag[0] = 2;
    farAxis.resize(41, 0);
    std::vector<uint8_t> file;
    auto date = [] { return CurrentDate(); };
    auto tick = [] { return platform::TickCount(); };
    auto focus = [] { return platform::WindowHasFocus(); };
    auto rate = [] { return platform::DisplayRefreshRate(); };
    auto readKeys = [] { uint8_t k[256]; return platform::ReadKeyboard(k); };
    auto readPad = [] { platform::JoystickReading r; return platform::ReadJoystick(r); };
    auto readFile = [&] { return platform::ReadWholeFile("Hit Score.ini", file, 4); };
    struct Case {
        const char* name;
        Entry answer;
        std::function<void()> ask;
        bool damaged;
    };
    const Case cases[] = {
        {"an hour of 2^31 - 1", Blob(Kind::Clock, Little({2026, 3, 5, INT32_MAX, 0, 0})), date, true},
        {"a month of 13", Blob(Kind::Clock, Little({2026, 13, 5, 12, 0, 0})), date, true},
        {"a leap second on the last day of 9999", Blob(Kind::Clock, Little({9999, 12, 31, 23, 59, 60})), date, false},
        {"a tick past 32 bits", Number(Kind::Tick, 1ULL << 32), tick, true},
        {"the last tick before it wraps", Number(Kind::Tick, UINT32_MAX), tick, false},
        {"a focus of 2", Number(Kind::Focus, 2), focus, true},
        {"a refresh rate of 2^40 Hz", Number(Kind::RefreshRate, 1ULL << 40), rate, true},
        {"a key byte of 3", Blob(Kind::Keys, badKey), readKeys, true},
        {"a keyboard read flag of 2", Blob(Kind::Keys, badFlag), readKeys, true},
        {"an axis past its end", Blob(Kind::Joystick, farAxis), readPad, true},
        {"a centred pad", Blob(Kind::Joystick, joystick), readPad, false},
        {"a file read flag of 2", Blob(Kind::File, {2}), readFile, true},
        {"a file larger than the reader's limit", Blob(Kind::File, {1, 1, 2, 3, 4, 5}), readFile, true},
        {"a file of the limit", Blob(Kind::File, {1, 1, 2, 3, 4}), readFile, false},
    };
    for (const Case& c : cases) {
        WriteOneAnswer("damaged.rec", c.answer);
        std::string error;
        int level = 0;
        ASSERT_TRUE(journal::StartReplay("damaged.rec", journal::ReplayOptions{}, level, error)) << c.name << error;
        c.ask();
        EXPECT_EQ(journal::CurrentMode(), c.damaged ? journal::Mode::Stopped : journal::Mode::Replaying) << c.name;
        EXPECT_EQ(journal::Finish(error), !c.damaged) << c.name;
        std::string says = std::string("recording damaged.rec is damaged at frame 0: its ") +
                           journal::KindName(c.answer.kind) + " answer is out of range";
        EXPECT_EQ(error, c.damaged ? says : "") << c.name;
    }
}

}  // namespace
