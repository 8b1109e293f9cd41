#pragma once
// Decodes a PNG file held in memory into straight-alpha RGBA, 8 bits per channel. Portable on purpose
// (no Win32, no runtime layer) so that it can be sanitised and fuzzed natively; the windowing layer
// turns DecodeError into the system's own error kind.
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <vector>

namespace zt::png {

class DecodeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct Image {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    // Row-major, top row first, 4 bytes per pixel: red, green, blue, alpha (not premultiplied).
    std::vector<std::uint8_t> rgba;

    std::span<const std::uint8_t, 4> Pixel(std::uint32_t x, std::uint32_t y) const {
        return std::span<const std::uint8_t, 4>(rgba.data() + (std::size_t{y} * width + x) * 4, 4);
    }
};

// Larger pictures are refused before anything of their size is allocated.
inline constexpr std::uint64_t kMaxPixels = std::uint64_t{64} << 20;

// Throws DecodeError for anything that is not a complete, well-formed PNG within kMaxPixels.
Image Decode(std::span<const std::uint8_t> file);

} // namespace zt::png
