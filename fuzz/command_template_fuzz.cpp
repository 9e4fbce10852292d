// Fuzzes the expansion of tool command templates: any template must expand without a fault, and
// in a template whose placeholders stand alone, each value must come back from the command-line
// splitter as exactly one argument that cannot be read as an option.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz_fields.h"
#include "platform/command_line.h"
#include "toolrun/command_template.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> fields = FuzzFields(data, size, 6);
    TCommandValues values;
    values.File = fields[1];
    values.Dir = fields[2];
    values.Base = fields[3];
    values.Image = fields[4];
    values.Options = fields[5];

    // Any template at all.
    const std::string expanded = ExpandCommandTemplate(fields[0], values);
    (void)SplitCommandLine(expanded);

    // The shape a user writes: each placeholder one word of its own.
    for (const std::string& value : {values.File, values.Dir, values.Base, values.Image})
        if (value.find('\0') != std::string::npos) return 0;
    const std::vector<std::string> arguments =
        SplitCommandLine(ExpandCommandTemplate("cc -o {image} {file} {dir} {base}", values));
    const std::vector<std::string> expected = {"cc",
                                               "-o",
                                               PathNotOption(values.Image),
                                               PathNotOption(values.File),
                                               PathNotOption(values.Dir),
                                               PathNotOption(values.Base)};
    if (arguments != expected) std::abort();
    for (std::size_t i = 2; i < arguments.size(); ++i)
        if (!arguments[i].empty() && arguments[i].front() == '-') std::abort();
    return 0;
}
