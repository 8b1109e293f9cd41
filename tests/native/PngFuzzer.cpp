// Feeds the decoder three ways: the input as it is; the input with its CRCs made right, so that
// mutations get past the CRC check into the parser and the image data; and, for inputs that do not
// start like a PNG, a well-formed file built around them, whose bytes become the scanlines, so that
// unfiltering and pixel conversion see every colour type, depth and interlace.
#include "tests/native/PngBuilder.h"
#include "ui/png/PngDecoder.h"

#include <algorithm>
#include <array>

namespace {

using namespace zt::png::testing;

void DecodeQuietly(std::span<const std::uint8_t> file) {
    try {
        const zt::png::Image image = zt::png::Decode(file);
        if (image.rgba.size() != std::size_t{image.width} * image.height * 4) {
            __builtin_trap();
        }
    } catch (const zt::png::DecodeError&) {
    }
}

Bytes BuildAround(std::span<const std::uint8_t> input) {
    struct Format {
        std::uint8_t colourType, bitDepth;
    };
    constexpr std::array<Format, 15> formats{{{0, 1},
                                              {0, 2},
                                              {0, 4},
                                              {0, 8},
                                              {0, 16},
                                              {2, 8},
                                              {2, 16},
                                              {3, 1},
                                              {3, 2},
                                              {3, 4},
                                              {3, 8},
                                              {4, 8},
                                              {4, 16},
                                              {6, 8},
                                              {6, 16}}};
    const Format format = formats[input[1] % formats.size()];
    const HeaderFields header{.width = 1u + input[2] % 64u,
                              .height = 1u + input[3] % 64u,
                              .bitDepth = format.bitDepth,
                              .colourType = format.colourType,
                              .interlace = static_cast<std::uint8_t>(input[4] & 1)};
    const std::span<const std::uint8_t> scanlines = input.subspan(5);
    std::vector<Bytes> chunks;
    std::size_t entries = 0;
    if (format.colourType == 3) {
        // Palettes shorter than the depth allows, so that indices can fall outside them.
        entries = 1 + (input[0] >> 2) % (std::size_t{1} << format.bitDepth);
        Bytes palette(entries * 3);
        for (std::size_t i = 0; i < palette.size(); ++i) {
            palette[i] = static_cast<std::uint8_t>(i * 37);
        }
        chunks.push_back(ChunkBytes("PLTE", palette));
    }
    if (input[0] & 2) {
        const Bytes transparency = format.colourType == 3
                                       ? Bytes(std::min<std::size_t>(input[1] % 8 + 1u, entries), 0x80)
                                   : format.colourType == 0 ? Bytes{0, 1}
                                                            : Bytes{0, 1, 0, 2, 0, 3};
        if (format.colourType == 0 || format.colourType == 2 || format.colourType == 3) {
            chunks.push_back(ChunkBytes("tRNS", transparency));
        }
    }
    chunks.push_back(ChunkBytes("IDAT", Compress(scanlines)));
    return MakePng(header, chunks);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> input(data, size);
    DecodeQuietly(input);
    Bytes withCrcs(input.begin(), input.end());
    FixCrcs(withCrcs);
    DecodeQuietly(withCrcs);
    if (size >= 5 && data[0] != 0x89) {
        DecodeQuietly(BuildAround(input));
    }
    return 0;
}
