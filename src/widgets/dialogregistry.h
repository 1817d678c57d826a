#pragma once
// The tag dialogs behind the editor's menu items. The dialogs library registers an opener
// for each menu item it serves (by the item's name, e.g. "mnuInsBr"); the editor enables
// the items that have one and calls it when the item is chosen. Items without an opener
// stay disabled.

#include <QString>
#include <functional>

void RegisterTagDialog(const QString& menuItem, std::function<void()> open);
bool TagDialogRegistered(const QString& menuItem);
// Runs the opener of the menu item; false when none is registered.
bool OpenTagDialog(const QString& menuItem);
// Forgets every opener; for tests.
void ClearTagDialogs();
