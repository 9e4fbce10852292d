// Choice of a document window's highlighters by file name, and their configured colours.
#include "documents/document_highlighters.h"

#include <string_view>

#include "editor/qt/synedit.h"
#include "highlight/asm_color_schemes.h"
#include "highlight/syn_asm_syn.h"
#include "highlight/syn_cpp_syn.h"

namespace {

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
    if (text.size() < suffix.size()) return false;
    text.remove_prefix(text.size() - suffix.size());
    for (std::size_t i = 0; i < suffix.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != suffix[i]) return false;
    }
    return true;
}

}  // namespace

TDocumentLanguage LanguageOfFile(const std::string& path) {
    const std::size_t separator = path.find_last_of("/\\");
    const std::string_view name =
        std::string_view(path).substr(separator == std::string::npos ? 0 : separator + 1);
    // The extension needs a name in front of it.
    const bool assembly = (name.size() > 4 && EndsWithNoCase(name, ".asm")) ||
                          (name.size() > 2 && EndsWithNoCase(name, ".s"));
    return assembly ? TDocumentLanguage::Assembly : TDocumentLanguage::C;
}

TDocumentHighlighters::TDocumentHighlighters(TSynCppSyn& ownCpp, TSynCppSyn& frameCpp)
    : m_ownCpp(ownCpp),
      m_frameCpp(frameCpp),
      m_ownAsm(std::make_unique<TSynAsmSyn>()),
      m_lightAsm(std::make_unique<TSynAsmSyn>()) {
    ApplyDocumentWindowColors(*m_ownAsm);
    ApplyFrameWindowColors(*m_lightAsm);
}

TDocumentHighlighters::~TDocumentHighlighters() = default;

TSynCustomHighlighter& TDocumentHighlighters::Own() const {
    if (m_language == TDocumentLanguage::Assembly) return *m_ownAsm;
    return m_ownCpp;
}

TSynCustomHighlighter& TDocumentHighlighters::Light() const {
    if (m_language == TDocumentLanguage::Assembly) return *m_lightAsm;
    return m_frameCpp;
}

void TDocumentHighlighters::ChooseFor(const std::string& path, TSynEdit& editor) {
    const TDocumentLanguage language = LanguageOfFile(path);
    if (language == m_language) return;
    const bool light = editor.Highlighter() == &Light();
    m_language = language;
    editor.SetHighlighter(light ? &Light() : &Own());
}

void TDocumentHighlighters::ApplySchemeColor(TSchemeColor which, TColor color) {
    TSynAsmSyn& asmSyn = *m_ownAsm;
    switch (which) {
        case scAsm:
            m_ownCpp.AsmAttri()->SetForeground(color);
            asmSyn.MnemonicAttri()->SetForeground(color);
            break;
        case scComment:
            m_ownCpp.CommentAttri()->SetForeground(color);
            asmSyn.CommentAttri()->SetForeground(color);
            break;
        case scDirective:
            m_ownCpp.DirecAttri()->SetForeground(color);
            asmSyn.DirecAttri()->SetForeground(color);
            break;
        case scIdentifier:
            m_ownCpp.IdentifierAttri()->SetForeground(color);
            asmSyn.IdentifierAttri()->SetForeground(color);
            break;
        case scKey:
            m_ownCpp.KeyAttri()->SetForeground(color);
            asmSyn.LabelAttri()->SetForeground(color);
            break;
        case scNumber:
            m_ownCpp.NumberAttri()->SetForeground(color);
            asmSyn.NumberAttri()->SetForeground(color);
            break;
        case scString:
            m_ownCpp.StringAttri()->SetForeground(color);
            asmSyn.StringAttri()->SetForeground(color);
            break;
        case scBackground:
        case scSchemeColorCount:
            break;
    }
}
