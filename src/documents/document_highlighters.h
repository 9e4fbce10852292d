// The highlighters of one document window, chosen by its file's name: assembly for files
// named *.asm and *.s, C for every other file. Each language has the window's own highlighter,
// recoloured from the configuration file, and a light one in the frame's fixed colours, between
// which Change Style switches; for C the light one is the frame's own highlighter.
#pragma once

#include <memory>
#include <string>

#include "documents/document_frame.h"
#include "platform/colors.h"

class TSynAsmSyn;
class TSynCppSyn;
class TSynCustomHighlighter;
class TSynEdit;

enum class TDocumentLanguage { C, Assembly };

// Assembly for a name ending in ".asm" or ".s" (in any case), C otherwise.
TDocumentLanguage LanguageOfFile(const std::string& path);

class TDocumentHighlighters {
  public:
    // Both highlighters must outlive this object and every editor it is given.
    TDocumentHighlighters(TSynCppSyn& ownCpp, TSynCppSyn& frameCpp);
    ~TDocumentHighlighters();

    TDocumentLanguage Language() const { return m_language; }
    TSynCustomHighlighter& Own() const;
    TSynCustomHighlighter& Light() const;
    TSynAsmSyn& OwnAsm() const { return *m_ownAsm; }

    // Takes the language of the file. An editor that shows one of the old language's
    // highlighters gets the same kind (own or light) of the new language.
    void ChooseFor(const std::string& path, TSynEdit& editor);
    // Applies one configured colour to the own highlighters of both languages.
    void ApplySchemeColor(TSchemeColor which, TColor color);

  private:
    TSynCppSyn& m_ownCpp;
    TSynCppSyn& m_frameCpp;
    std::unique_ptr<TSynAsmSyn> m_ownAsm;
    std::unique_ptr<TSynAsmSyn> m_lightAsm;
    TDocumentLanguage m_language = TDocumentLanguage::C;
};
