#pragma once
#include <memory>

namespace shell {
class MHarvelmoquin;

// Runs the program: first start, the login, then the main window. Returns the exit code.
// Cancel at the login ends it without writing the settings.
int runProgram();

// Creates the main window and runs its load. When a step fails, shows the reason in a message box
// and returns nullptr; the settings file is then left as it was.
std::unique_ptr<MHarvelmoquin> openMainWindow();
}  // namespace shell
