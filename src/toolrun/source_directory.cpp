// The working directory check of the build commands.
#include "toolrun/source_directory.h"

#include "platform/files.h"

EInOutError::EInOutError(int errorCode)
    : std::runtime_error("I/O error " + std::to_string(errorCode)), m_errorCode(errorCode) {}

void CheckSourceDir(const std::string& dir) {
    if (const int error = DirectoryEntryError(dir)) throw EInOutError(error);
}
