#pragma once
// Editing the tag at the caret ("Redigera &tagg..."): what the editor does with a tag once
// LocateTag (markup/tagreading.h) has found and selected it. TagEditFor decides, from the
// tag's text alone, either which dialog opens and what its fields are filled with, or which
// one message is shown. The editor then does it:
//
//   const TagEdit edit = TagEditFor(location.tagText);
//   if (!edit.opensDialog()) {
//       platform().message(edit.message, MsgIcon::Information, edit.messageTitle);
//       return;                       // the tag stays selected
//   }
//   ParagraphEditMode = edit.paragraphEditMode;
//   for each FieldValue f in edit.fields, in order: set the control named f.control of the
//       dialog named edit.dialog (text, check state, option button or list index), as the
//       user would, so the dialog's enabling rules follow;
//   open the dialog: edit.shownDirectly ? disable the editor and show the dialog, without the
//       menu handler's copying of the selection : run the menu item edit.menuItem;
//   when the dialog's OK has built its markup, it goes in place of the selected old tag as
//       AddKeptAttributes(markup, edit.keptAttributes, edit.xhtmlClose).
//
// Rules the dialogs follow in edit mode: the paragraph dialog's menu handler leaves
// chkAddExit as filled here (cleared) even though the editor has a selection, and
// ParagraphEditMode is cleared on every way the dialog closes; the meta dialogs and the
// background-sound dialog replace the selected tag where it stands instead of moving the
// caret into the head.
//
// Reading the tag: field values are the attribute values as written, letter case kept ("" for
// an absent attribute and for one without a value), with these rules for values that mean
// the same:
// - a flag attribute (ismap, noshade, nowrap, noresize, checked, multiple) is set when it
//   stands without a value, with an empty value, or with its own name in any letter case
//   (checked="Checked");
// - the form's method, the embedded object's loop and autostart ("TRUE"/"FALSE") and the
//   input element's type are compared ignoring letter case (the program writes TYPE="RADIO");
//   the meta name is compared exactly; a form without a method (HTML's default) selects GET;
// - the refresh content is split at the first ";" followed by optional blanks and "url="
//   in any letter case ("5;url=a.htm" and "5; URL=a.htm" both give 5 and a.htm);
// - a link tag begins "a href", a bookmark "a name" (IsTagNamed).
//
// Keeping what the dialog does not show: every attribute of the old tag that the dialog does
// not read is kept, verbatim and in its order. So is an attribute the dialog reads but
// cannot write back as it stands: one without a value or with a value of blanks only
// (<table border>, alt=""), a flag with any other value (nowrap="false"), a loop or
// autostart other than TRUE or FALSE. Its field is left empty (or its box cleared, its
// list at "(ingen)"); if the user fills it in, the dialog writes the attribute and the kept
// one gives way (AddKeptAttributes drops a kept attribute whose name the new tag writes).

#include "markup/tagreading.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// How a dialog control is filled.
enum class FieldKind {
    Text,     // a text field or the text of a combo box: text
    Check,    // a check box: checked or cleared
    Option,   // an option button: selected (the others of its group clear)
    ListIndex // a drop-down list: the item at index is chosen
};

struct FieldValue {
    QString control; // the control's name in its dialog ("txtBild", "chkIsmap")
    FieldKind kind = FieldKind::Text;
    QString text;
    bool checked = false;
    int index = 0;
    bool operator==(const FieldValue&) const = default;
};

struct TagEdit {
    // A message instead of a dialog, shown with the information icon and an OK button.
    QString message;
    QString messageTitle; // "" for the program's own title

    // The dialog: its window name ("frmInImg") and the editor's menu item that opens it
    // ("mnuInsBild"). shownDirectly: the editor is disabled and the dialog shown without
    // running the menu item's handler (which would copy the editor's selection into it).
    QString dialog;
    QString menuItem;
    bool shownDirectly = false;
    // The controls to fill, in this order; controls not listed keep their values.
    QList<FieldValue> fields;
    // The paragraph dialog is opened for an existing tag: set ParagraphEditMode.
    bool paragraphEditMode = false;
    // The attributes the dialog reads (small letters). The body dialog fills its fields from
    // the page's own first BODY tag and gets none here; its OK, which replaces that tag, keeps
    // the keptAttributes of TagEditFor of that tag's text (without "<").
    QStringList readAttributes;
    // The old tag's attributes to write back after the dialog's own, and its XHTML "/".
    QList<TagAttribute> keptAttributes;
    bool xhtmlClose = false;

    bool opensDialog() const { return !dialog.isEmpty(); }
};

// What editing the tag with this tag text (between "<" and ">") does.
TagEdit TagEditFor(QStringView tagText);

// The markup a dialog wrote, with the kept attributes put into its first tag: after the
// attributes the dialog wrote, each after one blank, leaving out a kept attribute whose name
// (letter case ignored) the new tag already has; then " /" when xhtmlClose is set and the new
// tag does not already end in "/". When the new tag ends in "/", they go before it and the
// blanks in front of it, with a blank of their own before a "/" that has none ("<BR/>" and
// id=x give "<BR id=x />"). Markup without a tag comes back as it is.
QString AddKeptAttributes(const QString& markup, const QList<TagAttribute>& kept, bool xhtmlClose);
