// Making the source directory current for a build command; a failure ends the command with the
// general "I/O error %d" report.
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

// Makes dir the current directory; throws EInOutError with the platform's error number when that
// fails (a removed directory, or the empty directory of a document never saved).
void EnterSourceDir(const std::string& dir);
