// Compile C and Compile assembly: run the configured tool on the active document's file in its
// directory, show the banner and then the tool's messages in the output panel, and end with a
// status text that says what became of the tool and of the image. A tool command with
// placeholders is a template; one without keeps the fixed shape and its " >output.c".
#pragma once

#include <string>

#include "toolrun/build_services.h"

struct TToolRunResult;

// "&Compile C Code": the compiler command, the file name and the switch string.
void CompileCCode1Click(TBuildServices& services);
// "Compile &Assembly": the assembler command and the file name.
void CompileAssembly1Click(TBuildServices& services);

// The closing status text of both compile commands for the run's result.
std::string CompileStatusText(const std::string& caption, const TToolRunResult& result);

// What a successful build's status text goes on with: " - " and the image's name and size when
// the run wrote it, or " - no image written".
std::string ImageStatusText(const std::string& imageName, bool written, unsigned long long size);
