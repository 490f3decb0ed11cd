#pragma once
namespace shell {
// Runs the program: first start, the login, then the main window. Returns the exit code.
int runProgram();
}  // namespace shell
