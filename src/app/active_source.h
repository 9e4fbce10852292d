// The active source: the directory and bare name of the file of the document window activated
// last, which the save and build commands work on. The file commands own the one value: a
// document's activation sets it and New clears it; the build commands, the ROM Map and the
// message navigation read it.
#pragma once

#include <string>
#include <utility>

class TActiveSource {
  public:
    // The directory, ending in the path separator; empty while the document was never saved.
    const std::string& SourceDir() const { return m_sourceDir; }
    // The bare file name.
    const std::string& SourceName() const { return m_sourceName; }
    // SourceDir followed by SourceName.
    std::string Path() const { return m_sourceDir + m_sourceName; }

    void Set(std::string sourceDir, std::string sourceName) {
        m_sourceDir = std::move(sourceDir);
        m_sourceName = std::move(sourceName);
    }
    void Clear() { Set({}, {}); }

  private:
    std::string m_sourceDir;
    std::string m_sourceName;
};
