#pragma once
// The tool windows the launcher opens. Each tool library registers the factory of its window
// at start-up; a tool without a factory gets a bare stand-in window with its caption.
// Tool windows are created on first use and kept for the whole run.

#include <QString>
#include <functional>

class QWidget;

enum class Tool { Editor, Batch, FileCopy, ColourPicker, Preferences };

// Installs the factory that creates the window of a tool.
void RegisterTool(Tool tool, std::function<QWidget*()> factory);
// True when a real window (not the stand-in) is registered for the tool.
bool ToolRegistered(Tool tool);
// The window of a tool, created on first use. The colour picker has no stand-in: nullptr
// when none is registered.
QWidget* ToolWindow(Tool tool);
// The window of a tool when it has been created, otherwise nullptr.
QWidget* ExistingToolWindow(Tool tool);
// Shows the launcher again; a tool window calls it when it closes.
void ShowLauncher();
// Hides the launcher while a tool window is open.
void HideLauncher();
// Shows the preferences window (non-modal) and brings it to the front.
void ShowPreferencesWindow();
// Ends the program with an exit code. Tests replace it to see that the program would end.
inline std::function<void(int)> EndProgram;
// Forgets every created tool window (deleting them) and every registration; for tests.
void ResetTools();
