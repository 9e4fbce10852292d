// A fixture whose tests each get a directory of their own under the temporary directory, named
// after the process and the test so parallel runs never share one, and removed with everything
// in it when the test ends.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>

class ScratchDirTest : public ::testing::Test {
  protected:
    explicit ScratchDirTest(const std::string& prefix)
        : m_dir(std::filesystem::temp_directory_path() /
                (prefix + std::to_string(::getpid()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
        std::filesystem::create_directories(m_dir);
    }
    ~ScratchDirTest() override {
        std::error_code ignored;
        std::filesystem::remove_all(m_dir, ignored);
    }
    std::string Path(const std::string& name) const { return (m_dir / name).string(); }
    // Writes `bytes` to the file `name` in the directory and returns its path.
    std::string Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(Path(name), std::ios::binary) << bytes;
        return Path(name);
    }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }

    std::filesystem::path m_dir;
};
