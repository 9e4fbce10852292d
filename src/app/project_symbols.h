// The symbol indexes of the projects the user works in: each is built on its own thread the
// first time it is needed, and before every use the open document windows of the project bring
// their texts (saved or not) into it, so it answers for what is on screen.
#pragma once

#include <QObject>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

class TMainForm;
class TSymbolIndex;

class TProjectSymbols : public QObject {
    Q_OBJECT
  public:
    // The form must outlive this object.
    explicit TProjectSymbols(TMainForm& form, QObject* parent = nullptr);
    // Stops and waits for the builds still running.
    ~TProjectSymbols() override;

    // Calls ready with the index of the project at root (a directory ending in '/'), at once
    // when it is built, else on the window's thread once the build ends (only the latest such
    // request is kept). Returns true when it was called at once.
    bool WithIndex(const std::string& root, std::function<void(TSymbolIndex&)> ready);
    // For tests: waits until every build has ended and its waiting calls have run.
    void WaitForBuilds();

  private:
    struct TProject;
    void BuildDone(const std::string& root);
    // Scans the open documents of the project into its index; files whose windows closed since
    // the last time are read again from disk, so unsaved text that was dropped goes too.
    void TakeOpenDocuments(TProject& project);

    TMainForm& m_form;
    std::map<std::string, std::unique_ptr<TProject>> m_projects;
};

// A path made absolute and free of "." and "..", as the symbol indexes name files.
std::string AbsolutePath(const std::string& path);
