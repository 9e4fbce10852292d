// The two colour configurations of the assembly highlighter, matching those of the C/C++
// highlighter class by class: the dark scheme of document windows and the light scheme of the
// frame window. Mnemonics take the C highlighter's assembler colour and labels its reserved-word
// colour.
#pragma once

class TSynAsmSyn;

void ApplyDocumentWindowColors(TSynAsmSyn& highlighter);
void ApplyFrameWindowColors(TSynAsmSyn& highlighter);
