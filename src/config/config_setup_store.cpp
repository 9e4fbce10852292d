// The dialog's keys are the configuration file's keys in the order the dialog writes them.
#include "config/config_setup_store.h"

#include <stdexcept>

namespace {

static_assert(ckAllKeys.size() == skSetupKeyCount);
static_assert(ckAllKeys[skCompiler].Key == "pcecc" && ckAllKeys[skEmulatorE].Key == "E");
static_assert(ckAllKeys[skHuCard].Key == "HU" && ckAllKeys[skOptionStr].Key == "OPTION_STR");
static_assert(ckAllKeys[skBgColor].Key == "BGCOLOR" && ckAllKeys[skKeyColor].Key == "KEYCOLOR");
static_assert(ckAllKeys[skStrColor].Key == "STRCOLOR" && ckAllKeys[skProject].Key == "project");
static_assert(ckAllKeys[skInclude].Key == "include");

const TConfigKey& KeyOf(TSetupKey key) {
    if (key < 0 || key >= skSetupKeyCount) throw std::out_of_range("No such setup key");
    return ckAllKeys[static_cast<std::size_t>(key)];
}

}  // namespace

std::string TConfigSetupStore::ReadString(TSetupKey key) const {
    return m_file.ReadForSetup(KeyOf(key));
}

void TConfigSetupStore::WriteString(TSetupKey key, const std::string& value) {
    m_file.WriteString(KeyOf(key), value);
}
