// Hints to the system about memory that is about to be filled whole: a large text read from a
// file, or a long line copied for its first edit.
#pragma once

#include <cstddef>

// Asks for large pages for a buffer that will hold a large file's text for as long as it is
// open: a fault per 2 MB instead of per 4 KB while it is filled, fewer page table entries after.
void AdviseLargePages(char* data, std::size_t size);
// Gives a large block that is about to be written whole its memory in one step, where the
// system can: one call instead of a fault per page. Does nothing for small blocks.
void PopulateForWriting(char* data, std::size_t size);
