#pragma once
// The dialogs behind the editor's menu items. The libraries of the dialogs and the guides
// register an opener for each menu item they serve, by the item's name (e.g. "mnuInBr"); the
// editor enables the items that have one and calls it when the item is chosen. Items without
// an opener stay disabled.

#include <QString>
#include <QStringList>
#include <functional>

// The editor's menu items that open a tag dialog, by name; tag-at-cursor editing
// ("mnuEditFixTag") is one of them.
const QStringList& TagDialogMenuItems();
// The editor's menu items that open a guide (after the save prompt), by name.
const QStringList& GuideMenuItems();

// Registers the opener of a menu item named in one of the lists above.
void RegisterTagDialog(const QString& menuItem, std::function<void()> open);
bool TagDialogRegistered(const QString& menuItem);
// Runs the opener of the menu item; false when none is registered.
bool OpenTagDialog(const QString& menuItem);
// Forgets every opener; for tests.
void ClearTagDialogs();
