// The generated reference input of the benchmarks: C-like console game source of a given size,
// and a cached copy of it on disk for benchmarks and reference commands that read a file.
#pragma once

#include <cstddef>
#include <string>

// Generated C-like text: lines of 0-14 tokens (C keywords, console library names such as
// put_string, numbers incl. hex tables, operators, short comments and strings), 0-3 levels of
// four-space indentation. Deterministic for a given size and seed.
std::string GenerateReferenceText(std::size_t bytes, unsigned seed = 1);

// Writes GenerateReferenceText(bytes) once to a file under $TMPDIR (reused when present with
// the right size) and returns its path.
std::string ReferenceFilePath(std::size_t bytes = 100'000'000);

// A project tree of generated sources once under $TMPDIR (reused when complete): 1,000 files in
// ten directories, C sources, headers and assembly files, 100 KB each, 100 MB in all. Returns
// the tree's root.
std::string ReferenceTreePath();
