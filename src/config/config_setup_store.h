// The setup dialog's settings kept in the configuration file, read with the dialog's defaults.
#pragma once

#include "config/config_file.h"
#include "config/setup_store.h"

class TConfigSetupStore : public ISetupStore {
  public:
    TConfigSetupStore() = default;
    explicit TConfigSetupStore(TConfigFile file) : m_file(std::move(file)) {}

    TSetupValues ReadAll() const override;
    void WriteAll(const TSetupValues& values) override;

  private:
    TConfigFile m_file;
};
