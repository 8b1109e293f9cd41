// Every picture is decoded by us and by ImageMagick; the two RGBA results must agree byte for byte.
#include "ui/png/PngDecoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

Bytes ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

struct PipeCloser {
    void operator()(FILE* pipe) const { pclose(pipe); }
};

Bytes ReferenceRgba(const fs::path& path) {
    const std::string command =
        std::string("'") + ZT_IMAGEMAGICK + "' '" + path.string() + "' -depth 8 rgba:-";
    const std::unique_ptr<FILE, PipeCloser> pipe(popen(command.c_str(), "r"));
    if (!pipe) {
        throw std::runtime_error("cannot run " + command);
    }
    Bytes out;
    std::array<std::uint8_t, 65536> buffer{};
    for (std::size_t got; (got = fread(buffer.data(), 1, buffer.size(), pipe.get())) > 0;) {
        out.insert(out.end(), buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(got));
    }
    return out;
}

std::vector<fs::path> Pictures() {
    std::vector<fs::path> pictures;
    for (const auto& entry : fs::directory_iterator(ZT_PNG_FIXTURES)) {
        if (entry.path().extension() == ".png") {
            pictures.push_back(entry.path());
        }
    }
    std::sort(pictures.begin(), pictures.end());
    // Pictures made by other programs than the one that made ours, from system packages; the
    // comments say what each brings.
    const char* const system[] = {
        "/usr/share/gitweb/static/git-logo.png",                               // palette, 8 bits
        "/usr/share/gitweb/static/git-favicon.png",                            // palette, 2 bits, 3 entries
        "/usr/share/icons/hicolor/48x48/apps/gvim.png",                        // palette, 4 bits, tRNS
        "/usr/share/icons/Adwaita/24x24/status/image-loading.png",             // palette, tRNS of 39 entries
        "/usr/share/doc/python3/_static/plus.png",                             // grey, 8 bits
        "/usr/share/icons/Adwaita/24x24/legacy/input-dialpad.png",             // grey and alpha, 8 bits
        "/usr/share/icons/hicolor/8x8/apps/display-im6.q16.png",               // RGB, 16 bits
        "/usr/share/icons/hicolor/16x16/apps/display-im6.q16.png",             // RGBA, 16 bits
        "/usr/share/icons/hicolor/48x48/apps/openjdk-17.png",                  // RGBA, 8 bits, iCCP
        "/usr/share/doc/libpng-dev/examples/pngtest.png",                      // Adam7, many ancillary chunks
        "/usr/share/doc/nodejs/contributing/doc_img/youtube-stream-share.png", // RGB, 854 x 302
    };
    for (const char* path : system) {
        if (fs::exists(path)) {
            pictures.emplace_back(path);
        }
    }
    return pictures;
}

class ReferenceDecoding : public ::testing::TestWithParam<fs::path> {};

TEST_P(ReferenceDecoding, MatchesImageMagick) {
    const Bytes file = ReadFile(GetParam());
    ASSERT_FALSE(file.empty());
    const zt::png::Image image = zt::png::Decode(file);
    const Bytes expected = ReferenceRgba(GetParam());
    ASSERT_EQ(image.rgba.size(), std::size_t{image.width} * image.height * 4);
    ASSERT_EQ(image.rgba.size(), expected.size()) << "size " << image.width << " x " << image.height;
    const auto [ours, theirs] = std::mismatch(image.rgba.begin(), image.rgba.end(), expected.begin());
    if (ours != image.rgba.end()) {
        const auto pixel = static_cast<std::size_t>(ours - image.rgba.begin()) / 4;
        const auto at = [&](const Bytes& rgba) {
            std::string text;
            for (std::size_t c = 0; c < 4; ++c) {
                text += std::to_string(rgba[pixel * 4 + c]) + (c < 3 ? "," : "");
            }
            return text;
        };
        FAIL() << "first difference at pixel " << pixel % image.width << ", " << pixel / image.width
               << ": ours " << at(image.rgba) << ", ImageMagick " << at(expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Pictures, ReferenceDecoding, ::testing::ValuesIn(Pictures()),
                         [](const ::testing::TestParamInfo<fs::path>& info) {
                             std::string name = info.param.stem().string();
                             if (!info.param.string().starts_with(ZT_PNG_FIXTURES)) {
                                 name = "system_" + std::to_string(info.index) + "_" + name;
                             }
                             std::replace_if(
                                 name.begin(), name.end(),
                                 [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
                             return name;
                         });

// Guards the fixture set itself: regenerating it must not lose a combination.
TEST(ReferencePictures, CoverEveryColourTypeDepthAndInterlace) {
    const char* const kinds[][6] = {{"grey", "1", "2", "4", "8", "16"},
                                    {"palette", "1", "2", "4", "8", nullptr},
                                    {"rgb", "8", "16", nullptr, nullptr, nullptr},
                                    {"greyalpha", "8", "16", nullptr, nullptr, nullptr},
                                    {"rgba", "8", "16", nullptr, nullptr, nullptr}};
    for (const auto& kind : kinds) {
        for (int d = 1; d < 6 && kind[d] != nullptr; ++d) {
            const std::string stem = std::string(kind[0]) + "-" + kind[d];
            for (const char* variant : {"", "-adam7"}) {
                EXPECT_TRUE(fs::exists(fs::path(ZT_PNG_FIXTURES) / (stem + variant + ".png")))
                    << stem << variant;
            }
            if (std::string(kind[0]) == "grey" || std::string(kind[0]) == "rgb" ||
                std::string(kind[0]) == "palette") {
                EXPECT_TRUE(fs::exists(fs::path(ZT_PNG_FIXTURES) / (stem + "-trns.png"))) << stem << "-trns";
            }
        }
    }
}

} // namespace
