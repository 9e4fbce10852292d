// Reading the compiler's headers in the background.
#include "app/compiler_header_symbols.h"

#include <QCoreApplication>
#include <thread>

#include "config/config_file.h"
#include "platform/program_search.h"
#include "platform/qt/error_report.h"
#include "project/compiler_headers.h"

struct TCompilerHeaderSymbols::TReading {
    // Written by the reader, taken on the window's thread once the reader has ended.
    TSymbols Found;
    std::shared_ptr<const TSymbols> Result;
    std::vector<std::function<void()>> Waiting;
    std::jthread Reader;
};

TCompilerHeaderSymbols::TCompilerHeaderSymbols(QObject* parent) : QObject(parent) {}

TCompilerHeaderSymbols::~TCompilerHeaderSymbols() {
    for (auto& [key, reading] : m_readings) {
        if (reading->Reader.joinable()) {
            reading->Reader.request_stop();
            reading->Reader.join();
        }
    }
}

std::string TCompilerHeaderSymbols::ConfiguredIncludeDirectory() {
    const TConfigFile config;
    std::string dir = config.ReadForCommand(ckInclude);
    if (!dir.empty()) return dir;
    return FindCompilerIncludeDirectory(config.ReadForCommand(ckCompiler),
                                        ProgramSearch::FromEnvironment());
}

std::shared_ptr<const TCompilerHeaderSymbols::TSymbols> TCompilerHeaderSymbols::Symbols(
    const std::string& dir, const std::string& target, std::function<void()> ready) {
    if (dir.empty()) return std::make_shared<const TSymbols>();
    const std::string key = dir + '\n' + target;
    std::unique_ptr<TReading>& reading = m_readings[key];
    if (!reading) {
        reading = std::make_unique<TReading>();
        reading->Reader =
            std::jthread([this, key, dir, target, found = &reading->Found](std::stop_token stop) {
                *found = ScanCompilerHeaders(dir, target, stop);
                if (stop.stop_requested()) return;
                QMetaObject::invokeMethod(
                    this, [this, key] { ReadingDone(key); }, Qt::QueuedConnection);
            });
    }
    if (reading->Result) return reading->Result;
    if (ready) reading->Waiting.push_back(std::move(ready));
    return nullptr;
}

void TCompilerHeaderSymbols::ReadingDone(const std::string& key) {
    const auto found = m_readings.find(key);
    if (found == m_readings.end()) return;
    TReading& reading = *found->second;
    if (reading.Reader.joinable()) reading.Reader.join();
    reading.Result = std::make_shared<const TSymbols>(std::move(reading.Found));
    std::vector<std::function<void()>> waiting;
    waiting.swap(reading.Waiting);
    for (auto& ready : waiting) RunCommand([&] { ready(); });
}

void TCompilerHeaderSymbols::WaitForReadings() {
    for (auto& [key, reading] : m_readings) {
        if (reading->Reader.joinable()) reading->Reader.join();
    }
    QCoreApplication::sendPostedEvents(this);
}
