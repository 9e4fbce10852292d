// What the setup dialog needs of the configuration file: every key it loads and saves, read
// with the dialog's own defaults and written together. The file is opened and released
// inside each call, so a value saved here is in force at the next command.
#pragma once

#include <array>
#include <string>

// The dialog's keys, in the order it writes them.
enum TSetupKey : int {
    skCompiler,   // "C" "pcecc"
    skAssembler,  // "C" "pceasm"
    skEmulatorA,  // "E" "A" to "E"
    skEmulatorB,
    skEmulatorC,
    skEmulatorD,
    skEmulatorE,
    skHuCard,  // "COMP_OPTIONS" "HU", "CD", "SCD", "T", "S", "V", "EXTRA", "OPTION_STR"
    skCD,
    skSCD,
    skSwitchT,
    skSwitchS,
    skSwitchV,
    skExtra,
    skOptionStr,
    skBgColor,  // "COLORS" "BGCOLOR", "ASMCOLOR", ..., "STRCOLOR"
    skAsmColor,
    skComColor,
    skDirColor,
    skIdColor,
    skKeyColor,
    skNumColor,
    skStrColor,
    skProject,  // "C" "project", the project build's command
    skInclude,  // "C" "include", the C compiler's include directory
    skSetupKeyCount
};

// The text of every key, indexed by TSetupKey.
using TSetupValues = std::array<std::string, skSetupKeyCount>;

class ISetupStore {
  public:
    virtual ~ISetupStore() = default;
    // Every key's text, the setup dialog's default where the file, section or key is missing,
    // read in one pass over the file.
    virtual TSetupValues ReadAll() const = 0;
    // Writes every key in one write of the file, in the order of TSetupKey; a failure throws
    // with the message "Unable to write to <path>" and changes no key.
    virtual void WriteAll(const TSetupValues& values) = 0;
};
