#include "program/shell/CommandLine.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace ampleton {
namespace {

const std::string kData = SHELL_TEST_DATA;

struct Outcome {
    int status;
    std::string out, err;
};

Outcome run(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int status = runCommandLine(args, out, err);
    return {status, out.str(), err.str()};
}

// The real executable, as a batch user runs it.
Outcome runExecutable(const std::string& arguments) {
    const std::string errFile =
        ::testing::TempDir() + "ampleton_stderr_" + std::to_string(::getpid()) + ".txt";
    const std::string command = std::string(AMPLETON_EXE) + " " + arguments + " 2>" + errFile;
    Outcome result{};
    FILE* pipe = ::popen(command.c_str(), "r");
    std::array<char, 4096> buf{};
    for (std::size_t n; (n = std::fread(buf.data(), 1, buf.size(), pipe)) > 0;)
        result.out.append(buf.data(), n);
    result.status = WEXITSTATUS(::pclose(pipe));
    struct Remove {
        const std::string& name;
        ~Remove() { std::remove(name.c_str()); }
    } removeErr{errFile};
    if (FILE* e = std::fopen(errFile.c_str(), "r")) {
        for (std::size_t n; (n = std::fread(buf.data(), 1, buf.size(), e)) > 0;)
            result.err.append(buf.data(), n);
        std::fclose(e);
    }
    return result;
}

TEST(CommandLine, CalcPrintsTheLoadResultAsJson) {
    const Outcome r = runExecutable("calc " + kData + "/worked.dwl");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(
        r.out,
        "{\"methodName\": \"Standard\", \"heatingFactor\": 1, \"heatingFactorText\": \"100%\", "
        "\"heatTypeText\": \"\", \"fourOrMoreUnits\": false, \"generalLoad\": 9000, "
        "\"generalDemand\": 5100, \"heatingDemand\": 10000, \"heatCoolLoad\": 10000, "
        "\"heatCoolChoice\": \"Heating\", \"cookingDemand\": 8000, \"dryerLoad\": 5000, "
        "\"fixedCount\": 3, \"fixedSum\": 6600, \"fixedDemand\": 6600, \"portableLoad\": 0, "
        "\"largestMotorLoad\": 900, \"largestMotorName\": \"Disposal\", \"otherLightingLoad\": "
        "1250, "
        "\"otherLightingText\": \"Continuous Load:  125% Demand\", \"applianceSum\": 0, "
        "\"otherLoad\": 0, \"otherLoadDemand\": 0, \"netLoad\": 36175, \"serviceAmps\": 151}\n");
}

TEST(CommandLine, ReportPrintsTheLinesInUtf8) {
    const Outcome r = runExecutable("report " + kData + "/optional.dwl");
    EXPECT_EQ(r.status, 0);
    std::istringstream lines(r.out);
    std::string first, line;
    std::getline(lines, first);
    EXPECT_EQ(first, "      OPTIONAL SERVICE/FEEDER LOAD CALCULATION - One Family Dwelling");
    bool sauna = false, net = false;
    while (std::getline(lines, line)) {
        sauna = sauna || line.rfind("Sauna ....", 0) == 0;
        net = net ||
              line == "NET COMPUTED LOAD ........................................... :  22151 VA";
    }
    EXPECT_TRUE(sauna);
    EXPECT_TRUE(net);

    // The rule under the general lighting lines is 56 soft hyphens.
    std::string rule;
    for (int i = 0; i < 56; ++i)
        rule += "\u00AD";
    const Outcome standard = run({"report", kData + "/worked.dwl"});
    EXPECT_NE(standard.out.find("\n" + rule + "\n"), std::string::npos);
}

TEST(CommandLine, DryerBelowTheMinimumIsCountedAt5000) {
    const Outcome r = runExecutable("calc " + kData + "/small-dryer.dwl");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, std::string(kDryerMinimumMessage) + "\n");
    EXPECT_NE(r.out.find("\"dryerLoad\": 5000"), std::string::npos);

    const Outcome report = run({"report", kData + "/small-dryer.dwl"});
    EXPECT_NE(report.out.find("Dryer ....:   5000 VA\n"), std::string::npos);
}

TEST(CommandLine, InvalidFileIsRefused) {
    for (const std::string name : {"bad-signature.dwl", "missing.dwl"}) {
        const std::string path = kData + "/" + name;
        const Outcome r = runExecutable("calc " + path);
        EXPECT_EQ(r.status, 2) << name;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "Error opening file: " + path +
                             ". Selected file appears not to be a valid dwelling file.\n");
    }
}

TEST(CommandLine, TablePrintsElementsZeroToN) {
    const Outcome r = runExecutable("table Note3");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 27);
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')),
              "DWELLING SERVICE ENTRANCE/FEEDER CONDUCTOR SIZES [NEC 310-16 Note 3]");
    EXPECT_NE(r.out.find("Service Size\tCopper    \t"), std::string::npos);

    const Outcome unknown = run({"table", "Note4"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(unknown.out, "");
    EXPECT_NE(unknown.err.find("Note4"), std::string::npos);
}

TEST(CommandLine, HelpAndUsageErrors) {
    const Outcome help = runExecutable("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("calc FILE.dwl"), std::string::npos);
    EXPECT_NE(help.out.find("table KEY"), std::string::npos);

    EXPECT_EQ(run({"frobnicate"}).status, 2);
    EXPECT_EQ(run({"calc"}).status, 2);
    EXPECT_EQ(run({"calc", "a", "b"}).status, 2);
}

TEST(LoadResultJson, EscapesTexts) {
    LoadResult r;
    r.largestMotorName = "12\" \\ saw\x01";
    const std::string json = loadResultJson(r);
    EXPECT_NE(json.find("\"largestMotorName\": \"12\\\" \\\\ saw\\u0001\""), std::string::npos);
    EXPECT_NE(json.find("\"heatingFactor\": 0,"), std::string::npos);
}

TEST(LoadResultJson, FractionsKeepTheirSinglePrecisionValue) {
    LoadResult r;
    r.heatingDemand = 6500.65f;
    r.otherLoad = 1499985;
    r.netLoad = -0.5f;
    const std::string json = loadResultJson(r);
    EXPECT_NE(json.find("\"heatingDemand\": 6500.65,"), std::string::npos);
    EXPECT_NE(json.find("\"otherLoad\": 1499985,"), std::string::npos);
    EXPECT_NE(json.find("\"netLoad\": -0.5,"), std::string::npos);
}

} // namespace
} // namespace ampleton
