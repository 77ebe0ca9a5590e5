#pragma once
// The fixture of the renderer tests: a printer of known resolution, scripted message boxes, and
// a temporary folder of the process's own, so that a test can tell rendering left no file behind.

#include "component/render/RenderPage.h"
#include "component/render/tests/RenderTestSupport.h"
#include "component/render/tests/TestPrinter.h"
#include "platform/gdi/Gdi.h"
#include "platform/host/ScriptedDialogs.h"
#include "platform/host/TestApplication.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace docuvel::test {

inline constexpr QRgb kWhite = qRgb(255, 255, 255);
inline constexpr QRgb kBlack = qRgb(0, 0, 0);
inline constexpr QRgb kRed = qRgb(255, 0, 0);
inline constexpr QRgb kBlue = qRgb(0, 0, 255);
inline constexpr QRgb kGreen = qRgb(0, 255, 0);
inline constexpr std::int32_t kRedRef = 0x0000FF;
inline constexpr std::int32_t kBlueRef = 0xFF0000;
inline constexpr int kDpi = 600;

class TempFolder {
public:
    TempFolder() : dir_(uniquePath("render-tmp", "")) {
        std::filesystem::create_directories(dir_);
        // Not empty, so temporary names are made here.
        std::ofstream(dir_ / "keep");
        setenv("TMPDIR", dir_.c_str(), 1);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    const std::filesystem::path& dir() const { return dir_; }
    // Files in the folder other than the marker and the tests' own documents (Qt keeps a
    // runtime folder here too).
    std::vector<std::string> leftovers() const {
        std::vector<std::string> out;
        for (const auto& e : std::filesystem::directory_iterator(dir_)) {
            const std::string name = e.path().filename().string();
            if (e.is_regular_file() && name != "keep" && name.rfind("render-test", 0) != 0)
                out.push_back(name);
        }
        return out;
    }

private:
    std::filesystem::path dir_;
};

inline TempFolder& tempFolder() {
    static TempFolder folder;
    return folder;
}

class RenderFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        tempFolder();
        host::testApplication();
        useTestPrinter();
    }
    void TearDown() override { EXPECT_EQ(tempFolder().leftovers(), std::vector<std::string>{}); }

    // Renders onto a surface of w x h pixels at the printer's resolution, filled with paper first.
    QImage render(TestDocument& doc, int page, int w, int h, QRgb paper = kWhite) {
        return renderPath(doc.path(), page, w, h, paper);
    }
    QImage renderPath(const std::string& path, int page, int w, int h, QRgb paper = kWhite,
                      int dpi = kDpi) {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(paper);
        gdi::DeviceCaps caps;
        caps.logPixelsX = caps.logPixelsY = dpi;
        caps.physicalWidth = w;
        caps.physicalHeight = h;
        {
            gdi::Dc dc(image, caps);
            setPictureSurface(&dc);
            RenderPage(dc, path, std::int16_t(page), w, h);
            setPictureSurface(nullptr);
        }
        return image;
    }

    host::ScriptedDialogs dialogs;
};

} // namespace docuvel::test
