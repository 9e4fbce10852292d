// The program-wide list of highlighter classes. It exists while the highlighter framework is
// started: start-up and shutdown are counted, so only the first start-up creates the list and
// only the last shutdown frees it. The framework and each highlighter start it up as the program
// loads and shut it down as it ends.
#pragma once

#include <memory>
#include <string>
#include <vector>

class TSynCustomHighlighter;

// A highlighter class: its name and a way to create an instance.
struct TSynHighlighterClass {
    std::string className;
    std::unique_ptr<TSynCustomHighlighter> (*create)();
};

class TSynHighlighterList {
  public:
    int Count() const { return static_cast<int>(m_classes.size()); }
    const TSynHighlighterClass* Items(int index) const;
    // The class of that name, or nullptr.
    const TSynHighlighterClass* FindByName(const std::string& className) const;
    // Adds the class unless it is already listed.
    void Add(const TSynHighlighterClass* highlighterClass);

  private:
    std::vector<const TSynHighlighterClass*> m_classes;
};

void HighlighterFrameworkStartup();
void HighlighterFrameworkShutdown();

// The list, or nullptr when the framework is not started.
TSynHighlighterList* GetPlaceableHighlighters();
// Adds the class to the list; ignored while the framework is not started.
void RegisterHighlighterClass(const TSynHighlighterClass* highlighterClass);
