#include <gtest/gtest.h>

#include "GifFixtures.h"
#include "host/imageio/CGImageSource.h"
#include "host/imageio/UniformType.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// "GIF89a", a logical screen of the given size with a global table of four colours (red,
// green, blue, white).
Bytes header(std::uint8_t width, std::uint8_t height)
{
    return { 'G', 'I', 'F', '8', '9', 'a', width, 0, height, 0, 0x81, 0, 0, //
        255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255 };
}

// An image descriptor at (0, 0) of the given size using the global table, and LZW code size 2.
Bytes descriptor(std::uint8_t width, std::uint8_t height)
{
    return { 0x2C, 0, 0, 0, 0, width, 0, height, 0, 0, 2 };
}

void append(Bytes& bytes, const Bytes& more)
{
    bytes.insert(bytes.end(), more.begin(), more.end());
}

// Removes the global colour table from a file written with one.
Bytes withoutGlobalColorTable(Bytes bytes)
{
    std::size_t entries = 2u << (bytes[10] & 7);
    bytes[10] &= 0x7F;
    bytes.erase(bytes.begin() + 13, bytes.begin() + 13 + 3 * entries);
    return bytes;
}

}

TEST(ImageSourceBadInput, OutOfRangeCodesEndTheFrameWhereTheyOccur)
{
    Bytes gif = header(1, 2);
    // Frame 0, red in both rows. Three-bit codes, least significant bit first:
    // clear (4), 0, 0, end (5).
    append(gif, descriptor(1, 2));
    append(gif, { 2, 0x04, 0x0A, 0 });
    // Frame 1: clear, 1 (green) for the first row, then clear and code 7, which no table holds.
    append(gif, descriptor(1, 2));
    append(gif, { 2, 0x0C, 0x0F, 0 });
    // Frame 2: code 7 straight after the clear code, so not a single pixel decodes.
    append(gif, descriptor(1, 2));
    append(gif, { 1, 0x3C, 0 });
    // Frame 3: a blue pixel in the second row; clear, 2, end.
    append(gif, { 0x2C, 0, 0, 1, 0, 1, 0, 1, 0, 0, 2, 2, 0x54, 0x01, 0, 0x3B });

    auto source = CGImageSource::create(gif);
    ASSERT_EQ(source->count(), 4u);
    // Asked for first, frame 1 looks as if it covered the whole screen; it does not, so the red
    // frame below still shows through.
    EXPECT_EQ(pictureAt(*source, 1), (Picture { "G", "R" }));
    EXPECT_EQ(pictureAt(*source, 0), (Picture { "R", "R" }));
    EXPECT_EQ(pictureAt(*source, 2), (Picture { "no image" }));
    EXPECT_EQ(pictureAt(*source, 3), (Picture { "G", "B" }));
}

TEST(ImageSourceBadInput, FramesWithoutUsableDataAreDroppedAlone)
{
    Bytes gif = header(2, 1);
    // A green pixel at (0, 0): clear, 1, end.
    append(gif, { 0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 0x4C, 0x01, 0 });
    // A frame with LZW code size 0 and one with 12: neither can be decoded.
    append(gif, { 0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 2, 0x44, 0x01, 0 });
    append(gif, { 0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0, 12, 2, 0x44, 0x01, 0 });
    // Frames of zero width and of zero height have nothing to decode, and show the screen as
    // it stands.
    append(gif, { 0x2C, 0, 0, 0, 0, 0, 0, 1, 0, 0, 2, 2, 0x44, 0x01, 0 });
    append(gif, { 0x2C, 0, 0, 0, 0, 1, 0, 0, 0, 0, 2, 1, 0x05, 0 });
    // A red pixel at (1, 0): clear, 0, end.
    append(gif, { 0x2C, 1, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 0x44, 0x01, 0, 0x3B });
    auto source = CGImageSource::create(gif);
    ASSERT_EQ(source->count(), 6u);
    for (std::size_t i : { 1, 2 })
        EXPECT_FALSE(source->createImageAtIndex(i)) << i;
    EXPECT_EQ(pictureAt(*source, 3), (Picture { "G." }));
    EXPECT_EQ(pictureAt(*source, 4), (Picture { "G." }));
    EXPECT_EQ(pictureAt(*source, 5), (Picture { "GR" }));
}

TEST(ImageSourceBadInput, FramesWithoutAnyColorTableAreDropped)
{
    TestFrame local = solidFrame(0, 0, 1, 1, 0);
    local.localColors = { { 0, 0, 255 } };
    TestGif gif { 2, 1, kTestColors, std::nullopt, { solidFrame(1, 0, 1, 1, Green), local } };
    auto source = CGImageSource::create(withoutGlobalColorTable(writeGif(gif)));
    ASSERT_EQ(source->count(), 2u);
    EXPECT_FALSE(source->properties().gif->hasGlobalColorMap);
    EXPECT_FALSE(source->createImageAtIndex(0));
    EXPECT_EQ(pictureAt(*source, 1), (Picture { "B." }));
}

TEST(ImageSourceBadInput, IndicesBeyondTheColorTableDrawNothing)
{
    // Four colours are written and the table then cut to two, while the second frame's data
    // still uses all four indices. The background and transparent indices point far beyond
    // the table.
    TestFrame first = solidFrame(0, 0, 4, 1, Red);
    first.transparentIndex = 200;
    TestFrame second = solidFrame(0, 0, 4, 1, 0);
    second.indices = { Red, Green, Blue, White };
    TestGif gif { 4, 1, kTestColors, std::nullopt, { first, second } };
    Bytes bytes = writeGif(gif);
    bytes[10] &= ~7;
    bytes[11] = 250;
    bytes.erase(bytes.begin() + 13 + 6, bytes.begin() + 13 + 12);
    auto source = CGImageSource::create(bytes);
    ASSERT_EQ(source->count(), 2u);
    // Asked for first: the second frame covers the screen but leaves two pixels undrawn.
    EXPECT_EQ(pictureAt(*source, 1), (Picture { "RGRR" }));
    EXPECT_EQ(pictureAt(*source, 0), (Picture { "RRRR" }));
}

TEST(ImageSourceBadInput, FramesAreClippedToTheLogicalScreen)
{
    // Interlacing delivers row 8, far below the screen, before row 1, which is on it.
    TestFrame interlaced = solidFrame(0, 1, 2, 9, Blue);
    interlaced.interlaced = true;
    for (int x = 0; x < 2; ++x)
        interlaced.indices[8 * 2 + x] = Green;
    TestGif gif { 3, 3, kTestColors, std::nullopt,
        { solidFrame(1, 1, 5, 5, Red), interlaced, solidFrame(3, 0, 2, 2, White), solidFrame(40, 40, 2, 2, Green) } };
    auto source = CGImageSource::create(writeGif(gif));
    ASSERT_EQ(source->count(), 4u);
    std::vector<Picture> expected = expectedPictures(gif);
    EXPECT_EQ(expected[1], (Picture { "...", "BBR", "BBR" }));
    // Frames entirely off the screen are valid and change nothing.
    EXPECT_EQ(expected[3], expected[1]);
    for (std::size_t i : { 3, 1, 0, 2 })
        EXPECT_EQ(pictureAt(*source, i), expected[i]) << i;
}

TEST(ImageSourceBadInput, EmptyOrOversizedScreensGiveNoImages)
{
    struct Case {
        int width, height;
        std::size_t maximumBytes;
    } cases[] = {
        { 0, 4, CGBitmapContext::maximumBytes },
        { 4, 0, CGBitmapContext::maximumBytes },
        { 65535, 65535, CGBitmapContext::maximumBytes },
        // Four pixels of four bytes are one byte too many here.
        { 2, 2, 15 },
    };
    for (const Case& c : cases) {
        TestGif gif { c.width, c.height, kTestColors, 0, { solidFrame(0, 0, 1, 1, Red) } };
        auto source = CGImageSource::create(writeGif(gif), c.maximumBytes);
        // The structure is still reported; only pixels are refused.
        ASSERT_EQ(source->count(), 1u) << c.width << "x" << c.height;
        EXPECT_EQ(source->properties().gif->canvasPixelWidth, std::uint32_t(c.width));
        EXPECT_TRUE(source->propertiesAtIndex(0));
        EXPECT_FALSE(source->createImageAtIndex(0)) << c.width << "x" << c.height;
    }
}

TEST(ImageSourceBadInput, FilesWithoutImagesHaveNone)
{
    Bytes onlyHeader = header(2, 2);
    Bytes extensionsOnly = onlyHeader;
    // A comment extension, then a graphic control extension with no image after it.
    append(extensionsOnly, { 0x21, 0xFE, 3, 'h', 'e', 'y', 0, 0x21, 0xF9, 4, 0, 10, 0, 0, 0, 0x3B });
    Bytes strayByte = onlyHeader;
    append(strayByte, { 0x00, 0x2C });
    Bytes cutHeader(onlyHeader.begin(), onlyHeader.begin() + 20);
    for (const Bytes& bytes : { onlyHeader, extensionsOnly, strayByte, cutHeader }) {
        auto source = CGImageSource::create(bytes);
        ASSERT_TRUE(source);
        EXPECT_EQ(source->type(), kUTTypeGIF);
        EXPECT_EQ(source->count(), 0u);
        EXPECT_FALSE(source->createImageAtIndex(0));
    }
}

TEST(ImageSourceBadInput, TruncatedFilesKeepWhatArrived)
{
    // A red frame, then a frame of noise that compresses badly, so its data spans many rows.
    TestFrame noise = solidFrame(0, 0, 16, 16, 0);
    std::uint32_t state = 12345;
    for (auto& index : noise.indices)
        index = (state = state * 1103515245 + 12345) >> 30;
    TestGif gif { 16, 16, kTestColors, 0, { solidFrame(0, 0, 16, 16, Red), noise } };
    Bytes bytes = writeGif(gif);
    auto whole = CGImageSource::create(bytes);
    Picture complete = pictureAt(*whole, 1);

    std::size_t previousCount = 0;
    for (std::size_t length = 1; length < bytes.size(); ++length) {
        auto source = CGImageSource::create(std::span(bytes.data(), length));
        ASSERT_TRUE(source);
        EXPECT_GE(source->count(), previousCount);
        previousCount = source->count();
        for (std::size_t i = 0; i < source->count(); ++i)
            source->createImageAtIndex(i);
    }
    EXPECT_EQ(previousCount, 2u);

    // Cut just before the terminating block: every pixel arrived, though the data never ends.
    auto unterminated = CGImageSource::create(std::span(bytes.data(), bytes.size() - 2));
    EXPECT_EQ(pictureAt(*unterminated, 1), complete);

    // Cut halfway through the second frame's data: its first rows arrived, the last did not.
    auto half = CGImageSource::create(std::span(bytes.data(), bytes.size() - 60));
    ASSERT_EQ(half->count(), 2u);
    Picture partial = pictureAt(*half, 1);
    ASSERT_EQ(partial.size(), 16u);
    EXPECT_EQ(partial.front(), complete.front());
    EXPECT_EQ(partial.back(), std::string(16, 'R'));
}

TEST(ImageSourceBadInput, ManyThousandsOfFramesAreIndexedNotDecoded)
{
    Bytes gif = header(1, 1);
    constexpr std::size_t frames = 30000;
    for (std::size_t i = 0; i < frames; ++i) {
        // A graphic control extension with delay 0 and, every other frame, a green pixel
        // instead of a red one (clear, 0 or 1, end).
        append(gif, { 0x21, 0xF9, 4, 0, 0, 0, 0, 0 });
        append(gif, descriptor(1, 1));
        append(gif, { 2, std::uint8_t(i % 2 ? 0x4C : 0x44), 0x01, 0 });
    }
    gif.push_back(0x3B);
    auto source = CGImageSource::create(gif);
    ASSERT_EQ(source->count(), frames);
    EXPECT_EQ(source->propertiesAtIndex(frames - 1)->unclampedDelayTime, 0.0);
    EXPECT_EQ(pictureAt(*source, frames - 1), (Picture { "G" }));
    EXPECT_EQ(pictureAt(*source, frames - 2), (Picture { "R" }));
}
