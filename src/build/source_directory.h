// Steps the build commands share in the source directory: making it current (a failure ends the
// command with the general "I/O error %d" report) and moving the previous message file aside.
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

// Renames "output.c" of the current directory to "oldoutput.c" when it exists. The rename never
// replaces: while "oldoutput.c" exists, "output.c" stays where it is, and nothing is reported.
void MoveOldOutputAside();
