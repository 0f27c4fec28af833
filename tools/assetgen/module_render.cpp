// A module rendered for the review sheet by libxmp, the game's own player.
#include <xmp.h>

#include "tools/assetgen/sound_overview.h"

namespace {

constexpr int kRenderRate = 22050;
constexpr int kBlockFrames = 1024;

}  // namespace

ReviewSound RenderModule(const std::string& name, const std::vector<unsigned char>& bytes, double maxSeconds) {
    ReviewSound sound;
    sound.name = name;
    sound.rate = kRenderRate;
    xmp_context player = xmp_create_context();
    if (xmp_load_module_from_memory(player, bytes.data(), long(bytes.size())) != 0) {
        xmp_free_context(player);
        return sound;
    }
    xmp_start_player(player, kRenderRate, 0);
    int16_t block[2 * kBlockFrames];
    xmp_frame_info info;
    size_t limit = size_t(maxSeconds * kRenderRate);
    while (sound.samples.size() < limit) {
        xmp_get_frame_info(player, &info);
        if (info.loop_count > 0 || xmp_play_buffer(player, block, sizeof block, 0) != 0) break;
        for (int i = 0; i < kBlockFrames; ++i) sound.samples.push_back((block[2 * i] + block[2 * i + 1]) / 65536.0f);
    }
    xmp_end_player(player);
    xmp_release_module(player);
    xmp_free_context(player);
    return sound;
}
