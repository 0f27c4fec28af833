// The three music modules of the pack, played through libxmp: each loads as
// its format, sounds all the way through, and loops back after playing for
// at least half a minute.
#include <gtest/gtest.h>
#include <xmp.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

struct Playback {
    bool loaded = false;
    std::string type;
    int channels = 0;
    double secondsToLoop = 0;          // when the song first went back to its restart point
    std::vector<double> windowLevels;  // RMS of each two-second window before the loop
};

Playback PlayUntilLoop(const char* path) {
    Playback result;
    xmp_context context = xmp_create_context();
    if (xmp_load_module(context, const_cast<char*>(path)) != 0) {
        xmp_free_context(context);
        return result;
    }
    result.loaded = true;
    xmp_module_info info;
    xmp_get_module_info(context, &info);
    result.type = info.mod->type;
    result.channels = info.mod->chn;
    xmp_start_player(context, 44100, 0);
    double sum = 0, windowEnd = 2000;
    long count = 0;
    xmp_frame_info frame;
    while (xmp_play_frame(context) == 0) {
        xmp_get_frame_info(context, &frame);
        if (frame.loop_count > 0 || frame.time > 300000) break;
        const int16_t* samples = static_cast<const int16_t*>(frame.buffer);
        for (int i = 0; i < frame.buffer_size / 2; ++i) sum += double(samples[i]) * samples[i];
        count += frame.buffer_size / 2;
        result.secondsToLoop = frame.time / 1000.0;
        if (frame.time >= windowEnd) {
            result.windowLevels.push_back(std::sqrt(sum / std::max(count, 1L)));
            sum = 0;
            count = 0;
            windowEnd += 2000;
        }
    }
    if (frame.loop_count == 0) result.secondsToLoop = -1;
    xmp_end_player(context);
    xmp_release_module(context);
    xmp_free_context(context);
    return result;
}

void ExpectMusic(const Playback& playback) {
    ASSERT_TRUE(playback.loaded);
    EXPECT_GE(playback.secondsToLoop, 30.0) << "the song must play at least 30 s and then loop";
    EXPECT_LT(playback.secondsToLoop, 180.0);
    ASSERT_FALSE(playback.windowLevels.empty());
    for (size_t i = 0; i < playback.windowLevels.size(); ++i)
        EXPECT_GT(playback.windowLevels[i], 500.0) << "silent around second " << 2 * i;
}

}  // namespace

TEST(MusicModules, TitleMusicIsAFourChannelProTrackerModuleThatLoops) {
    Playback playback = PlayUntilLoop("music/14.mod");
    ExpectMusic(playback);
    EXPECT_EQ(playback.channels, 4);
    EXPECT_NE(playback.type.find("M.K."), std::string::npos) << playback.type;
}

TEST(MusicModules, PlayMusicIsAFastTrackerModuleThatLoops) {
    Playback playback = PlayUntilLoop("music/5.xm");
    ExpectMusic(playback);
    EXPECT_NE(playback.type.find("XM"), std::string::npos) << playback.type;
}

TEST(MusicModules, EndMusicIsAFastTrackerModuleThatLoops) {
    Playback playback = PlayUntilLoop("music/4.xm");
    ExpectMusic(playback);
    EXPECT_NE(playback.type.find("XM"), std::string::npos) << playback.type;
}
