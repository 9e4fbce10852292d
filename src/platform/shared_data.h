// Where the program's shared files (the tools and the examples) are: share/quillon/<name> of an
// installed program, beside its bin directory, else <name> of the source tree a program run
// from its build tree was built from.
#pragma once

#include <string>
#include <string_view>

// The first of `<ownDirectory>/../share/quillon/<name>` and `<sourceTree>/<name>` that is a
// directory, made absolute without "." or ".." parts; empty when neither is. An empty
// directory argument is passed over.
std::string SharedDataDirectory(std::string_view name, const std::string& ownDirectory,
                                const std::string& sourceTree);
// The same for this program: the directory of its executable and the source tree it was built
// from.
std::string SharedDataDirectory(std::string_view name);
