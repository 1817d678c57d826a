#include "dialogs/tagatcursor.h"

#include "dialogs/tagdialog.h"
#include "markup/tagedit.h"
#include "markup/tagreading.h"
#include "platform/platform.h"
#include "widgets/dialogregistry.h"
#include "widgets/tagwriting.h"
#include "widgets/textarea.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>

#include <optional>

namespace {

// The dialog of that window name that the menu item has just shown.
TagDialog* shownDialog(const QString& name) {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<TagDialog*>(window);
        if (dialog && dialog->isVisible() && dialog->objectName() == name)
            return dialog;
    }
    return nullptr;
}

// Fills one control as the user would, so the dialog's enabling rules follow. A control that
// cannot take the value keeps its own.
void fill(TagDialog& dialog, const FieldValue& field) {
    QObject* control = dialog.findChild<QObject*>(field.control);
    if (auto* combo = qobject_cast<QComboBox*>(control)) {
        if (field.kind == FieldKind::ListIndex) {
            if (field.index >= 0 && field.index < combo->count())
                combo->setCurrentIndex(field.index);
        } else if (combo->isEditable()) {
            combo->setCurrentIndex(-1);
            combo->setEditText(field.text);
        } else {
            const int index = combo->findText(field.text, Qt::MatchFixedString);
            if (index >= 0)
                combo->setCurrentIndex(index);
        }
    } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        edit->setText(field.text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        button->setChecked(field.kind == FieldKind::Option ? true : field.checked);
    }
}

} // namespace

void EditTagAtCursor() {
    TextArea* area = EditorTextArea();
    if (!area)
        return;
    TagLocation location;
    {
        BusyCursor busy;
        location = LocateTag(area->text(), area->selStart(), area->selLength());
    }
    switch (location.outcome) {
    case TagLocation::Nothing:
        return;
    case TagLocation::NotInTag:
        area->setSel(static_cast<int>(location.caret), 0);
        platform().message(QStringLiteral("Placera markören i en tagg och försök igen."),
                           MsgIcon::Information, MsgButtons::Ok);
        return;
    case TagLocation::Found:
        break;
    }
    // The old tag stays selected: the dialog's OK replaces it.
    area->setSel(static_cast<int>(location.start), static_cast<int>(location.length));
    const TagEdit edit = TagEditFor(location.tagText);
    if (!edit.opensDialog()) {
        platform().message(edit.message, MsgIcon::Information, MsgButtons::Ok, edit.messageTitle);
        return;
    }
    ParagraphEditMode = edit.paragraphEditMode;
    // The menu item opens the dialog (a dialog shown directly without copying the selection,
    // the old tag, into it); the fields are filled after it.
    {
        std::optional<ShownDirectly> direct;
        if (edit.shownDirectly)
            direct.emplace();
        if (!OpenTagDialog(edit.menuItem))
            return;
    }
    TagDialog* dialog = shownDialog(edit.dialog);
    if (!dialog)
        return;
    for (const FieldValue& field : edit.fields)
        fill(*dialog, field);
    dialog->setEditedTag(edit.keptAttributes, edit.xhtmlClose);
}

void RegisterTagAtCursor() {
    RegisterTagDialog(QStringLiteral("mnuEditFixTag"), &EditTagAtCursor);
}
