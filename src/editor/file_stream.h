// A file opened for reading or created for writing, raising EFileStreamError on failure.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

#include "platform/files.h"

// The error number is kept (0 when the failure had none), so a save can report a full disk.
class EFileStreamError : public EFileError {
  public:
    explicit EFileStreamError(const std::string& message, int errorCode = 0)
        : EFileError(message, errorCode) {}
};

class TSynFileStream {
  public:
    enum class Mode { Read, Create };

    // Read: opens an existing regular file. Create: creates the file or truncates it.
    TSynFileStream(const std::string& fileName, Mode mode);
    ~TSynFileStream();
    TSynFileStream(const TSynFileStream&) = delete;
    TSynFileStream& operator=(const TSynFileStream&) = delete;

    std::uint64_t Size() const;
    // Reads up to `count` bytes; returns 0 only at the end of the file.
    std::size_t Read(char* buffer, std::size_t count);
    void WriteAll(const char* data, std::size_t count);
    // Closes the file, reporting an error the close itself raises; also done by the destructor.
    void Close();

  private:
    int m_fd = -1;
    std::uint64_t m_bytesRead = 0;
};

// Test seam: when set, every read first calls `fault` with the bytes its stream has read so
// far; an exception it throws fails that read, as a failing disk would. Set it only while no
// stream reads; an empty function removes it.
void SetReadFaultForTesting(std::function<void(std::uint64_t bytesRead)> fault);
