#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

// A folder of its own for each test, removed afterwards.
struct MacroFolder {
    MacroFolder() { std::filesystem::create_directories(folder); }
    ~MacroFolder() { std::filesystem::remove_all(folder); }
    MacroFolder(const MacroFolder&) = delete;
    MacroFolder& operator=(const MacroFolder&) = delete;

    std::string path(const std::string& name) const { return (folder / name).string(); }
    std::string write(const std::string& name, const std::string& text) const
    {
        std::ofstream(path(name), std::ios::binary) << text;
        return path(name);
    }
    std::string read(const std::string& name) const
    {
        std::ifstream in(path(name), std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                   ("qv-macro-" + std::to_string(getpid()) + "-" +
                                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
};
