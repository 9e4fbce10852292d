// File and directory services: a rename that never replaces an existing file, file-existence
// tests, whether a directory can be a tool's working directory, and the process's current
// directory (read, never changed).
#pragma once

#include <stdexcept>
#include <string>

// A failed system call on a file, keeping the error number so a caller can tell a full disk from
// other failures and name the file the user knows.
class EFileError : public std::runtime_error {
  public:
    EFileError(const std::string& message, int errorCode)
        : std::runtime_error(message), m_errorCode(errorCode) {}
    int ErrorCode() const { return m_errorCode; }

  private:
    int m_errorCode;
};

// What an error number means for a file being written, in the user's words: a full disk or
// quota says so plainly instead of giving the bare number.
std::string WriteErrorText(int errorCode);

// True for the error numbers of a disk (or the user's share of it) that has no room left.
bool IsDiskFull(int errorCode);

// Renames (moves) a file; fails, leaving both names alone, when newName already exists.
bool RenameFileNoReplace(const std::string& oldName, const std::string& newName);

// A descriptor opened for reading: -1 when the open failed, then with the errno value, or with
// zero when the name is no regular file.
struct TReadDescriptor {
    int Fd = -1;
    int Error = 0;
};

// Opens a regular file for reading without ever waiting on a pipe or device (which are refused
// before anything is read from them). The caller closes the descriptor.
TReadDescriptor OpenRegularFileForReading(const std::string& fileName);

// True when a file (not a directory) of that name exists; relative names count from the
// current directory.
bool FileExists(const std::string& fileName);

// 0 when dir is a directory a process may work in (it exists and may be searched), else the
// error number entering it would give (ENOENT for an empty name).
int DirectoryEntryError(const std::string& dir);

// The process's current directory.
std::string GetCurrentDir();
