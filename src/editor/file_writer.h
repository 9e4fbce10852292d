// Buffered writer of lines, each followed by a line break in the chosen style.
#pragma once

#include <string>
#include <string_view>

#include "editor/filer.h"

class TSynEditFileWriter : public TSynEditFiler {
  public:
    // Creates or truncates the file; raises EFileStreamError when it cannot.
    explicit TSynEditFileWriter(const std::string& fileName);
    // Flushes what is left; errors are lost here, so callers that care call Close first.
    ~TSynEditFileWriter() override;

    void WriteLine(std::string_view line);
    void Flush();
    // Flushes and closes the file, raising any error.
    void Close();
};
