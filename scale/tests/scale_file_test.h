#pragma once

// A folder of the test's own for library files, gone after the test.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace qv::test {

class ScaleFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = std::filesystem::temp_directory_path() /
                 ("qv_scale_" + std::string(::testing::UnitTest::GetInstance()->current_test_suite()->name()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::string path(const std::string& name) const { return (folder / name).string(); }

    std::string write(const std::string& name, const std::vector<uint8_t>& bytes) const
    {
        const std::string file = path(name);
        std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), long(bytes.size()));
        return file;
    }

    static std::vector<uint8_t> read(const std::string& file)
    {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    std::filesystem::path folder;
};

} // namespace qv::test
