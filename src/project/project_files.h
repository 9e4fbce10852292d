// The files of a project: a walk of a directory tree that lists the regular files whose names
// fit a mask, skipping hidden directories and never following a symbolic link out of the tree.
#pragma once

#include <stop_token>
#include <string>
#include <vector>

#include "project/file_mask.h"

// Paths relative to root ("src/main.c"), in a stable order: a directory's files by name, then
// its subdirectories by name. Directories whose name starts with '.' are skipped. A symbolic
// link to a file is listed when the file lies inside the tree; a link to a directory is not
// followed (inside the tree its files are listed already, outside they are not the project's),
// so link loops end nothing. Pipes, devices and sockets are left out. An unreadable directory
// is passed over. A requested stop ends the walk early.
std::vector<std::string> ListProjectFiles(const std::string& root, const TFileMask& mask,
                                          std::stop_token stop = {});
