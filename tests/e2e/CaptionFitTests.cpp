// Every caption of both windows whole and no two controls over each other, in the faces that the
// layouts name and in a deliberately wider face put in their place, at 96 and 144 dpi. The windows
// are built by ZtCaptionProbe.exe, started anew for each case: the system dpi and the faces are read
// when a process starts.
#include "Process.h"
#include "SystemDpi.h"
#include "tests/support/Bytes.h"
#include "tests/support/ScratchFolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>
#include <windows.h>

namespace zt::e2e {
namespace {

using test::ExecutableFolder;
using test::ScratchFolder;

struct Box {
    int left = 0, top = 0, width = 0, height = 0;
    int Right() const { return left + width; }
    int Bottom() const { return top + height; }
    bool Overlaps(const Box& o) const {
        return left < o.Right() && o.left < Right() && top < o.Bottom() && o.top < Bottom();
    }
    bool operator==(const Box&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Box& b) {
    return out << b.left << "," << b.top << " " << b.width << "x" << b.height;
}

struct Shown {
    std::string name, parent, kind, text;
    Box place;
    int needWidth = 0, needHeight = 0;
    int parentWidth = 0, parentHeight = 0;
    std::optional<Box> layout;
};

struct Report {
    std::string mainFace, progressFace;
    std::vector<Shown> controls;
};

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, '\t');)
        fields.push_back(field);
    return fields;
}

Report Parse(const std::string& text) {
    Report report;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        const std::vector<std::string> f = Fields(line);
        if (f.size() == 3 && f[0] == "faces") {
            report.mainFace = f[1];
            report.progressFace = f[2];
            continue;
        }
        if (f.size() != 13)
            throw std::runtime_error("unreadable report line: " + line);
        Shown s;
        s.name = f[0];
        s.parent = f[1];
        s.kind = f[2];
        s.text = f[3];
        s.place = {std::stoi(f[4]), std::stoi(f[5]), std::stoi(f[6]), std::stoi(f[7])};
        s.needWidth = std::stoi(f[8]);
        s.needHeight = std::stoi(f[9]);
        s.parentWidth = std::stoi(f[10]);
        s.parentHeight = std::stoi(f[11]);
        if (f[12] != "-") {
            Box b;
            std::istringstream(f[12]) >> b.left >> b.top >> b.width >> b.height;
            s.layout = b;
        }
        report.controls.push_back(std::move(s));
    }
    return report;
}

// The faces of both layouts gone from the prefix's Fonts folder for the processes started while the
// object lives, so that Wine falls back to a wider face, as it does where its own fonts are missing.
// (Wine's font replacements and substitutes give way to a face that is installed.)
class HiddenLayoutFaces {
public:
    HiddenLayoutFaces() {
        wchar_t windows[MAX_PATH] = {};
        GetWindowsDirectoryW(windows, MAX_PATH);
        const std::filesystem::path fonts = std::filesystem::path(windows) / L"Fonts";
        for (const auto& entry : std::filesystem::directory_iterator(fonts)) {
            std::wstring name = entry.path().filename().wstring();
            for (wchar_t& c : name)
                c = static_cast<wchar_t>(towlower(c));
            if (name.starts_with(L"tahoma") || name.starts_with(L"ms_sans_serif") ||
                name.starts_with(L"sserif")) {
                // Away from the folder: Wine reads every file in it, whatever its name.
                std::filesystem::rename(entry.path(), aside_.Path() / entry.path().filename());
                hidden_.emplace_back(entry.path());
            }
        }
        if (hidden_.empty())
            throw std::runtime_error("the layouts' faces are not in the prefix's Fonts folder");
    }
    ~HiddenLayoutFaces() {
        for (const std::filesystem::path& font : hidden_) {
            std::error_code ignored;
            std::filesystem::rename(aside_.Path() / font.filename(), font, ignored);
        }
    }
    HiddenLayoutFaces(const HiddenLayoutFaces&) = delete;
    HiddenLayoutFaces& operator=(const HiddenLayoutFaces&) = delete;

private:
    ScratchFolder aside_;
    std::vector<std::filesystem::path> hidden_; // where each font was
};

struct Case {
    int dpi;
    bool wider;
};

Report Probe(const Case& c) {
    const ScratchFolder folder; // the probe alone: no engine, no error module
    const std::filesystem::path probe = folder.CopyIn(ExecutableFolder() / L"ZtCaptionProbe.exe");
    const std::wstring report = folder.File(L"report.txt");
    std::optional<HiddenLayoutFaces> faces;
    if (c.wider)
        faces.emplace();
    const SystemDpi dpi(static_cast<DWORD>(c.dpi));
    const Process process = Process::Launch(probe.wstring(), folder.Path().wstring(), L"\"" + report + L"\"");
    const DWORD exitCode = process.WaitForExit(std::chrono::seconds(60));
    if (exitCode != 0)
        throw std::runtime_error("the probe ended with " + std::to_string(exitCode));
    return Parse(test::ReadBytes(report));
}

class CaptionFitTest : public ::testing::TestWithParam<Case> {};

TEST_P(CaptionFitTest, EveryCaptionIsWholeAndNoControlCoversAnother) {
    const Report report = Probe(GetParam());
    if (GetParam().wider) {
        EXPECT_NE(report.mainFace, "Tahoma") << "another face takes the layout's place";
        EXPECT_NE(report.progressFace, "MS Sans Serif") << "another face takes the layout's place";
        int tooNarrow = 0;
        for (const Shown& c : report.controls)
            if (c.layout && c.needWidth > c.layout->width)
                ++tooNarrow;
        EXPECT_GT(tooNarrow, 5) << "the face in use is wider than the tables' sizes allow";
    } else {
        EXPECT_EQ(report.mainFace, "Tahoma");
        EXPECT_EQ(report.progressFace, "MS Sans Serif");
    }
    ASSERT_GT(report.controls.size(), 30u);

    std::map<std::string, std::vector<const Shown*>> byParent;
    for (const Shown& c : report.controls) {
        SCOPED_TRACE(c.name + " \"" + c.text + "\" at " + testing::PrintToString(c.place));
        EXPECT_LE(c.needWidth, c.place.width) << "caption cut: it needs " << c.needWidth << " pixels across";
        EXPECT_LE(c.needHeight, c.place.height) << "caption cut: it needs " << c.needHeight << " pixels down";
        EXPECT_LE(c.place.Right(), c.parentWidth) << "beyond the right edge of its parent";
        EXPECT_LE(c.place.Bottom(), c.parentHeight) << "beyond the bottom edge of its parent";
        byParent[c.parent].push_back(&c);
    }
    // Siblings apart in the layout stay apart (the layout itself lets the two time lines share a row
    // of pixels).
    for (const auto& [parent, children] : byParent)
        for (std::size_t i = 0; i < children.size(); ++i)
            for (std::size_t j = i + 1; j < children.size(); ++j) {
                const Shown& a = *children[i];
                const Shown& b = *children[j];
                if (a.layout && b.layout && a.layout->Overlaps(*b.layout))
                    continue;
                EXPECT_FALSE(a.place.Overlaps(b.place))
                    << a.name << " at " << a.place << " overlaps " << b.name << " at " << b.place;
            }
}

// Wine's own Tahoma is a few pixels wider than the designer's for some captions: those controls
// grow to their text (the other test sees that they fit), keeping their place and height.
TEST(CaptionFit, InTheLayoutsFacesAt96DpiEveryControlKeepsItsPlaceInTheTables) {
    const Report report = Probe({96, false});
    int compared = 0;
    for (const Shown& c : report.controls) {
        if (!c.layout)
            continue;
        ++compared;
        if (c.needWidth <= c.layout->width) {
            EXPECT_EQ(c.place, *c.layout) << c.name;
        } else {
            EXPECT_EQ(c.place.left, c.layout->left) << c.name;
            EXPECT_EQ(c.place.top, c.layout->top) << c.name;
            EXPECT_EQ(c.place.height, c.layout->height) << c.name;
            EXPECT_GE(c.place.width, c.needWidth) << c.name;
        }
    }
    EXPECT_EQ(compared, 35) << "every row of the two tables";
}

INSTANTIATE_TEST_SUITE_P(Faces, CaptionFitTest,
                         ::testing::Values(Case{96, false}, Case{144, false}, Case{96, true},
                                           Case{144, true}),
                         [](const auto& info) {
                             return std::string(info.param.wider ? "WiderFace" : "LayoutFaces") + "At" +
                                    std::to_string(info.param.dpi) + "Dpi";
                         });

} // namespace
} // namespace zt::e2e
