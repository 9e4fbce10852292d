// The dialog's keys are the configuration file's keys in the order the dialog writes them.
#include "config/config_setup_store.h"

static_assert(ckAllKeys.size() == skSetupKeyCount);
static_assert(ckAllKeys[skCompiler].Key == "pcecc" && ckAllKeys[skEmulatorE].Key == "E");
static_assert(ckAllKeys[skHuCard].Key == "HU" && ckAllKeys[skOptionStr].Key == "OPTION_STR");
static_assert(ckAllKeys[skBgColor].Key == "BGCOLOR" && ckAllKeys[skKeyColor].Key == "KEYCOLOR");
static_assert(ckAllKeys[skStrColor].Key == "STRCOLOR" && ckAllKeys[skProject].Key == "project");
static_assert(ckAllKeys[skInclude].Key == "include");

TSetupValues TConfigSetupStore::ReadAll() const {
    std::vector<std::pair<TConfigKey, std::string_view>> keys;
    for (const TConfigKey& key : ckAllKeys) keys.emplace_back(key, key.SetupDefault);
    const std::vector<std::string> read = m_file.ReadStrings(keys);
    TSetupValues values;
    for (std::size_t i = 0; i < values.size(); ++i) values[i] = read[i];
    return values;
}

void TConfigSetupStore::WriteAll(const TSetupValues& values) {
    std::vector<std::pair<TConfigKey, std::string_view>> changes;
    for (std::size_t i = 0; i < values.size(); ++i) changes.emplace_back(ckAllKeys[i], values[i]);
    m_file.WriteStrings(changes);
}
