#pragma once
// The tag dialogs of this library behind the editor's menu items.

// Registers the opener of every tag dialog with the editor's menu items (dialogregistry.h),
// so the editor enables those items and the tag strip reaches them by the same names.
void RegisterTagDialogs();
