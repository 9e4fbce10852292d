// The configuration file: its fixed location, its sections and keys with the defaults of their
// readers, and access that opens and releases the file inside every call (nothing is cached, so
// a saved value is in force at the next command).
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/colors.h"

// One key of the configuration file. SetupDefault is what the setup dialog shows when the key
// is missing; CommandDefault is what the compile, emulator and document-window readers use.
struct TConfigKey {
    std::string_view Section;
    std::string_view Key;
    std::string_view SetupDefault;
    std::string_view CommandDefault;
};

inline constexpr std::string_view kNoEmulator = "no emulator specified!!!";

inline constexpr TConfigKey ckCompiler{"C", "pcecc", "vesk.exe", "vesk.exe"};
inline constexpr TConfigKey ckAssembler{"C", "pceasm", "pceas.exe", "pceas.exe"};
// The project build's command; empty means make for a project with a Makefile.
inline constexpr TConfigKey ckProject{"C", "project", "", ""};
// The directory of the C compiler's headers, whose names completion offers; empty means the
// one found from the C compiler's command.
inline constexpr TConfigKey ckInclude{"C", "include", "", ""};
inline constexpr std::array<TConfigKey, 5> ckEmulators{{
    {"E", "A", "", ""},
    {"E", "B", "", kNoEmulator},
    {"E", "C", "", kNoEmulator},
    {"E", "D", "", kNoEmulator},
    {"E", "E", "", kNoEmulator},
}};
inline constexpr TConfigKey ckHuCard{"COMP_OPTIONS", "HU", "TRUE", ""};
inline constexpr TConfigKey ckCd{"COMP_OPTIONS", "CD", "FALSE", ""};
inline constexpr TConfigKey ckSuperCd{"COMP_OPTIONS", "SCD", "FALSE", ""};
inline constexpr TConfigKey ckSwitchT{"COMP_OPTIONS", "T", "FALSE", ""};
inline constexpr TConfigKey ckSwitchS{"COMP_OPTIONS", "S", "FALSE", ""};
inline constexpr TConfigKey ckSwitchV{"COMP_OPTIONS", "V", "FALSE", ""};
inline constexpr TConfigKey ckExtra{"COMP_OPTIONS", "EXTRA", "", ""};
inline constexpr TConfigKey ckOptionStr{"COMP_OPTIONS", "OPTION_STR", "", ""};
inline constexpr TConfigKey ckBgColor{"COLORS", "BGCOLOR", "16777215", "16777215"};
inline constexpr TConfigKey ckAsmColor{"COLORS", "ASMCOLOR", "32768", "32768"};
inline constexpr TConfigKey ckComColor{"COLORS", "COMCOLOR", "32768", "32768"};
inline constexpr TConfigKey ckDirColor{"COLORS", "DIRCOLOR", "8421440", "8421440"};
inline constexpr TConfigKey ckIdColor{"COLORS", "IDCOLOR", "8388608", "8388608"};
inline constexpr TConfigKey ckKeyColor{"COLORS", "KEYCOLOR", "16711680", "16711680"};
inline constexpr TConfigKey ckNumColor{"COLORS", "NUMCOLOR", "255", "255"};
inline constexpr TConfigKey ckStrColor{"COLORS", "STRCOLOR", "8388736", "8388736"};
// The file mask of Find in Files, as the user last confirmed it; not part of the setup dialog.
inline constexpr TConfigKey ckFindMask{"FIND", "MASK", "*.c;*.h;*.asm;*.s;*.inc",
                                       "*.c;*.h;*.asm;*.s;*.inc"};

// The eight colour keys in the order they are read and applied.
inline constexpr std::array<TConfigKey, 8> ckColors{ckBgColor, ckAsmColor, ckComColor, ckDirColor,
                                                    ckIdColor, ckKeyColor, ckNumColor, ckStrColor};

// Every key, in the order the setup dialog writes them. The project build's and the include
// directory's keys came later and are written last; their section exists by then, so they join
// the other tools' keys.
inline constexpr std::array<TConfigKey, 25> ckAllKeys{
    ckCompiler,     ckAssembler,    ckEmulators[0], ckEmulators[1], ckEmulators[2],
    ckEmulators[3], ckEmulators[4], ckHuCard,       ckCd,           ckSuperCd,
    ckSwitchT,      ckSwitchS,      ckSwitchV,      ckExtra,        ckOptionStr,
    ckBgColor,      ckAsmColor,     ckComColor,     ckDirColor,     ckIdColor,
    ckKeyColor,     ckNumColor,     ckStrColor,     ckProject,      ckInclude};

// The fixed path: "c:\veskide.ini" on Windows, otherwise veskide.ini in the home directory
// (HOME, else the password database's entry of the user).
std::string ConfigFilePath();

// A switch is on exactly when its text is "TRUE", letter case included.
inline bool IsSwitchOn(std::string_view value) {
    return value == "TRUE";
}

// Access to the configuration file; the file is opened and released inside each call.
class TConfigFile {
  public:
    TConfigFile() : m_path(ConfigFilePath()) {}
    explicit TConfigFile(std::string path) : m_path(std::move(path)) {}

    const std::string& Path() const { return m_path; }

    std::string ReadString(const TConfigKey& key, std::string_view defaultValue) const;
    // Reads with the default of the setup dialog.
    std::string ReadForSetup(const TConfigKey& key) const {
        return ReadString(key, key.SetupDefault);
    }
    // Reads with the default of the compile, emulator and document-window readers.
    std::string ReadForCommand(const TConfigKey& key) const {
        return ReadString(key, key.CommandDefault);
    }
    // A switch as the setup dialog reads it.
    bool ReadSwitch(const TConfigKey& key) const { return IsSwitchOn(ReadForSetup(key)); }
    // A colour value; text that is not an integer throws EConvertError.
    TColor ReadColor(const TConfigKey& key) const;

    // Several keys with the given defaults, in one pass over the file.
    std::vector<std::string> ReadStrings(
        const std::vector<std::pair<TConfigKey, std::string_view>>& keys) const;

    // Writes one key; throws EIniFileException("Unable to write to <path>") on failure.
    void WriteString(const TConfigKey& key, std::string_view value);
    void WriteSwitch(const TConfigKey& key, bool on) { WriteString(key, on ? "TRUE" : "FALSE"); }
    // Several keys in one write of the file, as one write per key in this order would leave it;
    // when the write fails, no key has changed.
    void WriteStrings(const std::vector<std::pair<TConfigKey, std::string_view>>& values);
    // Colours are stored as signed decimal text.
    void WriteColor(const TConfigKey& key, TColor color);

  private:
    std::string m_path;
};
