#pragma once
// Registers the window of every tool built into this program with the launcher.
void RegisterToolWindows();
