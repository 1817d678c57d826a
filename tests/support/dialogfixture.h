#pragma once
// Dialog tests: an editor stand-in (a window whose text area is registered as the editor)
// and helpers that drive a tag dialog the way the user does, through its menu item.
//
// A data-driven markup test needs only rows and one line:
//   void markup_data() { DialogFixture::markupColumns();
//       DialogFixture::markupRow("br", "mnuInBr", "cmbClear=ALL", 0, 0, "a[x]b", "a<BR ...>b"); }
//   void markup() { fixture.runMarkupRow(); }

#include "editorstandin.h"

#include <QString>

class QWidget;
class TagDialog;

// Every program-wide variable is as at program start (capital tags, double quotes).
class DialogFixture : public EditorStandIn {
public:
    // Registers the dialogs with registerDialogs (e.g. RegisterTagDialogs).
    explicit DialogFixture(void (*registerDialogs)());
    ~DialogFixture();

    // Opens the dialog of a menu item, as the menu does, and returns it.
    TagDialog* open(const QString& menuItem);
    static void setFields(QWidget* dialog, const QString& fields) { SetFields(dialog, fields); }

    // The columns of a markup table: menuItem, fields, tagCase, quoteStyle, before, after.
    static void markupColumns();
    static void markupRow(const char* name, const char* menuItem, const char* fields, int tagCase,
                          int quoteStyle, const char* before, const char* after);
    // Runs the current row: the editor's text before, the dialog opened by its menu item, the
    // fields set, OK; the editor's text must then be the text after, the editor enabled again
    // and the dialog hidden.
    void runMarkupRow();

    // The columns of an enabling table: menuItem, fields (set in order, as setFields), states
    // ("cmdOK=0;chkBProc=1": each named control enabled (1) or not (0) afterwards; a field's
    // label must follow its field).
    static void enablingColumns();
    static void enablingRow(const char* name, const char* menuItem, const char* fields,
                            const char* states);
    void runEnablingRow();
};
