// Colour configurations of the assembly highlighters of document windows.
#include "highlight/asm_color_schemes.h"

#include "highlight/syn_asm_syn.h"

void ApplyDocumentWindowColors(TSynAsmSyn& highlighter) {
    highlighter.MnemonicAttri()->SetForeground(clGreen);
    highlighter.CommentAttri()->SetForeground(clGray);
    highlighter.DirecAttri()->SetForeground(clLime);
    highlighter.IdentifierAttri()->SetForeground(clYellow);
    highlighter.InvalidAttri()->SetForeground(clRed);
    highlighter.LabelAttri()->SetForeground(0xFFFF80);
    highlighter.NumberAttri()->SetForeground(0x0080FF);
    highlighter.StringAttri()->SetForeground(clAqua);
    highlighter.StringAttri()->SetStyle(fsItalic);
    highlighter.SymbolAttri()->SetForeground(clBlack);
}

void ApplyFrameWindowColors(TSynAsmSyn& highlighter) {
    highlighter.MnemonicAttri()->SetForeground(clGreen);
    highlighter.CommentAttri()->SetForeground(clGreen);
    highlighter.DirecAttri()->SetForeground(clTeal);
    highlighter.IdentifierAttri()->SetForeground(clNavy);
    highlighter.LabelAttri()->SetForeground(clBlue);
    highlighter.NumberAttri()->SetForeground(clRed);
    highlighter.StringAttri()->SetForeground(clPurple);
    highlighter.SymbolAttri()->SetForeground(clBlack);
}
