// Source directory steps of the build commands.
#include "toolrun/source_directory.h"

#include <cerrno>

#include "platform/files.h"

EInOutError::EInOutError(int errorCode)
    : std::runtime_error("I/O error " + std::to_string(errorCode)), m_errorCode(errorCode) {}

void EnterSourceDir(const std::string& dir) {
    errno = 0;
    if (!SetCurrentDir(dir)) throw EInOutError(errno);
}
