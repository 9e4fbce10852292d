// The project of a document: the nearest directory at or above the document's own that holds a
// Makefile, else the document's own directory. Builds, searches and symbols work on it.
#pragma once

#include <string>

// True when the directory (with or without a trailing '/') holds a regular file (or a link to
// one) named Makefile, makefile or GNUmakefile, the names make reads by default.
bool HoldsMakefile(const std::string& directory);

// The project directory of the document at documentPath, ending in '/'. A relative path is taken
// from the current directory; "." stands for the current directory itself. The walk goes up the
// path as written (symbolic links are not resolved), so a document reached through a link belongs
// to the project around the link.
std::string ProjectDirectoryOf(const std::string& documentPath);

// True when the file lies in the project directory or below it: compared as written (made
// absolute, "." and ".." resolved) and, failing that, with symbolic links resolved, so a file
// opened through a link into the project counts too.
bool IsInProject(const std::string& path, const std::string& projectDir);
