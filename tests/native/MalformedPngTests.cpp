// Faulty input must end in DecodeError with a message that names the fault: never a crash, a hang or
// a read outside the input (these tests run under the address and undefined-behaviour sanitisers).
#include "tests/native/PngBuilder.h"
#include "ui/png/PngDecoder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

namespace {

using namespace zt::png::testing;
using zt::png::DecodeError;

Bytes ReadFixture(const char* name) {
    std::ifstream in(std::filesystem::path(ZT_PNG_FIXTURES) / name, std::ios::binary);
    Bytes bytes(std::istreambuf_iterator<char>(in), {});
    if (bytes.empty()) {
        throw std::runtime_error(std::string("missing fixture ") + name);
    }
    return bytes;
}

std::string DecodeFailure(std::span<const std::uint8_t> file) {
    try {
        zt::png::Decode(file);
    } catch (const DecodeError& error) {
        return error.what();
    }
    return "(decoded)";
}

// 2 x 2 RGBA, every row filtered with `filter`.
Bytes Scanlines(std::uint8_t filter = 0) {
    return {filter, 1, 2, 3, 4, 5, 6, 7, 8, filter, 9, 10, 11, 12, 13, 14, 15, 16};
}
const HeaderFields kTwoByTwo{.width = 2, .height = 2};

Bytes Idat(std::span<const std::uint8_t> compressed) {
    return ChunkBytes("IDAT", compressed);
}
Bytes Png(const HeaderFields& header, std::initializer_list<Bytes> chunks) {
    return MakePng(header, std::span<const Bytes>(chunks.begin(), chunks.size()));
}
Bytes WithHeader(HeaderFields header) {
    return MakeSimplePng(header, Scanlines());
}

struct Case {
    const char* name;
    std::function<Bytes()> make;
    const char* message;
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

class Malformed : public ::testing::TestWithParam<Case> {};

TEST_P(Malformed, RaisesDecodeErrorNamingTheFault) {
    const Bytes file = GetParam().make();
    EXPECT_EQ(DecodeFailure(file), std::string("invalid PNG: ") + GetParam().message);
}

Bytes Corrupt(Bytes file, std::size_t at) {
    file[at] ^= 0x40;
    return file;
}
Bytes Patched(Bytes file, std::size_t at, std::initializer_list<std::uint8_t> bytes) {
    std::copy(bytes.begin(), bytes.end(), file.begin() + static_cast<std::ptrdiff_t>(at));
    FixCrcs(file);
    return file;
}
Bytes Truncated(Bytes file, std::size_t drop) {
    file.resize(file.size() - drop);
    return file;
}
Bytes Greyscale2x2Palette() {
    return Png({.width = 2, .height = 2, .bitDepth = 8, .colourType = 0},
               {ChunkBytes("PLTE", Bytes{1, 2, 3}), Idat(Compress(Bytes{0, 1, 2, 0, 3, 4}))});
}

// Offsets in a file from MakePng: signature 0-7, IHDR length 8, type 12, data 16-28, CRC 29-32, then
// the next chunk at 33.
const Case kCases[] = {
    {"Empty", [] { return Bytes{}; }, "missing PNG signature"},
    {"BadSignature", [] { return Corrupt(WithHeader(kTwoByTwo), 3); }, "missing PNG signature"},
    {"OnlySignature", [] { return Signature(); }, "file ends without an IEND chunk"},
    {"BadHeaderCrc", [] { return Corrupt(WithHeader(kTwoByTwo), 30); }, "CRC mismatch in chunk IHDR"},
    {"BadDataCrc", [] { return Corrupt(WithHeader(kTwoByTwo), 45); }, "CRC mismatch in chunk IDAT"},
    {"BadChunkType",
     [] {
         return Patched(WithHeader(kTwoByTwo), 12, {'I', 'H', 'D', '1'});
     },
     "invalid chunk type"},
    {"LengthOverLimit",
     [] {
         return Patched(WithHeader(kTwoByTwo), 33, {0x80, 0, 0, 0});
     },
     "chunk length exceeds 2^31-1"},
    {"LengthPastEnd",
     [] {
         return Patched(WithHeader(kTwoByTwo), 33, {0x7F, 0xFF, 0xFF, 0xFF});
     },
     "file ends inside a chunk"},
    {"FirstChunkNotHeader",
     [] {
         return Patched(WithHeader(kTwoByTwo), 12, {'I', 'H', 'D', 'r'});
     },
     "first chunk is not IHDR"},
    {"HeaderTooShort",
     [] {
         Bytes file = Signature();
         Append(file, ChunkBytes("IHDR", Bytes(12, 1)));
         return file;
     },
     "IHDR chunk must be 13 bytes long"},
    {"ZeroWidth", [] { return WithHeader({.width = 0, .height = 2}); },
     "image width and height must not be zero"},
    {"ZeroHeight", [] { return WithHeader({.width = 2, .height = 0}); },
     "image width and height must not be zero"},
    {"WidthOver31Bits", [] { return WithHeader({.width = 0x80000000u, .height = 1}); },
     "image width or height exceeds 2^31-1"},
    {"HugeDimensions", [] { return WithHeader({.width = 100000, .height = 100000}); },
     "image of 100000 x 100000 pixels is too large"},
    {"JustOverPixelLimit", [] { return WithHeader({.width = 8192, .height = 8193}); },
     "image of 8192 x 8193 pixels is too large"},
    {"ColourType5", [] { return WithHeader({.width = 2, .height = 2, .colourType = 5}); },
     "unknown colour type 5"},
    {"PaletteOf16Bits", [] { return WithHeader({.width = 2, .height = 2, .bitDepth = 16, .colourType = 3}); },
     "bit depth 16 is not allowed for colour type 3"},
    {"RgbOf4Bits", [] { return WithHeader({.width = 2, .height = 2, .bitDepth = 4, .colourType = 2}); },
     "bit depth 4 is not allowed for colour type 2"},
    {"GreyOf3Bits", [] { return WithHeader({.width = 2, .height = 2, .bitDepth = 3, .colourType = 0}); },
     "bit depth 3 is not allowed for colour type 0"},
    {"CompressionMethod", [] { return WithHeader({.width = 2, .height = 2, .compression = 1}); },
     "unknown compression method"},
    {"FilterMethod", [] { return WithHeader({.width = 2, .height = 2, .filter = 1}); },
     "unknown filter method"},
    {"InterlaceMethod", [] { return WithHeader({.width = 2, .height = 2, .interlace = 2}); },
     "unknown interlace method"},
    {"FilterType5", [] { return MakeSimplePng(kTwoByTwo, Scanlines(5)); }, "unknown filter type 5"},
    {"NoImageData", [] { return Png(kTwoByTwo, {}); }, "no IDAT chunk"},
    {"NoEnd", [] { return Truncated(WithHeader(kTwoByTwo), 12); }, "file ends without an IEND chunk"},
    {"SecondHeader",
     [] {
         return Png(kTwoByTwo, {ChunkBytes("IHDR", HeaderData(kTwoByTwo)), Idat(Compress(Scanlines()))});
     },
     "more than one IHDR chunk"},
    {"DataSplitByOtherChunk",
     [] {
         const Bytes compressed = Compress(Scanlines());
         const std::span<const std::uint8_t> all(compressed);
         return Png(kTwoByTwo,
                    {Idat(all.first(4)), ChunkBytes("tEXt", Bytes{'a', 0, 'b'}), Idat(all.subspan(4))});
     },
     "IDAT chunks are not consecutive"},
    {"UnknownCriticalChunk",
     [] {
         return Png(kTwoByTwo, {ChunkBytes("ABCD", {}), Idat(Compress(Scanlines()))});
     },
     "unknown critical chunk ABCD"},
    {"CorruptStream",
     [] {
         return Png(kTwoByTwo, {Idat(Bytes{0x78, 0x9C, 0xFF, 0xFF, 0xFF, 0xFF})});
     },
     "corrupt image data: invalid block type"},
    {"NotAZlibStream", [] { return Png(kTwoByTwo, {Idat(Bytes(10, 0x11))}); },
     "corrupt image data: incorrect header check"},
    {"StreamCutShort", [] { return Png(kTwoByTwo, {Idat(Truncated(Compress(Scanlines()), 5))}); },
     "compressed image data is truncated"},
    {"TooLittleData", [] { return Png(kTwoByTwo, {Idat(Compress(Truncated(Scanlines(), 1)))}); },
     "image data is shorter than the image needs"},
    {"TooMuchData",
     [] {
         Bytes raw = Scanlines();
         raw.push_back(0);
         return Png(kTwoByTwo, {Idat(Compress(raw))});
     },
     "image data is longer than the image needs"},
    {"BytesAfterStream",
     [] {
         Bytes compressed = Compress(Scanlines());
         compressed.push_back(0);
         return Png(kTwoByTwo, {Idat(compressed)});
     },
     "image data continues after the end of its compressed stream"},
    {"DataChunkAfterStream",
     [] {
         return Png(kTwoByTwo, {Idat(Compress(Scanlines())), Idat(Bytes{0})});
     },
     "image data continues after the end of its compressed stream"},
    {"PaletteMissing",
     [] {
         return MakeSimplePng({.width = 2, .height = 1, .colourType = 3}, Bytes{0, 0, 0});
     },
     "missing PLTE chunk in a palette image"},
    {"PaletteIndexOutside",
     [] {
         return Png({.width = 2, .height = 1, .colourType = 3},
                    {ChunkBytes("PLTE", Bytes{1, 2, 3, 4, 5, 6}), Idat(Compress(Bytes{0, 1, 2}))});
     },
     "palette index 2 outside the palette"},
    {"PaletteLengthNotTriples",
     [] {
         return Png({.width = 1, .height = 1, .colourType = 3},
                    {ChunkBytes("PLTE", Bytes{1, 2, 3, 4}), Idat(Compress(Bytes{0, 0}))});
     },
     "PLTE chunk has an invalid length"},
    {"PaletteTooLongForDepth",
     [] {
         return Png({.width = 1, .height = 1, .bitDepth = 1, .colourType = 3},
                    {ChunkBytes("PLTE", Bytes(9, 7)), Idat(Compress(Bytes{0, 0}))});
     },
     "PLTE chunk has more entries than the bit depth allows"},
    {"PaletteInGreyscale", Greyscale2x2Palette, "PLTE chunk in a greyscale image"},
    {"PaletteAfterData",
     [] {
         return Png({.width = 1, .height = 1, .colourType = 2},
                    {Idat(Compress(Bytes{0, 0, 0, 0})), ChunkBytes("PLTE", Bytes{1, 2, 3})});
     },
     "PLTE chunk after IDAT"},
    {"TransparencyLongerThanPalette",
     [] {
         return Png({.width = 1, .height = 1, .colourType = 3},
                    {ChunkBytes("PLTE", Bytes{1, 2, 3}), ChunkBytes("tRNS", Bytes{0, 0}),
                     Idat(Compress(Bytes{0, 0}))});
     },
     "tRNS chunk has more entries than the palette"},
    {"TransparencyBeforePalette",
     [] {
         return Png(
             {.width = 1, .height = 1, .colourType = 3},
             {ChunkBytes("tRNS", Bytes{0}), ChunkBytes("PLTE", Bytes{1, 2, 3}), Idat(Compress(Bytes{0, 0}))});
     },
     "tRNS chunk before PLTE"},
    {"GreyTransparencyWrongLength",
     [] {
         return Png({.width = 1, .height = 1, .colourType = 0},
                    {ChunkBytes("tRNS", Bytes{0}), Idat(Compress(Bytes{0, 0}))});
     },
     "tRNS chunk has an invalid length"},
    {"TransparencyWithAlphaChannel",
     [] {
         return Png({.width = 1, .height = 1, .colourType = 6},
                    {ChunkBytes("tRNS", Bytes{0, 0}), Idat(Compress(Bytes{0, 0, 0, 0, 0}))});
     },
     "tRNS chunk in an image with an alpha channel"},
    {"TransparencyAfterData",
     [] {
         return Png({.width = 1, .height = 1, .colourType = 0},
                    {Idat(Compress(Bytes{0, 0})), ChunkBytes("tRNS", Bytes{0, 0})});
     },
     "tRNS chunk after IDAT"},
};

INSTANTIATE_TEST_SUITE_P(Cases, Malformed, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) { return info.param.name; });

TEST(MalformedPng, EveryTruncationIsRefused) {
    for (const char* name : {"rgba-16-adam7.png", "palette-2-trns.png", "grey-1-5x1-adam7.png"}) {
        const Bytes file = ReadFixture(name);
        for (std::size_t length = 0; length < file.size(); ++length) {
            // An exact-size copy, so that the sanitiser sees any read past the cut.
            const Bytes cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length));
            EXPECT_THROW(zt::png::Decode(cut), DecodeError) << name << " cut to " << length << " bytes";
        }
    }
}

// Every single-bit fault, with the CRCs made to match again so that the change reaches the parser and
// the image data, must decode or be refused; the sanitisers catch anything worse.
TEST(MalformedPng, AlteredBytesNeverCrash) {
    for (const char* name : {"palette-4-adam7-trns.png", "grey-2-adam7-trns.png", "rgb-16-trns.png"}) {
        const Bytes file = ReadFixture(name);
        for (std::size_t at = 8; at < file.size(); ++at) {
            for (const std::uint8_t bit : {0x01, 0x10, 0x80}) {
                Bytes changed = file;
                changed[at] ^= bit;
                FixCrcs(changed);
                try {
                    const zt::png::Image image = zt::png::Decode(changed);
                    ASSERT_EQ(image.rgba.size(), std::size_t{image.width} * image.height * 4);
                } catch (const DecodeError&) {
                }
            }
        }
    }
}

TEST(WellFormedPng, AncillaryChunksAndTrailingBytesAreIgnored) {
    Bytes file = Png(kTwoByTwo, {ChunkBytes("tEXt", Bytes{'k', 0, 'v'}), ChunkBytes("zzZz", Bytes(5, 0xEE)),
                                 Idat(Compress(Scanlines()))});
    Append(file, Bytes{'j', 'u', 'n', 'k'});
    const zt::png::Image image = zt::png::Decode(file);
    ASSERT_EQ(image.width, 2u);
    ASSERT_EQ(image.height, 2u);
    EXPECT_EQ(image.rgba, (Bytes{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}));
}

TEST(WellFormedPng, ImageDataMaySpreadOverManyChunks) {
    const Bytes compressed = Compress(Scanlines());
    std::vector<Bytes> chunks;
    for (std::size_t at = 0; at < compressed.size(); ++at) {
        chunks.push_back(Idat(std::span(compressed).subspan(at, 1)));
        chunks.push_back(Idat({}));
    }
    const zt::png::Image image = zt::png::Decode(MakePng(kTwoByTwo, chunks));
    EXPECT_EQ(image.rgba, (Bytes{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}));
}

} // namespace
