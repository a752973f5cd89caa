#pragma once

// Runs the real qv-tool (QV_TOOL_PATH) with its output kept in files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace qvtool::test {

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string Slurp(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Runs qv-tool to its end; stdout and stderr go through files in dir.
inline ToolRun RunTool(const std::vector<std::string>& args, const std::filesystem::path& dir)
{
    std::string cmd = QV_TOOL_PATH;
    for (const auto& a : args)
        cmd += " '" + a + "'";
    cmd += " >'" + (dir / "out").string() + "' 2>'" + (dir / "err").string() + "'";
    const int raw = std::system(cmd.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Slurp(dir / "out"), Slurp(dir / "err")};
}

// A fresh folder per test for the files the tool reads and writes.
class ToolFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = std::filesystem::temp_directory_path() /
               ("qv-tool-" + std::string(test->test_suite_name()) + "-" + test->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    ToolRun tool(const std::vector<std::string>& args) const { return RunTool(args, dir_); }

    std::string write(const std::string& name, const std::string& content) const
    {
        std::ofstream(dir_ / name, std::ios::binary) << content;
        return (dir_ / name).string();
    }

    std::filesystem::path dir_;
};

} // namespace qvtool::test
