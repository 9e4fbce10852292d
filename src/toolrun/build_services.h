// The collaborators of one build command: the frame, the settings, the output panel and the
// tool launcher. Message dialogs go through the program's dialog seam.
#pragma once

class IBuildFrame;
class IBuildSettings;
class IOutputPanel;
class IToolLauncher;

struct TBuildServices {
    IBuildFrame& Frame;
    IBuildSettings& Settings;
    IOutputPanel& Panel;
    IToolLauncher& Launcher;
};
