// Colour configurations of the document window and frame window highlighters.
#include "highlight/cpp_color_schemes.h"

#include "highlight/syn_cpp_syn.h"

void ApplyDocumentWindowColors(TSynCppSyn& highlighter) {
    highlighter.AsmAttri()->SetForeground(clGreen);
    highlighter.CommentAttri()->SetForeground(clGray);
    highlighter.DirecAttri()->SetForeground(clLime);
    highlighter.IdentifierAttri()->SetForeground(clYellow);
    highlighter.InvalidAttri()->SetForeground(clRed);
    highlighter.KeyAttri()->SetForeground(0xFFFF80);
    highlighter.NumberAttri()->SetForeground(0x0080FF);
    highlighter.StringAttri()->SetForeground(clAqua);
    highlighter.StringAttri()->SetStyle(fsItalic);
    highlighter.SymbolAttri()->SetForeground(clBlack);
}

void ApplyFrameWindowColors(TSynCppSyn& highlighter) {
    highlighter.AsmAttri()->SetForeground(clGreen);
    highlighter.CommentAttri()->SetForeground(clGreen);
    highlighter.DirecAttri()->SetForeground(clTeal);
    highlighter.IdentifierAttri()->SetForeground(clNavy);
    highlighter.KeyAttri()->SetForeground(clBlue);
    highlighter.NumberAttri()->SetForeground(clRed);
    highlighter.StringAttri()->SetForeground(clPurple);
    highlighter.SymbolAttri()->SetForeground(clBlack);
}
