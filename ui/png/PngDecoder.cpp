#include "ui/png/PngDecoder.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include <zlib.h>

namespace zt::png {
namespace {

[[noreturn]] void Fail(const std::string& reason) {
    throw DecodeError("invalid PNG: " + reason);
}

constexpr std::array<std::uint8_t, 8> kSignature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::uint32_t kMaxChunkLength = 0x7FFFFFFF;

std::uint32_t ReadU32(const std::uint8_t* bytes) {
    return std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 | std::uint32_t{bytes[2]} << 8 |
           std::uint32_t{bytes[3]};
}

enum class ColourType : std::uint8_t { Grey = 0, Rgb = 2, Palette = 3, GreyAlpha = 4, RgbAlpha = 6 };

struct Header {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    unsigned bitDepth = 0;
    ColourType colourType = ColourType::Grey;
    bool interlaced = false;

    unsigned Channels() const {
        switch (colourType) {
        case ColourType::Rgb:
            return 3;
        case ColourType::GreyAlpha:
            return 2;
        case ColourType::RgbAlpha:
            return 4;
        default:
            return 1;
        }
    }
    unsigned BitsPerPixel() const { return Channels() * bitDepth; }
    // The byte distance the filters look back: one whole pixel, at least one byte.
    std::size_t FilterUnit() const { return std::max(1u, BitsPerPixel() / 8); }
};

bool IsAllowedDepth(ColourType type, unsigned depth) {
    switch (type) {
    case ColourType::Grey:
        return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    case ColourType::Palette:
        return depth == 1 || depth == 2 || depth == 4 || depth == 8;
    case ColourType::Rgb:
    case ColourType::GreyAlpha:
    case ColourType::RgbAlpha:
        return depth == 8 || depth == 16;
    }
    return false;
}

Header ParseHeader(std::span<const std::uint8_t> data) {
    if (data.size() != 13) {
        Fail("IHDR chunk must be 13 bytes long");
    }
    Header header;
    header.width = ReadU32(data.data());
    header.height = ReadU32(data.data() + 4);
    if (header.width == 0 || header.height == 0) {
        Fail("image width and height must not be zero");
    }
    if (header.width > kMaxChunkLength || header.height > kMaxChunkLength) {
        Fail("image width or height exceeds 2^31-1");
    }
    if (std::uint64_t{header.width} * header.height > kMaxPixels) {
        Fail("image of " + std::to_string(header.width) + " x " + std::to_string(header.height) +
             " pixels is too large");
    }
    const unsigned type = data[9];
    if (type != 0 && type != 2 && type != 3 && type != 4 && type != 6) {
        Fail("unknown colour type " + std::to_string(type));
    }
    header.colourType = static_cast<ColourType>(type);
    header.bitDepth = data[8];
    if (!IsAllowedDepth(header.colourType, header.bitDepth)) {
        Fail("bit depth " + std::to_string(header.bitDepth) + " is not allowed for colour type " +
             std::to_string(type));
    }
    if (data[10] != 0) {
        Fail("unknown compression method");
    }
    if (data[11] != 0) {
        Fail("unknown filter method");
    }
    if (data[12] > 1) {
        Fail("unknown interlace method");
    }
    header.interlaced = data[12] == 1;
    return header;
}

struct Chunk {
    std::string_view type;
    std::span<const std::uint8_t> data;

    bool IsCritical() const { return (type[0] & 0x20) == 0; }
};

// Walks the chunks after the signature; every chunk it returns lies wholly inside the file and
// has a matching CRC.
class ChunkReader {
public:
    explicit ChunkReader(std::span<const std::uint8_t> chunks) : rest_(chunks) {}

    Chunk Next() {
        if (rest_.empty()) {
            Fail("file ends without an IEND chunk");
        }
        if (rest_.size() < 12) {
            Fail("file ends inside a chunk");
        }
        const std::uint32_t length = ReadU32(rest_.data());
        if (length > kMaxChunkLength) {
            Fail("chunk length exceeds 2^31-1");
        }
        if (rest_.size() - 12 < length) {
            Fail("file ends inside a chunk");
        }
        const std::uint8_t* type = rest_.data() + 4;
        const bool lettersOnly = std::all_of(
            type, type + 4, [](std::uint8_t c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); });
        if (!lettersOnly) {
            Fail("invalid chunk type");
        }
        const Chunk chunk{std::string_view(reinterpret_cast<const char*>(type), 4), rest_.subspan(8, length)};
        const auto computed = static_cast<std::uint32_t>(crc32(0, type, 4 + length));
        if (computed != ReadU32(type + 4 + length)) {
            Fail("CRC mismatch in chunk " + std::string(chunk.type));
        }
        rest_ = rest_.subspan(12 + std::size_t{length});
        return chunk;
    }

private:
    std::span<const std::uint8_t> rest_;
};

// Inflates the IDAT stream chunk by chunk into a buffer that grows with what the stream really
// yields, so that a small file claiming large dimensions costs no large allocation.
class Inflater {
public:
    explicit Inflater(std::size_t expected) : expected_(expected) {
        if (inflateInit(&stream_) != Z_OK) {
            throw DecodeError("invalid PNG: cannot start decompression");
        }
    }
    ~Inflater() { inflateEnd(&stream_); }
    Inflater(const Inflater&) = delete;
    Inflater& operator=(const Inflater&) = delete;

    void Feed(std::span<const std::uint8_t> input) {
        if (input.empty()) {
            return;
        }
        if (ended_) {
            Fail("image data continues after the end of its compressed stream");
        }
        stream_.next_in = input.data();
        stream_.avail_in = static_cast<uInt>(input.size());
        while (stream_.avail_in > 0) {
            if (produced_ == output_.size()) {
                Grow();
            }
            const std::size_t room = std::min<std::size_t>(output_.size() - produced_, UINT_MAX);
            stream_.next_out = output_.data() + produced_;
            stream_.avail_out = static_cast<uInt>(room);
            const int status = inflate(&stream_, Z_NO_FLUSH);
            produced_ += room - stream_.avail_out;
            if (produced_ > expected_) {
                Fail("image data is longer than the image needs");
            }
            if (status == Z_STREAM_END) {
                ended_ = true;
                if (stream_.avail_in > 0) {
                    Fail("image data continues after the end of its compressed stream");
                }
            } else if (status != Z_OK) {
                Fail(std::string("corrupt image data") + (stream_.msg != nullptr ? ": " : "") +
                     (stream_.msg != nullptr ? stream_.msg : ""));
            }
        }
    }

    std::vector<std::uint8_t> Finish() {
        if (!ended_) {
            Fail("compressed image data is truncated");
        }
        if (produced_ != expected_) {
            Fail("image data is shorter than the image needs");
        }
        output_.resize(produced_);
        return std::move(output_);
    }

private:
    void Grow() {
        // One byte beyond the expected size lets an over-long stream show itself.
        const std::size_t limit = expected_ + 1;
        const std::size_t wanted = std::max<std::size_t>(output_.size() * 2, 64 * 1024);
        output_.resize(std::min(limit, wanted));
    }

    z_stream stream_{};
    std::size_t expected_;
    std::size_t produced_ = 0;
    std::vector<std::uint8_t> output_;
    bool ended_ = false;
};

struct Pass {
    std::uint32_t x0, y0, dx, dy;
    std::uint32_t width = 0, height = 0;
    std::size_t rowBytes = 0;

    std::size_t DataSize() const { return width == 0 ? 0 : std::size_t{height} * (rowBytes + 1); }
};

std::vector<Pass> PassesOf(const Header& header) {
    std::vector<Pass> passes;
    if (header.interlaced) {
        passes = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                  {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
    } else {
        passes = {{0, 0, 1, 1}};
    }
    for (Pass& pass : passes) {
        const auto extent = [](std::uint32_t size, std::uint32_t start, std::uint32_t step) {
            return size > start ? (size - start + step - 1) / step : 0;
        };
        pass.width = extent(header.width, pass.x0, pass.dx);
        pass.height = extent(header.height, pass.y0, pass.dy);
        if (pass.height == 0) {
            pass.width = 0;
        }
        // Dimensions are bounded by kMaxPixels, so this cannot overflow.
        pass.rowBytes = static_cast<std::size_t>((std::uint64_t{pass.width} * header.BitsPerPixel() + 7) / 8);
    }
    return passes;
}

std::uint8_t Paeth(std::uint8_t left, std::uint8_t up, std::uint8_t upLeft) {
    const int estimate = int{left} + int{up} - int{upLeft};
    const int toLeft = std::abs(estimate - int{left});
    const int toUp = std::abs(estimate - int{up});
    const int toUpLeft = std::abs(estimate - int{upLeft});
    if (toLeft <= toUp && toLeft <= toUpLeft) {
        return left;
    }
    return toUp <= toUpLeft ? up : upLeft;
}

void Unfilter(std::uint8_t filter, std::span<std::uint8_t> row, std::span<const std::uint8_t> previous,
              std::size_t unit) {
    switch (filter) {
    case 0:
        return;
    case 1:
        for (std::size_t i = unit; i < row.size(); ++i) {
            row[i] = static_cast<std::uint8_t>(row[i] + row[i - unit]);
        }
        return;
    case 2:
        for (std::size_t i = 0; i < row.size(); ++i) {
            row[i] = static_cast<std::uint8_t>(row[i] + previous[i]);
        }
        return;
    case 3:
        for (std::size_t i = 0; i < row.size(); ++i) {
            const unsigned left = i >= unit ? row[i - unit] : 0;
            row[i] = static_cast<std::uint8_t>(row[i] + (left + previous[i]) / 2);
        }
        return;
    case 4:
        for (std::size_t i = 0; i < row.size(); ++i) {
            const std::uint8_t left = i >= unit ? row[i - unit] : 0;
            const std::uint8_t upLeft = i >= unit ? previous[i - unit] : 0;
            row[i] = static_cast<std::uint8_t>(row[i] + Paeth(left, previous[i], upLeft));
        }
        return;
    default:
        Fail("unknown filter type " + std::to_string(filter));
    }
}

struct Transparency {
    // Grey or RGB: the one sample value (per channel) that is fully transparent.
    std::optional<std::array<std::uint16_t, 3>> key;
};

class PixelConverter {
public:
    PixelConverter(const Header& header, const std::vector<std::array<std::uint8_t, 4>>& palette,
                   const Transparency& transparency)
        : header_(header), palette_(palette), transparency_(transparency) {}

    void Convert(std::span<const std::uint8_t> row, std::uint32_t index, std::uint8_t* out) const {
        const unsigned channels = header_.Channels();
        std::array<std::uint16_t, 4> samples{};
        for (unsigned c = 0; c < channels; ++c) {
            samples[c] = Sample(row, std::size_t{index} * channels + c);
        }
        switch (header_.colourType) {
        case ColourType::Grey: {
            const std::uint8_t grey = ToByte(samples[0]);
            const bool clear = transparency_.key && samples[0] == (*transparency_.key)[0];
            Store(out, grey, grey, grey, clear ? 0 : 255);
            return;
        }
        case ColourType::Rgb: {
            const bool clear = transparency_.key && samples[0] == (*transparency_.key)[0] &&
                               samples[1] == (*transparency_.key)[1] && samples[2] == (*transparency_.key)[2];
            Store(out, ToByte(samples[0]), ToByte(samples[1]), ToByte(samples[2]), clear ? 0 : 255);
            return;
        }
        case ColourType::Palette:
            if (samples[0] >= palette_.size()) {
                Fail("palette index " + std::to_string(samples[0]) + " outside the palette");
            }
            std::memcpy(out, palette_[samples[0]].data(), 4);
            return;
        case ColourType::GreyAlpha: {
            const std::uint8_t grey = ToByte(samples[0]);
            Store(out, grey, grey, grey, ToByte(samples[1]));
            return;
        }
        case ColourType::RgbAlpha:
            Store(out, ToByte(samples[0]), ToByte(samples[1]), ToByte(samples[2]), ToByte(samples[3]));
            return;
        }
    }

private:
    std::uint16_t Sample(std::span<const std::uint8_t> row, std::size_t n) const {
        switch (header_.bitDepth) {
        case 16:
            return static_cast<std::uint16_t>(row[2 * n] << 8 | row[2 * n + 1]);
        case 8:
            return row[n];
        default: {
            const unsigned depth = header_.bitDepth;
            const std::size_t bit = n * depth;
            const unsigned shift = 8 - depth - static_cast<unsigned>(bit % 8);
            return static_cast<std::uint16_t>((row[bit / 8] >> shift) & ((1u << depth) - 1));
        }
        }
    }

    // Scales a sample to 8 bits. 16-bit samples are scaled down, rounding towards zero, which is what
    // the common image tools give (not the high byte alone).
    std::uint8_t ToByte(std::uint16_t sample) const {
        switch (header_.bitDepth) {
        case 16:
            return static_cast<std::uint8_t>(std::uint32_t{sample} * 255 / 65535);
        case 8:
            return static_cast<std::uint8_t>(sample);
        default:
            return static_cast<std::uint8_t>(sample * 255 / ((1u << header_.bitDepth) - 1));
        }
    }

    static void Store(std::uint8_t* out, std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a) {
        out[0] = r;
        out[1] = g;
        out[2] = b;
        out[3] = a;
    }

    const Header& header_;
    const std::vector<std::array<std::uint8_t, 4>>& palette_;
    const Transparency& transparency_;
};

std::vector<std::array<std::uint8_t, 4>> ParsePalette(const Header& header,
                                                      std::span<const std::uint8_t> data) {
    if (header.colourType == ColourType::Grey || header.colourType == ColourType::GreyAlpha) {
        Fail("PLTE chunk in a greyscale image");
    }
    if (data.empty() || data.size() % 3 != 0 || data.size() / 3 > 256) {
        Fail("PLTE chunk has an invalid length");
    }
    const std::size_t entries = data.size() / 3;
    if (header.colourType == ColourType::Palette && entries > (std::size_t{1} << header.bitDepth)) {
        Fail("PLTE chunk has more entries than the bit depth allows");
    }
    std::vector<std::array<std::uint8_t, 4>> palette(entries);
    for (std::size_t i = 0; i < entries; ++i) {
        palette[i] = {data[3 * i], data[3 * i + 1], data[3 * i + 2], 255};
    }
    return palette;
}

void ParseTransparency(const Header& header, std::span<const std::uint8_t> data,
                       std::vector<std::array<std::uint8_t, 4>>& palette, Transparency& transparency) {
    const auto u16 = [&](std::size_t at) { return static_cast<std::uint16_t>(data[at] << 8 | data[at + 1]); };
    switch (header.colourType) {
    case ColourType::Grey:
        if (data.size() != 2) {
            Fail("tRNS chunk has an invalid length");
        }
        transparency.key = std::array<std::uint16_t, 3>{u16(0), 0, 0};
        return;
    case ColourType::Rgb:
        if (data.size() != 6) {
            Fail("tRNS chunk has an invalid length");
        }
        transparency.key = std::array<std::uint16_t, 3>{u16(0), u16(2), u16(4)};
        return;
    case ColourType::Palette:
        if (palette.empty()) {
            Fail("tRNS chunk before PLTE");
        }
        if (data.size() > palette.size()) {
            Fail("tRNS chunk has more entries than the palette");
        }
        for (std::size_t i = 0; i < data.size(); ++i) {
            palette[i][3] = data[i];
        }
        return;
    default:
        Fail("tRNS chunk in an image with an alpha channel");
    }
}

} // namespace

Image Decode(std::span<const std::uint8_t> file) {
    if (file.size() < kSignature.size() || !std::equal(kSignature.begin(), kSignature.end(), file.begin())) {
        Fail("missing PNG signature");
    }
    ChunkReader reader(file.subspan(kSignature.size()));

    const Chunk first = reader.Next();
    if (first.type != "IHDR") {
        Fail("first chunk is not IHDR");
    }
    const Header header = ParseHeader(first.data);
    const std::vector<Pass> passes = PassesOf(header);
    std::size_t expected = 0;
    for (const Pass& pass : passes) {
        expected += pass.DataSize();
    }

    std::vector<std::array<std::uint8_t, 4>> palette;
    Transparency transparency;
    bool seenTransparency = false;
    std::optional<Inflater> inflater;
    bool idatClosed = false;
    for (Chunk chunk = reader.Next(); chunk.type != "IEND"; chunk = reader.Next()) {
        const bool isData = chunk.type == "IDAT";
        if (inflater && !isData) {
            idatClosed = true;
        }
        if (isData) {
            if (idatClosed) {
                Fail("IDAT chunks are not consecutive");
            }
            if (!inflater) {
                if (header.colourType == ColourType::Palette && palette.empty()) {
                    Fail("missing PLTE chunk in a palette image");
                }
                inflater.emplace(expected);
            }
            inflater->Feed(chunk.data);
        } else if (chunk.type == "IHDR") {
            Fail("more than one IHDR chunk");
        } else if (chunk.type == "PLTE") {
            if (inflater) {
                Fail("PLTE chunk after IDAT");
            }
            if (!palette.empty()) {
                Fail("more than one PLTE chunk");
            }
            if (seenTransparency) {
                Fail("PLTE chunk after tRNS");
            }
            palette = ParsePalette(header, chunk.data);
        } else if (chunk.type == "tRNS") {
            if (inflater) {
                Fail("tRNS chunk after IDAT");
            }
            if (seenTransparency) {
                Fail("more than one tRNS chunk");
            }
            ParseTransparency(header, chunk.data, palette, transparency);
            seenTransparency = true;
        } else if (chunk.IsCritical()) {
            Fail("unknown critical chunk " + std::string(chunk.type));
        }
    }
    if (!inflater) {
        Fail("no IDAT chunk");
    }
    std::vector<std::uint8_t> data = inflater->Finish();

    Image image;
    image.width = header.width;
    image.height = header.height;
    image.rgba.resize(std::size_t{header.width} * header.height * 4);
    const PixelConverter converter(header, palette, transparency);
    const std::size_t unit = header.FilterUnit();
    std::size_t offset = 0;
    for (const Pass& pass : passes) {
        if (pass.width == 0) {
            continue;
        }
        const std::vector<std::uint8_t> zeroRow(pass.rowBytes, 0);
        std::span<const std::uint8_t> previous(zeroRow);
        for (std::uint32_t j = 0; j < pass.height; ++j) {
            const std::uint8_t filter = data[offset];
            const std::span<std::uint8_t> row(data.data() + offset + 1, pass.rowBytes);
            Unfilter(filter, row, previous, unit);
            const std::size_t y = pass.y0 + std::size_t{j} * pass.dy;
            for (std::uint32_t i = 0; i < pass.width; ++i) {
                const std::size_t x = pass.x0 + std::size_t{i} * pass.dx;
                converter.Convert(row, i, image.rgba.data() + (y * header.width + x) * 4);
            }
            previous = row;
            offset += pass.rowBytes + 1;
        }
    }
    return image;
}

} // namespace zt::png
