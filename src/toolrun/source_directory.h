// The working directory of a build command's tool: the source directory (or the project's) must
// be one a tool can run in; a failure ends the command with the general "I/O error %d" report.
#pragma once

#include <stdexcept>
#include <string>

// An input or output failure of the platform; the message is "I/O error <number>".
class EInOutError : public std::runtime_error {
  public:
    explicit EInOutError(int errorCode);
    int ErrorCode() const { return m_errorCode; }

  private:
    int m_errorCode;
};

// Throws EInOutError with the platform's error number when dir cannot be a tool's working
// directory (a removed directory, or the empty directory of a document never saved). The
// program's own current directory is never changed: the tool is started in dir.
void CheckSourceDir(const std::string& dir);
