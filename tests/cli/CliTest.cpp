// Runs the real tesvora-cli executable and reads what it prints.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>

#include <nlohmann/json.hpp>

namespace {

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string quoted(const std::string& arg)
{
    std::string q = "'";
    for (char c : arg)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

CliRun runCli(const std::string& args)
{
    const auto errFile = std::filesystem::temp_directory_path() / ("tesvora-cli-err-" + std::to_string(::getpid()));
    const std::string command = quoted(TESVORA_CLI) + " " + args + " 2>" + quoted(errFile.string());
    CliRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return run;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0)
        run.out.append(buf, n);
    const int status = ::pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream in(errFile);
    std::stringstream ss;
    ss << in.rdbuf();
    run.err = ss.str();
    std::filesystem::remove(errFile);
    return run;
}

} // namespace

TEST(CliCells, PrintsEveryNonEmptyCellOfTheSampleBankInRowOrder)
{
    const CliRun run = runCli("cells " + quoted(TESVORA_SAMPLE_BANK));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto json = nlohmann::ordered_json::parse(run.out);
    ASSERT_EQ(json["sheets"].size(), 1u);
    const auto& sheet = json["sheets"][0];
    EXPECT_EQ(sheet["name"], "安全知识题库");
    EXPECT_EQ(sheet["firstRow"], 1);
    EXPECT_EQ(sheet["lastRow"], 31);
    EXPECT_EQ(sheet["firstCol"], 1);
    EXPECT_EQ(sheet["lastCol"], 8);
    const auto& cells = sheet["cells"];
    EXPECT_EQ(cells.begin().key(), "A1");
    EXPECT_EQ(std::next(cells.begin()).key(), "B1");
    EXPECT_EQ(cells["H1"], "正确答案");
    EXPECT_EQ(cells["C4"], "我国的火警电话是多少？");
    EXPECT_EQ(cells["D4"], "A. 110");
    EXPECT_EQ(cells["A31"], "30");
    EXPECT_EQ(cells["H14"], "ABC");
    EXPECT_EQ(cells["H15"], "ACD");
    EXPECT_FALSE(cells.contains("F22")) << "empty cells are left out";
    // 30 questions of 8 cells, the 10 true/false ones without C and D options, and 8 headings
    EXPECT_EQ(cells.size(), 8u + 30u * 8u - 10u * 2u);
}

TEST(CliCells, SheetOptionPicksOneSheet)
{
    const CliRun run = runCli("cells --sheet 1 " + quoted(TESVORA_SAMPLE_BANK));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(nlohmann::json::parse(run.out)["sheets"].size(), 1u);
}

TEST(CliCells, FailuresExitNonZeroWithTheReasonOnStderr)
{
    const struct {
        const char* name;
        std::string args;
        const char* message;
    } cases[] = {
        {"missing file", "cells /nonexistent/题库.xlsx", "文件不存在"},
        {"a folder", "cells " + quoted(std::filesystem::temp_directory_path().string()), "不是文件"},
        {"sheet past the last", "cells --sheet 2 " + quoted(TESVORA_SAMPLE_BANK), "没有这张表格"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CliRun run = runCli(c.args);
        EXPECT_NE(run.exitCode, 0);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
}
