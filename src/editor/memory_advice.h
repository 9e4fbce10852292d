// A hint to the system about memory that is about to be filled whole: a long line copied for
// its first edit.
#pragma once

#include <cstddef>

// Gives a large block that is about to be written whole its memory in one step, where the
// system can: one call instead of a fault per page. Does nothing for small blocks.
void PopulateForWriting(char* data, std::size_t size);
