// Each maze background agrees with its layout's wall data: the centre line
// of every open segment between neighbouring crossings is corridor, every
// closed side of a reachable crossing shows wall right beyond the corridor,
// the tunnel is open where the data opens it, and the captions and status
// texts sit on wall. Pixels are told apart by the theme's corridor colour.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "board/maze.h"
#include "tests/support/asset_reading.h"
#include "tools/assetgen/maze_art.h"
#include "tools/assetgen/maze_geometry.h"

namespace {

constexpr int kWallProbe = 22;  // pixels from a crossing's centre: just beyond its corridor

class Background {
public:
    explicit Background(int layout) : layout_(layout) {
        std::string path = "graph/gulpmaze" + std::to_string(layout) + ".jpg";
        loaded_ = ReadJpeg(path.c_str(), picture_);
        Colour f = ThemeOfLayout(layout).floor;
        floor_ = {int(f.r), int(f.g), int(f.b)};
    }
    bool Loaded() const { return loaded_ && picture_.width == 1024 && picture_.height == 768; }
    // corridor colour within the tolerance of JPEG noise and the floor's shading
    bool IsFloor(int x, int y) const {
        Rgb p = picture_.At(x, y);
        return std::abs(p.r - floor_.r) <= 28 && std::abs(p.g - floor_.g) <= 28 && std::abs(p.b - floor_.b) <= 28;
    }
    int Walls(int row, int column) const { return kMazeLayouts[layout_][row][column - 1] <= '9'
                                                      ? kMazeLayouts[layout_][row][column - 1] - '0'
                                                      : kMazeLayouts[layout_][row][column - 1] - 'A' + 10; }
    const RgbPicture& Picture() const { return picture_; }

private:
    int layout_;
    bool loaded_;
    RgbPicture picture_;
    Rgb floor_;
};

// non-corridor pixels on the straight line between two points (inclusive)
std::vector<int> WallPixelsAlong(const Background& bg, int x0, int y0, int x1, int y1) {
    std::vector<int> offsets;
    int n = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
    for (int i = 0; i <= n; ++i) {
        int x = x0 + (x1 - x0) * i / std::max(n, 1), y = y0 + (y1 - y0) * i / std::max(n, 1);
        if (x >= 0 && x < 1024 && !bg.IsFloor(x, y)) offsets.push_back(i);
    }
    return offsets;
}

void ExpectOpenSegment(const Background& bg, int layout, int x0, int y0, int x1, int y1, bool oneWay) {
    std::vector<int> wall = WallPixelsAlong(bg, x0, y0, x1, y1);
    if (!oneWay) {
        EXPECT_TRUE(wall.empty()) << "layout " << layout << ": wall on the open segment (" << x0 << "," << y0
                                  << ")-(" << x1 << "," << y1 << ") at step " << wall.front();
        return;
    }
    // a one-way step shows a door: one short run across the corridor
    ASSERT_FALSE(wall.empty()) << "layout " << layout << ": no door on the one-way step at x " << x0;
    EXPECT_LE(wall.back() - wall.front(), 8) << "layout " << layout << ": door too thick at x " << x0;
    EXPECT_EQ(int(wall.size()), wall.back() - wall.front() + 1);
}

void ExpectWallBeyond(const Background& bg, int layout, int x, int y, int dx, int dy) {
    int px = x + dx * kWallProbe, py = y + dy * kWallProbe;
    EXPECT_FALSE(bg.IsFloor(px, py)) << "layout " << layout << ": no wall beyond the crossing (" << x << "," << y
                                     << ") towards (" << dx << "," << dy << ")";
}

PixelRect StatusTextArea(int x, int y, int width) { return {x, y, x + width, y + 24}; }

int GlyphWidth(char c) {
    RgbPicture glyph;
    int id = c >= 'A' ? 610 + c - 'A' : 600 + c - '0';
    std::string path = "font/" + std::to_string(id) + ".bmp";
    return ReadBmp24(path.c_str(), glyph) ? glyph.width : 0;
}

int TextWidth(const std::string& text) {
    int width = 0;
    for (char c : text) width += c == ' ' ? 28 : GlyphWidth(c) + 1;
    return width;
}

void ExpectAllWall(const Background& bg, int layout, PixelRect r, const std::string& what) {
    int floor = 0, fx = 0, fy = 0;
    for (int y = r.y0; y < r.y1; ++y) {
        for (int x = r.x0; x < r.x1; ++x) {
            if (!bg.IsFloor(x, y)) continue;
            if (!floor++) fx = x, fy = y;
        }
    }
    EXPECT_EQ(floor, 0) << "layout " << layout << ": " << what << " is not on wall at (" << fx << "," << fy << ")";
}

}  // namespace

TEST(MazeBackgrounds, OpenSegmentsAreCorridorsAlongTheirCentreLines) {
    for (int layout = 1; layout <= kLayoutCount; ++layout) {
        Background bg(layout);
        ASSERT_TRUE(bg.Loaded()) << layout;
        for (int row = 1; row <= 10; ++row) {
            for (int column = 1; column <= 14; ++column) {
                int x = kColumnX[column], y = kRowY[row], walls = bg.Walls(row, column);
                if (column < 14 && (!(walls & 1) || !(bg.Walls(row, column + 1) & 2)))
                    ExpectOpenSegment(bg, layout, x, y, kColumnX[column + 1], y, false);
                if (row < 10) {
                    bool down = !(walls & 8), up = !(bg.Walls(row + 1, column) & 4);
                    if (down || up) ExpectOpenSegment(bg, layout, x, y, x, kRowY[row + 1], down != up);
                }
            }
        }
    }
}

TEST(MazeBackgrounds, ClosedSidesShowWallBeyondTheCorridor) {
    for (int layout = 1; layout <= kLayoutCount; ++layout) {
        Background bg(layout);
        ASSERT_TRUE(bg.Loaded()) << layout;
        for (int row = 1; row <= 10; ++row) {
            for (int column = 1; column <= 14; ++column) {
                int x = kColumnX[column], y = kRowY[row], walls = bg.Walls(row, column);
                if (walls == 15) continue;  // a solid block: nobody stands there
                if (walls & 1) ExpectWallBeyond(bg, layout, x, y, 1, 0);
                if (walls & 2) ExpectWallBeyond(bg, layout, x, y, -1, 0);
                if ((walls & 4) && (row == 1 || (bg.Walls(row - 1, column) & 8))) ExpectWallBeyond(bg, layout, x, y, 0, -1);
                if ((walls & 8) && (row == 10 || (bg.Walls(row + 1, column) & 4))) ExpectWallBeyond(bg, layout, x, y, 0, 1);
            }
        }
    }
}

TEST(MazeBackgrounds, TheTunnelIsOpenToTheScreenEdgesOnlyWhereTheDataOpensIt) {
    for (int layout = 1; layout <= kLayoutCount; ++layout) {
        Background bg(layout);
        ASSERT_TRUE(bg.Loaded()) << layout;
        bool tunnel = layout != 3 && layout != 8;
        EXPECT_EQ(!(bg.Walls(5, 1) & 2), tunnel);
        EXPECT_EQ(WallPixelsAlong(bg, 0, 384, 84, 384).empty(), tunnel) << layout;
        EXPECT_EQ(WallPixelsAlong(bg, 936, 384, 1023, 384).empty(), tunnel) << layout;
    }
}

TEST(MazeBackgrounds, ThePenIsACorridorClosedBelowAndDooredAbove) {
    for (int layout = 1; layout <= kLayoutCount; ++layout) {
        Background bg(layout);
        ASSERT_TRUE(bg.Loaded()) << layout;
        EXPECT_TRUE(WallPixelsAlong(bg, 480, 468, 588, 468).empty()) << layout;
        for (int x : {480, 540, 588}) ExpectWallBeyond(bg, layout, x, 468, 0, 1);
        ExpectWallBeyond(bg, layout, 480, 468, -1, 0);
        ExpectWallBeyond(bg, layout, 588, 468, 1, 0);
    }
}

TEST(MazeBackgrounds, CaptionsAndStatusTextsLieOnWall) {
    const std::string widest[4] = {"5", "999999", "5", "NIV 30"};
    const int at[4][2] = {{380, 235}, {467, 125}, {113, 475}, {870, 437}};
    for (int layout = 1; layout <= kLayoutCount; ++layout) {
        Background bg(layout);
        ASSERT_TRUE(bg.Loaded()) << layout;
        for (const Caption& caption : StatusCaptions()) ExpectAllWall(bg, layout, caption.area, caption.text);
        for (int i = 0; i < 4; ++i)
            ExpectAllWall(bg, layout, StatusTextArea(at[i][0], at[i][1], TextWidth(widest[i])), "status " + widest[i]);
    }
}

TEST(MazeBackgrounds, EachLayoutHasItsOwnColours) {
    std::vector<Rgb> means;
    for (int layout = 1; layout <= kLayoutCount; ++layout) {
        Background bg(layout);
        ASSERT_TRUE(bg.Loaded()) << layout;
        long sum[3] = {0, 0, 0}, count = 0;
        for (int y = 0; y < 768; y += 4) {
            for (int x = 0; x < 1024; x += 4) {
                if (bg.IsFloor(x, y)) continue;
                Rgb p = bg.Picture().At(x, y);
                sum[0] += p.r, sum[1] += p.g, sum[2] += p.b, ++count;
            }
        }
        means.push_back({int(sum[0] / count), int(sum[1] / count), int(sum[2] / count)});
    }
    for (size_t a = 0; a < means.size(); ++a) {
        for (size_t b = a + 1; b < means.size(); ++b) {
            int d = std::abs(means[a].r - means[b].r) + std::abs(means[a].g - means[b].g) + std::abs(means[a].b - means[b].b);
            EXPECT_GT(d, 24) << "layouts " << a + 1 << " and " << b + 1 << " look alike";
        }
    }
}
