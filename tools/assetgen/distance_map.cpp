// Exact Euclidean distance transform: a lower envelope of parabolas along
// the columns, then along the rows.
#include "tools/assetgen/distance_map.h"

#include <cmath>

namespace {

constexpr double kFar = 1e10;  // squared distance standing for "no pixel of the set"

void TransformLine(const double* f, double* out, int n, std::vector<int>& v, std::vector<double>& z) {
    int k = 0;
    v[0] = 0;
    z[0] = -1e30;
    z[1] = 1e30;
    for (int q = 1; q < n; ++q) {
        double s;
        while (true) {
            int p = v[k];
            s = ((f[q] + double(q) * q) - (f[p] + double(p) * p)) / (2.0 * (q - p));
            if (s > z[k]) break;
            --k;
        }
        ++k;
        v[k] = q;
        z[k] = s;
        z[k + 1] = 1e30;
    }
    k = 0;
    for (int q = 0; q < n; ++q) {
        while (z[k + 1] < q) ++k;
        double d = q - v[k];
        out[q] = d * d + f[v[k]];
    }
}

}  // namespace

std::vector<float> DistanceToSet(const std::vector<uint8_t>& inSet, int width, int height) {
    std::vector<double> grid(size_t(width) * height);
    for (size_t i = 0; i < grid.size(); ++i) grid[i] = inSet[i] ? 0 : kFar;
    int longest = width > height ? width : height;
    std::vector<double> in(longest), out(longest), z(longest + 1);
    std::vector<int> v(longest);
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y) in[y] = grid[size_t(y) * width + x];
        TransformLine(in.data(), out.data(), height, v, z);
        for (int y = 0; y < height; ++y) grid[size_t(y) * width + x] = out[y];
    }
    for (int y = 0; y < height; ++y) {
        double* row = grid.data() + size_t(y) * width;
        for (int x = 0; x < width; ++x) in[x] = row[x];
        TransformLine(in.data(), out.data(), width, v, z);
        for (int x = 0; x < width; ++x) row[x] = out[x];
    }
    std::vector<float> distances(grid.size());
    for (size_t i = 0; i < grid.size(); ++i) distances[i] = float(std::sqrt(grid[i]));
    return distances;
}
