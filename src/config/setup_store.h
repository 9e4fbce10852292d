// What the setup dialog needs of the configuration file: every key it loads and saves, read
// with the dialog's own defaults and written one at a time. The file is opened and released
// inside each call, so a value saved here is in force at the next command.
#pragma once

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

class ISetupStore {
  public:
    virtual ~ISetupStore() = default;
    // The key's text; the setup dialog's default when the file, section or key is missing.
    virtual std::string ReadString(TSetupKey key) const = 0;
    // Writes one key; a failure throws with the message "Unable to write to <path>".
    virtual void WriteString(TSetupKey key, const std::string& value) = 0;
};
