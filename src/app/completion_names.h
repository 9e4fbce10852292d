// The names Ctrl+Space adds to a document window's library list: the symbols of the document's
// project (from the index the program keeps) and the declarations of the configured C
// compiler's headers. Neither is waited for: what is not read yet joins the open popup when it
// is.
#pragma once

#include <memory>
#include <vector>

#include "documents/code_completion.h"

class QObject;
class TCompilerHeaderSymbols;
class TMDIChild;
class TProjectSymbols;

class TCompletionNames {
  public:
    // Both must outlive this object.
    TCompletionNames(TProjectSymbols& symbols, TCompilerHeaderSymbols& headers);
    ~TCompletionNames();

    // Gives the document's completion its names, and starts reading the compiler's headers so
    // that they are there by the time the user asks.
    void Attach(TMDIChild& document);
    // The names for the document as they are now.
    std::vector<TCompletionName> NamesFor(TMDIChild& document);

  private:
    TProjectSymbols& m_symbols;
    TCompilerHeaderSymbols& m_headers;
    // The posted read-ahead goes with this object.
    std::unique_ptr<QObject> m_context;
    bool m_readAheadPosted = false;
};
