// The setup dialog's settings kept in the configuration file, read with the dialog's defaults.
#pragma once

#include "config/config_file.h"
#include "config/setup_store.h"

class TConfigSetupStore : public ISetupStore {
  public:
    TConfigSetupStore() = default;
    explicit TConfigSetupStore(TConfigFile file) : m_file(std::move(file)) {}

    std::string ReadString(TSetupKey key) const override;
    void WriteString(TSetupKey key, const std::string& value) override;

  private:
    TConfigFile m_file;
};
