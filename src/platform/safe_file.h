// Safe replacement of a file's content: the new content goes into a temporary file beside the
// target, which then takes the target's place in one rename. A failure at any step leaves the
// old file as it was.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>

class ESafeSaveError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Calls write with the path of a fresh temporary file in the directory of the target (of the
// file a symbolic link points to, when the target is one), then renames that file over the
// target, keeping the target's permissions (a new file gets the usual ones, 0666 less the
// umask). A target that exists but may not be written is refused, as a direct write would be.
// Exceptions of write pass through; errors of the other steps raise ESafeSaveError. Either way
// the temporary file is removed and the target is untouched.
void WriteFileSafely(const std::string& fileName,
                     const std::function<void(const std::string& tempName)>& write);

// Where a write to fileName lands: symbolic links followed (at most 40 of them).
std::string ResolveWriteTarget(const std::string& fileName);
