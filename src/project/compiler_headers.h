// What the configured C compiler's own headers make known: where its include directory is, which
// machine it compiles for, and the functions, macros, types and variables its headers declare.
#pragma once

#include <stop_token>
#include <string>
#include <vector>

#include "platform/program_search.h"
#include "project/symbol_index.h"

// The include directory of the compiler a command line runs: beside the compiler's program
// (bin/../share/cc65/include and its kin; a wrapper script is followed to the cl65 it runs,
// found in the same places as a tool), else the usual install places. Empty when none exists.
std::string FindCompilerIncludeDirectory(const std::string& compilerCommand,
                                         const ProgramSearch& search);

// The machine a command line compiles for: the value of "-t"/"--target", "pce" for the PC Engine
// wrapper and when the command names none.
std::string CompilerTarget(const std::string& compilerCommand);

// The declarations of the headers directly in dir (*.h), in file-name order. Headers of other
// machines than target and the chip headers ("_*.h") are left out, and so are names beginning
// with "_" (include guards and the compiler's internals); a name several headers declare alike
// (such as size_t) comes once, from the first. A requested stop gives what was read so far.
std::vector<TSymbolLocation> ScanCompilerHeaders(const std::string& dir, const std::string& target,
                                                 std::stop_token stop = {});
