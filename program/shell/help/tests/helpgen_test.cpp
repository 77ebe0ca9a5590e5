#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

class Helpgen : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device random;
        dir = fs::temp_directory_path() / ("helpgen-" + std::to_string(random()));
        fs::create_directories(dir / "in");
    }
    void TearDown() override { fs::remove_all(dir); }

    // Runs helpgen on one template; the expanded page, or nothing when helpgen refused it.
    std::optional<std::string> expand(const std::string& text) {
        { std::ofstream(dir / "in" / "page.html", std::ios::binary) << text; }
        const std::string command = std::string("\"") + HELPGEN + "\" \"" + (dir / "out").string() +
                                    "\" \"" + (dir / "in" / "page.html").string() +
                                    "\" 2>/dev/null";
        if (std::system(command.c_str()) != 0)
            return std::nullopt;
        std::ifstream in(dir / "out" / "page.html", std::ios::binary);
        std::stringstream out;
        out << in.rdbuf();
        return out.str();
    }

    fs::path dir;
};

TEST_F(Helpgen, QuotesTheProgramsTexts) {
    EXPECT_EQ(expand("<p>{{caption 0}} / {{digits 1}} / {{method 2}} / {{text errorTitle}}</p>"),
              "<p>Dwelling Square Ft. / 2 / Addition to Existing Dwelling / ERROR</p>");
    EXPECT_EQ(expand("{{text openError}}"),
              "Error opening file: &lt;file&gt;. Selected file appears not to be a valid dwelling "
              "file.");
    EXPECT_EQ(expand("plain text stays as it is"), "plain text stays as it is");
}

TEST_F(Helpgen, ReferenceTableKeepsItsColumnsAndRules) {
    const auto page = expand("{{table Note3}}");
    ASSERT_TRUE(page);
    EXPECT_EQ(page->find("<h2>DWELLING SERVICE ENTRANCE/FEEDER CONDUCTOR SIZES [NEC 310-16 Note 3]"
                         "</h2>"),
              0u);
    EXPECT_NE(page->find("\nService Size     Copper         Aluminum Or Copper Clad\n"),
              std::string::npos);
    EXPECT_NE(page->find("\n400               400 kcmil      600 kcmil\n"), std::string::npos);
    int rules = 0;
    for (auto at = page->find("<hr/>"); at != std::string::npos; at = page->find("<hr/>", at + 1))
        ++rules;
    EXPECT_EQ(rules, 2);
}

TEST_F(Helpgen, RefusesWhatItCannotFill) {
    for (const char* text : {"{{caption 20}}", "{{caption x}}", "{{text nothing}}",
                             "{{table Other}}", "{{unknown}}", "{{caption 1"})
        EXPECT_EQ(expand(text), std::nullopt) << text;
}

} // namespace
