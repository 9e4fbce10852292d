// Tool commands with placeholders in braces, and the quoting that keeps a value with blanks one
// argument when the command line is split again before the tool starts.
#pragma once

#include <string>

// The values a tool command may name: {file}, {dir}, {base}, {image}, {project} and {options}.
struct TCommandValues {
    std::string File;     // the source file's bare name
    std::string Dir;      // the source directory, without a trailing separator
    std::string Base;     // the file name without its last extension
    std::string Image;    // the full path of the console image
    std::string Project;  // the project directory, without a trailing separator
    std::string Options;  // the switch string (Compile C only), inserted as it stands
};

// The values for a source file in a directory (which may end in a separator); {project} is the
// project directory when one is given, else the source directory.
TCommandValues CommandValuesFor(const std::string& sourceDir, const std::string& sourceName,
                                const std::string& options = {},
                                const std::string& projectDir = {});

// A directory as a placeholder value: without its trailing separators, the root staying "/".
std::string DirectoryValue(const std::string& dir);

// True when the command names at least one of the placeholders; other braces are plain text.
bool IsCommandTemplate(const std::string& command);

// The command with every placeholder replaced by its value. A value with blanks, tabs or
// quotation marks is quoted so that it stays one argument, and an empty value outside quotes
// becomes "" so that it is still an argument; inside a quoted part of the template a value is
// inserted with only its quotation marks escaped. A value that begins with "-" is given as
// "./-name", so a file called "-ogame.c" cannot be read as an option. {options} is inserted as it
// stands: it holds the switches.
std::string ExpandCommandTemplate(const std::string& command, const TCommandValues& values);

// One argument as the command-line splitter reads it back: unchanged when it holds no blank, tab
// or quotation mark, otherwise in quotation marks with quotation marks and the backslashes
// before them escaped; the empty text becomes "".
std::string QuoteArgument(const std::string& value);

// A path that cannot pass for an option: "./" before a path that begins with "-", otherwise the
// path as it is.
std::string PathNotOption(const std::string& path);

// A file or directory name as one argument of a composed command line: PathNotOption, quoted.
std::string PathArgument(const std::string& path);
