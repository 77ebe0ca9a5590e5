// Runs dvscript on small scripts and compares what they print and the documents they save with
// golden files kept beside this test. $DIR in a script is the test's own temporary folder.

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

const std::filesystem::path kGolden = DVSCRIPT_GOLDEN;

std::string readAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

struct Outcome {
    int status = -1;
    std::string output;
};

class EndToEndTest : public ::testing::TestWithParam<const char*> {
protected:
    Outcome run(const std::filesystem::path& script) {
        QProcess p;
        auto env = QProcessEnvironment::systemEnvironment();
        // An empty registry: the program falls back to the library beside it.
        env.insert("AMPLETON_COM_REGISTRY", registry_.path());
        env.insert("AMPLETON_PRINTERS", "pdf");
        env.insert("LC_ALL", "C");
        p.setProcessEnvironment(env);
        p.start(DVSCRIPT_PROGRAM, {QString::fromStdString(script.string())});
        EXPECT_TRUE(p.waitForFinished(60000));
        return {p.exitCode(), p.readAllStandardOutput().toStdString()};
    }
    std::filesystem::path dir() const { return dir_.path().toStdString(); }

    QTemporaryDir dir_;
    QTemporaryDir registry_;
};

TEST_P(EndToEndTest, OutputAndSavedDocumentMatchTheGoldenFiles) {
    const std::string name = GetParam();
    std::string script = readAll(kGolden / (name + ".dvs"));
    for (std::size_t at; (at = script.find("$DIR")) != std::string::npos;)
        script.replace(at, 4, dir().string());
    const auto scriptPath = dir() / "script.dvs";
    std::ofstream(scriptPath, std::ios::binary) << script;

    const Outcome r = run(scriptPath);
    EXPECT_EQ(r.status, 0);
    std::string expected = readAll(kGolden / (name + ".out"));
    for (std::size_t at; (at = expected.find("$DIR")) != std::string::npos;)
        expected.replace(at, 4, dir().string());
    EXPECT_EQ(r.output, expected);
    EXPECT_EQ(readAll(dir() / "out.dvd"), readAll(kGolden / (name + ".dvd")));
}

INSTANTIATE_TEST_SUITE_P(Scripts, EndToEndTest, ::testing::Values("report", "shapes", "reopen"));

TEST(DvscriptTest, AnUnreadableScriptEndsWithStatus2) {
    QProcess p;
    p.start(DVSCRIPT_PROGRAM, {"/nonexistent/script.dvs"});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 2);
}

} // namespace
