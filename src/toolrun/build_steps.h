// Steps the build commands share: the refusals without a saved document, the banner and the
// captured messages of a run in the output panel.
#pragma once

#include <string>

class IBuildFrame;
class IOutputPanel;
struct TToolRunResult;

// Refuses with a message when there is no document window or the active document has never been
// saved; true when the build may go on.
bool HasSavedDocumentToBuild(IBuildFrame& frame);

// Replaces the panel's text with the banner around `middleLine`.
void ShowBanner(IOutputPanel& panel, const std::string& middleLine);

// Shows what a run printed in place of the banner; without output, the banner stays with one line
// that says why there is nothing (the tool did not start, or printed nothing).
void ShowCapturedMessages(IOutputPanel& panel, const TToolRunResult& result);
