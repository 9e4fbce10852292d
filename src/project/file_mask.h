// A file mask as the user types it: wildcard patterns ("*.c;*.h") separated by semicolons,
// commas or blanks, matched against a file's bare name without regard to letter case.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The mask of the source files of a project.
inline constexpr std::string_view kDefaultFileMask = "*.c;*.h;*.asm;*.s;*.inc";

class TFileMask {
  public:
    explicit TFileMask(std::string_view mask);

    // True when the name matches one of the patterns; an empty mask matches every name.
    bool Matches(std::string_view name) const;

  private:
    std::vector<std::string> m_patterns;
};
