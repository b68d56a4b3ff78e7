#pragma once

#include <cstdint>
#include <functional>
#include <vector>

// The animations the GIF model benchmarks play, written with giflib, and giflib's own decoding
// of them as the anchor.

using Bytes = std::vector<std::uint8_t>;

// `frames` frames on a width x height screen. Every tenth frame redraws the whole screen with
// dithered bands, the kind of picture that keeps LZW busy as real GIFs do; the others move a round
// sprite over it, leaving it in place, clearing it away or restoring what was under it, by turns.
Bytes spriteAnimation(int width, int height, int frames);

// `frames` full-screen frames, each a different pattern.
Bytes fullFrameAnimation(int width, int height, int frames);

// The anchor: giflib decodes the whole file (DGifSlurp), then each frame is composited (disposal,
// colour table, transparency) into RGBA and handed out as a bitmap of its own. False when giflib
// cannot read the file.
bool giflibDecodeAndComposite(const Bytes& gif, const std::function<void(std::vector<std::uint8_t>&&)>& consume);
