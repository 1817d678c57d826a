#pragma once
// "Redigera &tagg..." (mnuEditFixTag): the tag around the editor's caret is selected and the
// dialog that writes that kind of tag opens, filled from the tag, so that its OK replaces the
// tag; a tag without a dialog gets its explanation.

// Registers the editor's menu item "mnuEditFixTag".
void RegisterTagAtCursor();
// Edits the tag around the editor's caret.
void EditTagAtCursor();
