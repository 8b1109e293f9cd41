#include "tests/native/PngBuilder.h"

#include <stdexcept>

#include <zlib.h>

namespace zt::png::testing {
namespace {

void PutU32(Bytes& to, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        to.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

std::uint32_t GetU32(const std::uint8_t* at) {
    return std::uint32_t{at[0]} << 24 | std::uint32_t{at[1]} << 16 | std::uint32_t{at[2]} << 8 | at[3];
}

} // namespace

Bytes Signature() {
    return {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
}

Bytes HeaderData(const HeaderFields& fields) {
    Bytes data;
    PutU32(data, fields.width);
    PutU32(data, fields.height);
    data.insert(data.end(),
                {fields.bitDepth, fields.colourType, fields.compression, fields.filter, fields.interlace});
    return data;
}

Bytes ChunkBytes(std::string_view type, std::span<const std::uint8_t> data) {
    Bytes chunk;
    PutU32(chunk, static_cast<std::uint32_t>(data.size()));
    chunk.insert(chunk.end(), type.begin(), type.end());
    chunk.insert(chunk.end(), data.begin(), data.end());
    PutU32(chunk,
           static_cast<std::uint32_t>(crc32(0, chunk.data() + 4, static_cast<uInt>(chunk.size() - 4))));
    return chunk;
}

Bytes Compress(std::span<const std::uint8_t> raw) {
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    Bytes out(size);
    if (compress(out.data(), &size, raw.data(), static_cast<uLong>(raw.size())) != Z_OK) {
        throw std::runtime_error("compress failed");
    }
    out.resize(size);
    return out;
}

void Append(Bytes& to, std::span<const std::uint8_t> bytes) {
    to.insert(to.end(), bytes.begin(), bytes.end());
}

Bytes MakePng(const HeaderFields& header, std::span<const Bytes> chunks) {
    Bytes file = Signature();
    Append(file, ChunkBytes("IHDR", HeaderData(header)));
    for (const Bytes& chunk : chunks) {
        Append(file, chunk);
    }
    Append(file, ChunkBytes("IEND", {}));
    return file;
}

Bytes MakeSimplePng(const HeaderFields& header, std::span<const std::uint8_t> scanlines) {
    const Bytes idat = ChunkBytes("IDAT", Compress(scanlines));
    return MakePng(header, std::span<const Bytes>(&idat, 1));
}

void FixCrcs(Bytes& file) {
    std::size_t at = 8;
    while (at + 12 <= file.size()) {
        const std::uint32_t length = GetU32(file.data() + at);
        if (length > file.size() - at - 12) {
            return;
        }
        const auto crc = static_cast<std::uint32_t>(crc32(0, file.data() + at + 4, length + 4));
        for (int i = 0; i < 4; ++i) {
            file[at + 8 + length + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
        }
        at += 12 + std::size_t{length};
    }
}

} // namespace zt::png::testing
