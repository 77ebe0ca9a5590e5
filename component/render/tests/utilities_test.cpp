#include "component/render/Utilities.h"

#include "platform/host/TestApplication.h"
#include "platform/host/printer/Printer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>

namespace docuvel {
namespace {
namespace fs = std::filesystem;

// Each test has a temporary folder of its own, named by TMPDIR.
class UtilitiesTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "utiltest-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        setenv("TMPDIR", dir_.c_str(), 1);
    }
    void TearDown() override {
        unsetenv("TMPDIR");
        fs::remove_all(dir_);
    }
    fs::path dir_;
};

TEST_F(UtilitiesTest, TempFileIsNewEmptyAndPrivate) {
    std::set<std::string> names;
    for (int i = 0; i < 50; ++i) {
        const fs::path p = MakeTempFileName();
        EXPECT_EQ(p.parent_path(), dir_); // an empty folder is used, not passed over
        EXPECT_TRUE(p.filename().string().starts_with("dvc"));
        EXPECT_EQ(p.extension(), ".tmp");
        ASSERT_TRUE(fs::is_regular_file(p));
        EXPECT_EQ(fs::file_size(p), 0u);
        EXPECT_EQ(fs::status(p).permissions() & fs::perms::all,
                  fs::perms::owner_read | fs::perms::owner_write);
        names.insert(p.string());
    }
    EXPECT_EQ(names.size(), 50u);
}

TEST_F(UtilitiesTest, MissingTemporaryFolderFallsBackToTmp) {
    setenv("TMPDIR", (dir_ / "gone").c_str(), 1);
    const fs::path p = MakeTempFileName();
    EXPECT_EQ(p.parent_path(), fs::path("/tmp"));
    EXPECT_TRUE(fs::exists(p));
    fs::remove(p);
}

TEST_F(UtilitiesTest, FileExists) {
    const fs::path file = dir_ / "doc.dvd";
    std::ofstream(file) << "x";
    struct Case {
        std::string path;
        bool exists;
    };
    const Case cases[] = {
        {file.string(), true},
        {dir_.string(), true}, // a folder has attributes too
        {(dir_ / "missing").string(), false},
        {(file / "below").string(), false},
        {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FileExists(c.path), c.exists) << c.path;
}

struct PaperCase {
    float width, height;
    std::optional<host::PaperCode> paper;
};

TEST(SelectPrinterPaper, PageSizesChooseThePaperEitherWayRound) {
    const PaperCase cases[] = {
        {8.5f, 11, host::PaperCode::Letter},
        {11, 8.5f, host::PaperCode::Letter},
        {8.5f, 14, host::PaperCode::Legal},
        {14, 8.5f, host::PaperCode::Legal},
        {17, 11, host::PaperCode::Tabloid},
        {11, 17, host::PaperCode::Tabloid},
        {5.5f, 8.5f, host::PaperCode::Statement},
        {7.5f, 10.5f, host::PaperCode::Executive},
        {8, 10, std::nullopt},
        {8.5f, 11.01f, std::nullopt},
    };
    host::testApplication();
    host::setPrinterSources(host::PrinterSources::PdfOnly);
    ASSERT_TRUE(host::printer().select(host::kPdfPrinterName));
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        EXPECT_EQ(paperForPage(c.width, c.height), c.paper);
        host::printer().setPaperSize(int(host::PaperCode::A4));
        SelectPrinterPaper(c.width, c.height);
        EXPECT_EQ(host::printer().paperSize(), int(c.paper.value_or(host::PaperCode::A4)));
    }
}

} // namespace
} // namespace docuvel
