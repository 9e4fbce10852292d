// The general error report: every command entry point (menu action, button, key, timer) runs
// inside RunCommand, so an exception ends only that command; its text is shown in the error
// message box and the program carries on with the next command.
#pragma once

#include <exception>
#include <functional>
#include <string>

// Shows a failure's text in the general error message box (type error, one OK button).
void ShowErrorMessage(const std::string& text);

// Runs command; any exception it throws is reported and swallowed. Returns false when the
// command ended with an exception.
bool RunCommand(const std::function<void()>& command) noexcept;

// Wraps command for connecting to a signal: the returned callable runs it through RunCommand.
inline std::function<void()> Guarded(std::function<void()> command) {
    return [command = std::move(command)] { RunCommand(command); };
}
