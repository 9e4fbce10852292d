// Safe replacement of a file's content: the new content goes into a temporary file beside the
// target, which then takes the target's place in one rename. A failure at any step leaves the
// old file as it was.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>

#include "platform/files.h"

// The message names the file the user saved, with the reason ("The disk is full" when it is).
class ESafeSaveError : public EFileError {
  public:
    using EFileError::EFileError;
};

// Calls write with the path of a fresh temporary file in the directory of the target (of the
// file a symbolic link points to, when the target is one), then renames that file over the
// target, keeping the target's permissions (a new file gets the usual ones, 0666 less the
// umask). A target that exists but may not be written is refused, as a direct write would be.
// When the directory takes no new files but the target may be written, the target is rewritten
// in place: the new content is made in memory, the file's new size is reserved on the disk before
// a byte of it changes, and the file is cut to the new length at the end; when the room cannot be
// had the file stays as it was.
// An EFileError of write, and errors of the other steps, raise ESafeSaveError naming fileName;
// other exceptions of write pass through. Either way the temporary file is removed and the target
// is untouched. Stale temporary files of earlier saves in the directory are removed first.
void WriteFileSafely(const std::string& fileName,
                     const std::function<void(const std::string& tempName)>& write);

// Removes the temporary files that saves of this program left in the directory when they were
// killed: files named like ours, owned by us, older than this process and made by a process that
// no longer runs. Returns how many were removed.
int RemoveStaleSaveFiles(const std::string& directory);

// The name of a temporary file for saving `target` made by the process `pid`, with "XXXXXX" for
// mkstemp to fill in. Exposed so tests can plant the leftovers of a killed save.
std::string SaveFilePattern(const std::string& target, long pid);

// Where a write to fileName lands: symbolic links followed (at most 40 of them).
std::string ResolveWriteTarget(const std::string& fileName);
