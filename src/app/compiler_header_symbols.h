// The declarations of the configured C compiler's headers, read on a thread of their own the
// first time they are asked for and kept for the rest of the run, one reading per include
// directory and target. Typing never waits for them.
#pragma once

#include <QObject>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "project/symbol_index.h"

class TCompilerHeaderSymbols : public QObject {
    Q_OBJECT
  public:
    using TSymbols = std::vector<TSymbolLocation>;

    explicit TCompilerHeaderSymbols(QObject* parent = nullptr);
    // Stops and waits for the readings still running.
    ~TCompilerHeaderSymbols() override;

    // The include directory the configuration names, else the one found from the configured C
    // compiler's command; empty when there is none.
    static std::string ConfiguredIncludeDirectory();

    // The declarations of the headers of dir for the target, when they have been read; null
    // while they are being read, and then ready is called on the window's thread once they are
    // (every caller that waited is called).
    std::shared_ptr<const TSymbols> Symbols(const std::string& dir, const std::string& target,
                                            std::function<void()> ready);
    // For tests: waits until every reading has ended and its waiting calls have run.
    void WaitForReadings();

  private:
    struct TReading;
    void ReadingDone(const std::string& key);

    std::map<std::string, std::unique_ptr<TReading>> m_readings;
};
