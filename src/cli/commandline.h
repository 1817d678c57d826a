#pragma once
// The command line of the program: "vessilora batch" and "vessilora copy" run the batch run
// and the file copy without any window system, exactly as their windows do; "--help" and
// "--version" answer at once.

// True when the arguments ask for the command line rather than the launcher.
bool IsCommandLine(int argc, char** argv);
// Runs the command line; the exit status.
int RunCommandLine(int argc, char** argv);
