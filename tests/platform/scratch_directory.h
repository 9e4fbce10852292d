// A temporary directory for tests that need real files, removed with everything in it.
#pragma once

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

class ScratchDirectory {
  public:
    ScratchDirectory() {
        std::string pattern = (std::filesystem::temp_directory_path() / "quillon-XXXXXX").string();
        m_path = mkdtemp(pattern.data());
    }
    ~ScratchDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::string& Path() const { return m_path; }
    std::string operator/(const std::string& name) const { return m_path + "/" + name; }

    // Writes `text` to the file `name` (creating its directories) with the given mode.
    std::string Write(const std::string& name, const std::string& text, mode_t mode = 0644) const {
        std::filesystem::path file = std::filesystem::path(m_path) / name;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << text;
        chmod(file.c_str(), mode);
        return file.string();
    }
    // A small executable shell script.
    std::string Script(const std::string& name, const std::string& body = "exit 0\n") const {
        return Write(name, "#!/bin/sh\n" + body, 0755);
    }
    std::string Read(const std::string& name) const {
        std::ifstream in(m_path + "/" + name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

  private:
    std::string m_path;
};
