#pragma once
// Builds PNG files chunk by chunk, so that tests and the fuzzer can make exactly the fault they want.
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace zt::png::testing {

using Bytes = std::vector<std::uint8_t>;

struct HeaderFields {
    std::uint32_t width = 1;
    std::uint32_t height = 1;
    std::uint8_t bitDepth = 8;
    std::uint8_t colourType = 6;
    std::uint8_t interlace = 0;
    std::uint8_t compression = 0;
    std::uint8_t filter = 0;
};

Bytes Signature();
Bytes HeaderData(const HeaderFields& fields);
// A chunk with its length and a correct CRC.
Bytes ChunkBytes(std::string_view type, std::span<const std::uint8_t> data);
Bytes Compress(std::span<const std::uint8_t> raw);
void Append(Bytes& to, std::span<const std::uint8_t> bytes);

// Signature, IHDR, the given chunks in order, then IEND.
Bytes MakePng(const HeaderFields& header, std::span<const Bytes> chunks);
// Signature, IHDR, one IDAT holding the compressed scanlines (filter bytes included), IEND.
Bytes MakeSimplePng(const HeaderFields& header, std::span<const std::uint8_t> scanlines);

// Rewrites every chunk's CRC to match its contents, as far as the chunk structure holds.
void FixCrcs(Bytes& file);

} // namespace zt::png::testing
