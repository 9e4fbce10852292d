// The two colour configurations that the windows give their C/C++ highlighters: the dark
// scheme of document windows and the light scheme of the frame window (used by its output panel
// and by the light colour scheme of document windows).
#pragma once

class TSynCppSyn;

void ApplyDocumentWindowColors(TSynCppSyn& highlighter);
void ApplyFrameWindowColors(TSynCppSyn& highlighter);
