#include "ui/png/PngDecoder.h"

#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include <zlib.h>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ReadFixture(const std::string& name) {
    std::ifstream in(std::string(ZT_PNG_FIXTURES) + "/" + name, std::ios::binary);
    Bytes bytes(std::istreambuf_iterator<char>(in), {});
    if (bytes.empty()) {
        throw std::runtime_error("missing fixture " + name);
    }
    return bytes;
}

// expected.txt holds, per picture, its size and the CRC-32 of ImageMagick's RGBA decoding of it.
TEST(PngDecoder, DecodesEveryFixtureAsImageMagickDoes) {
    std::ifstream list(std::string(ZT_PNG_FIXTURES) + "/expected.txt");
    std::string line;
    int checked = 0;
    while (std::getline(list, line)) {
        std::istringstream fields(line);
        std::string name;
        std::uint32_t width = 0, height = 0;
        std::string crcText;
        ASSERT_TRUE(fields >> name >> width >> height >> crcText) << line;
        SCOPED_TRACE(name);
        const zt::png::Image image = zt::png::Decode(ReadFixture(name));
        EXPECT_EQ(image.width, width);
        EXPECT_EQ(image.height, height);
        ASSERT_EQ(image.rgba.size(), std::size_t{width} * height * 4);
        const auto crc = crc32(0, image.rgba.data(), static_cast<uInt>(image.rgba.size()));
        EXPECT_EQ(crc, std::stoul(crcText, nullptr, 16));
        ++checked;
    }
    EXPECT_GE(checked, 50) << "expected.txt was not read in full";
}

TEST(PngDecoder, KeepsColourUnderTransparencyAndHalfAlpha) {
    using Pixel = std::array<std::uint8_t, 4>;
    const auto at = [](const zt::png::Image& image, std::uint32_t x, std::uint32_t y) {
        const auto pixel = image.Pixel(x, y);
        return Pixel{pixel[0], pixel[1], pixel[2], pixel[3]};
    };
    const zt::png::Image logo = zt::png::Decode(ReadFixture("rgba-8-183x60.png"));
    ASSERT_EQ(logo.width, 183u);
    ASSERT_EQ(logo.height, 60u);
    EXPECT_EQ(at(logo, 0, 0), (Pixel{228, 233, 245, 0}));
    EXPECT_EQ(at(logo, 182, 0), (Pixel{255, 255, 240, 255}));

    EXPECT_EQ(at(zt::png::Decode(ReadFixture("rgb-8-trns.png")), 6, 6), (Pixel{51, 102, 153, 0}));
    EXPECT_EQ(at(zt::png::Decode(ReadFixture("rgba-8-1x1-adam7.png")), 0, 0), (Pixel{200, 100, 50, 127}));
}

TEST(PngDecoder, RefusesACutFileWithDecodeError) {
    Bytes file = ReadFixture("rgba-8-183x60.png");
    file.resize(file.size() / 2);
    try {
        zt::png::Decode(file);
        FAIL() << "a file cut in half was decoded";
    } catch (const zt::png::DecodeError& error) {
        EXPECT_STREQ(error.what(), "invalid PNG: file ends inside a chunk");
    }
}

} // namespace
