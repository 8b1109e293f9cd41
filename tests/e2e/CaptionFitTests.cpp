// Every caption of both windows whole and no two controls over each other, in the faces that the
// layouts name and in a deliberately wider face put in their place, at 96 and 144 dpi. The windows
// are built by ZtCaptionProbe.exe, started anew for each case: the system dpi and the faces are read
// when a process starts.
#include "Process.h"
#include "SystemDpi.h"
#include "tests/support/Bytes.h"
#include "tests/support/ScratchFolder.h"

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

// The faces of both layouts replaced by a wider one, through Wine's font replacements, for the
// processes started while the object lives.
class WiderFaces {
public:
    static constexpr const wchar_t* kKey = L"Software\\Wine\\Fonts\\Replacements";
    static constexpr const wchar_t* kWider = L"DejaVu Sans";

    WiderFaces() {
        if (RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key_,
                            nullptr) != ERROR_SUCCESS)
            throw std::runtime_error("cannot open Wine's font replacements");
        for (const wchar_t* face : {L"Tahoma", L"MS Sans Serif", L"MS Serif"})
            RegSetValueExW(key_, face, 0, REG_SZ, reinterpret_cast<const BYTE*>(kWider),
                           static_cast<DWORD>((wcslen(kWider) + 1) * sizeof(wchar_t)));
    }
    ~WiderFaces() {
        for (const wchar_t* face : {L"Tahoma", L"MS Sans Serif", L"MS Serif"})
            RegDeleteValueW(key_, face);
        RegCloseKey(key_);
    }
    WiderFaces(const WiderFaces&) = delete;
    WiderFaces& operator=(const WiderFaces&) = delete;

private:
    HKEY key_ = nullptr;
};

struct Case {
    int dpi;
    bool wider;
};

Report Probe(const Case& c) {
    const ScratchFolder folder; // the probe alone: no engine, no error module
    const std::filesystem::path probe = folder.CopyIn(ExecutableFolder() / L"ZtCaptionProbe.exe");
    const std::wstring report = folder.File(L"report.txt");
    std::optional<WiderFaces> faces;
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
        EXPECT_EQ(report.mainFace, "DejaVu Sans") << "the wider face did not take the layout's place";
        EXPECT_EQ(report.progressFace, "DejaVu Sans") << "the wider face did not take the layout's place";
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

TEST(CaptionFit, InTheLayoutsFacesAt96DpiEveryControlKeepsItsPlaceInTheTables) {
    const Report report = Probe({96, false});
    int compared = 0;
    for (const Shown& c : report.controls)
        if (c.layout) {
            EXPECT_EQ(c.place, *c.layout) << c.name;
            ++compared;
        }
    EXPECT_GT(compared, 30);
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
