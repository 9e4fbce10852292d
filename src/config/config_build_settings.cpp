// Emulator keys of the build settings.
#include "config/config_build_settings.h"

#include <stdexcept>

std::string TConfigBuildSettings::EmulatorCommand(int index) const {
    if (index < 0 || index >= static_cast<int>(ckEmulators.size())) {
        throw std::out_of_range("Emulator " + std::to_string(index + 1) + " does not exist");
    }
    return m_file.ReadForCommand(ckEmulators[static_cast<size_t>(index)]);
}
