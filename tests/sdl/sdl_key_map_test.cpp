// The key map from SDL scancodes to the game's PC scan codes: every key the
// game reads, whole key blocks in scan-set order, and no SDL key twice.
#include "input/input.h"
#include "platform/sdl/sdl_key_map.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

std::map<SDL_Scancode, int> MapAsDictionary() {
    std::map<SDL_Scancode, int> dictionary;
    for (const KeyMapping& mapping : KeyMap()) {
        EXPECT_TRUE(dictionary.emplace(mapping.sdl, mapping.code).second)
            << SDL_GetScancodeName(mapping.sdl) << " is mapped twice";
    }
    return dictionary;
}

int CodeOf(SDL_Scancode scancode) {
    static const std::map<SDL_Scancode, int> dictionary = MapAsDictionary();
    auto found = dictionary.find(scancode);
    return found == dictionary.end() ? -1 : found->second;
}

TEST(KeyMap, TheKeysTheGameReadsHaveTheirCodes) {
    EXPECT_EQ(CodeOf(SDL_SCANCODE_ESCAPE), kKeyEscape);
    EXPECT_EQ(CodeOf(SDL_SCANCODE_SPACE), kKeySpace);
    EXPECT_EQ(CodeOf(SDL_SCANCODE_F1), kKeyF1);
    EXPECT_EQ(CodeOf(SDL_SCANCODE_F2), kKeyF2);
    EXPECT_EQ(CodeOf(SDL_SCANCODE_F3), kKeyF3);
    EXPECT_EQ(CodeOf(SDL_SCANCODE_F10), kKeyF10);
    EXPECT_EQ(CodeOf(SDL_SCANCODE_F11), kKeyF11);
    EXPECT_EQ(CodeOf(SDL_SCANCODE_F12), kKeyF12);
    EXPECT_EQ(CodeOf(SDL_SCANCODE_UP), kKeyUp);
    EXPECT_EQ(CodeOf(SDL_SCANCODE_LEFT), kKeyLeft);
    EXPECT_EQ(CodeOf(SDL_SCANCODE_RIGHT), kKeyRight);
    EXPECT_EQ(CodeOf(SDL_SCANCODE_DOWN), kKeyDown);
}

// Runs of keys whose codes follow each other in the PC scan set.
void ExpectRun(std::initializer_list<SDL_Scancode> keys, int firstCode) {
    int code = firstCode;
    for (SDL_Scancode key : keys) EXPECT_EQ(CodeOf(key), code++) << SDL_GetScancodeName(key);
}

TEST(KeyMap, LettersDigitsAndFunctionKeysFollowTheScanSet) {
    ExpectRun({SDL_SCANCODE_1, SDL_SCANCODE_2, SDL_SCANCODE_3, SDL_SCANCODE_4, SDL_SCANCODE_5, SDL_SCANCODE_6,
               SDL_SCANCODE_7, SDL_SCANCODE_8, SDL_SCANCODE_9, SDL_SCANCODE_0},
              0x02);
    ExpectRun({SDL_SCANCODE_Q, SDL_SCANCODE_W, SDL_SCANCODE_E, SDL_SCANCODE_R, SDL_SCANCODE_T, SDL_SCANCODE_Y,
               SDL_SCANCODE_U, SDL_SCANCODE_I, SDL_SCANCODE_O, SDL_SCANCODE_P},
              0x10);
    ExpectRun({SDL_SCANCODE_A, SDL_SCANCODE_S, SDL_SCANCODE_D, SDL_SCANCODE_F, SDL_SCANCODE_G, SDL_SCANCODE_H,
               SDL_SCANCODE_J, SDL_SCANCODE_K, SDL_SCANCODE_L},
              0x1E);
    ExpectRun({SDL_SCANCODE_Z, SDL_SCANCODE_X, SDL_SCANCODE_C, SDL_SCANCODE_V, SDL_SCANCODE_B, SDL_SCANCODE_N,
               SDL_SCANCODE_M},
              0x2C);
    ExpectRun({SDL_SCANCODE_F1, SDL_SCANCODE_F2, SDL_SCANCODE_F3, SDL_SCANCODE_F4, SDL_SCANCODE_F5, SDL_SCANCODE_F6,
               SDL_SCANCODE_F7, SDL_SCANCODE_F8, SDL_SCANCODE_F9, SDL_SCANCODE_F10},
              0x3B);
    ExpectRun({SDL_SCANCODE_F11, SDL_SCANCODE_F12}, 0x57);
    ExpectRun({SDL_SCANCODE_F13, SDL_SCANCODE_F14, SDL_SCANCODE_F15}, 0x64);
    ExpectRun({SDL_SCANCODE_KP_7, SDL_SCANCODE_KP_8, SDL_SCANCODE_KP_9, SDL_SCANCODE_KP_MINUS, SDL_SCANCODE_KP_4,
               SDL_SCANCODE_KP_5, SDL_SCANCODE_KP_6, SDL_SCANCODE_KP_PLUS, SDL_SCANCODE_KP_1, SDL_SCANCODE_KP_2,
               SDL_SCANCODE_KP_3, SDL_SCANCODE_KP_0, SDL_SCANCODE_KP_PERIOD},
              0x47);
}

TEST(KeyMap, TheNavigationBlockHasTheExtendedCodes) {
    ExpectRun({SDL_SCANCODE_HOME, SDL_SCANCODE_UP, SDL_SCANCODE_PAGEUP}, 0xC7);
    EXPECT_EQ(CodeOf(SDL_SCANCODE_END), 0xCF);
    ExpectRun({SDL_SCANCODE_DOWN, SDL_SCANCODE_PAGEDOWN, SDL_SCANCODE_INSERT, SDL_SCANCODE_DELETE}, 0xD0);
    EXPECT_EQ(CodeOf(SDL_SCANCODE_KP_ENTER), 0x9C);
    EXPECT_EQ(CodeOf(SDL_SCANCODE_RCTRL), 0x9D);
    EXPECT_EQ(CodeOf(SDL_SCANCODE_KP_DIVIDE), 0xB5);
    EXPECT_EQ(CodeOf(SDL_SCANCODE_RALT), 0xB8);
}

TEST(KeyMap, ModifiersTellLeftFromRight) {
    std::set<int> codes;
    for (SDL_Scancode key : {SDL_SCANCODE_LSHIFT, SDL_SCANCODE_RSHIFT, SDL_SCANCODE_LCTRL, SDL_SCANCODE_RCTRL,
                             SDL_SCANCODE_LALT, SDL_SCANCODE_RALT, SDL_SCANCODE_LGUI, SDL_SCANCODE_RGUI}) {
        int code = CodeOf(key);
        EXPECT_GT(code, 0) << SDL_GetScancodeName(key);
        codes.insert(code);
    }
    EXPECT_EQ(codes.size(), 8u);
}

TEST(KeyMap, CodesAreSharedOnlyByNamesOfOneKey) {
    std::map<int, std::vector<SDL_Scancode>> byCode;
    for (const KeyMapping& mapping : KeyMap()) {
        EXPECT_GT(mapping.code, 0);
        EXPECT_NE(mapping.code, 0xFF);
        byCode[mapping.code].push_back(mapping.sdl);
    }
    for (const auto& [code, keys] : byCode) {
        if (keys.size() == 1) continue;
        EXPECT_TRUE(code == 0x2B || code == 0xA0) << "code " << code << " shared by " << keys.size() << " keys";
    }
    EXPECT_GE(byCode.size(), 100u) << "the whole keyboard is mapped";
}

}  // namespace
