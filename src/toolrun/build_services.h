// The collaborators of one build command: the frame, the settings, the output panel, the
// tool launcher and the record of the images the project builds made. Message dialogs go through
// the program's dialog seam.
#pragma once

class IBuildFrame;
class IBuildSettings;
class IOutputPanel;
class IToolLauncher;
class TProjectImages;

struct TBuildServices {
    IBuildFrame& Frame;
    IBuildSettings& Settings;
    IOutputPanel& Panel;
    IToolLauncher& Launcher;
    // Null where no project build has run or will run (the emulators then use the document's
    // own image or the newest of its project).
    TProjectImages* Images = nullptr;
};
