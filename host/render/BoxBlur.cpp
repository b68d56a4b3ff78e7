#include "host/render/BoxBlur.h"

#include <algorithm>
#include <vector>

namespace {

// One box pass over `count` pixels `step` apart, read from `in` and written side by side to `out`, with a
// running sum per channel so that the cost does not grow with the radius.
void boxPass(const std::uint32_t* in, std::uint32_t* out, int count, int step, int radius)
{
    long window = 2L * radius + 1;
    long sums[4] = { 0, 0, 0, 0 };
    auto at = [&](long i) { return in[std::clamp(i, 0L, long(count) - 1) * step]; };
    auto add = [&](std::uint32_t p, long sign) {
        for (int c = 0; c < 4; ++c)
            sums[c] += sign * long((p >> (8 * c)) & 0xFF);
    };
    for (long i = -radius; i <= radius; ++i)
        add(at(i), 1);
    for (long i = 0; i < count; ++i) {
        std::uint32_t p = 0;
        for (int c = 0; c < 4; ++c)
            p |= std::uint32_t((sums[c] + window / 2) / window) << (8 * c);
        out[i] = p;
        add(at(i - radius), -1);
        add(at(i + radius + 1), 1);
    }
}

}

void boxBlur(std::uint32_t* pixels, int width, int height, int stride, int radius)
{
    if (radius <= 0 || width <= 0 || height <= 0)
        return;
    // Three passes of a box a third as wide give about the spread of the requested radius.
    int box = std::max(1, radius / 3);
    std::vector<std::uint32_t> line(static_cast<size_t>(std::max(width, height)));
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < height; ++y) {
            std::uint32_t* row = pixels + static_cast<size_t>(y) * stride;
            boxPass(row, line.data(), width, 1, box);
            std::copy(line.begin(), line.begin() + width, row);
        }
        for (int x = 0; x < width; ++x) {
            boxPass(pixels + x, line.data(), height, stride, box);
            for (int y = 0; y < height; ++y)
                pixels[static_cast<size_t>(y) * stride + x] = line[static_cast<size_t>(y)];
        }
    }
}
