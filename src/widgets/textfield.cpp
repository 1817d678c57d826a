#include "widgets/textfield.h"

#include "markup/paths.h"

#include <QFocusEvent>
#include <QMouseEvent>

#include <limits>

TextField::TextField(QWidget* parent) : QLineEdit(parent) {
    // A field holds whatever it is given: a long selection prefilled into a dialog must come
    // back whole, never cut at the toolkit's default limit.
    setMaxLength(std::numeric_limits<int>::max());
}

void TextField::applyFocusSelection() {
    switch (m_selection) {
    case FocusSelection::Nothing:
        break;
    case FocusSelection::All:
        setSelection(0, static_cast<int>(text().size()));
        break;
    case FocusSelection::LinkName: {
        const LinkSelection part = LinkNameSelection(text());
        if (part.length > 0)
            setSelection(part.start, part.length);
        else
            setCursorPosition(part.start);
        break;
    }
    }
}

void TextField::focusInEvent(QFocusEvent* event) {
    // Qt selects the whole text itself on Tab; the field's own rule is applied after that.
    QLineEdit::focusInEvent(event);
    if (event->reason() == Qt::PopupFocusReason)
        return; // back from a context menu: keep what the user had
    applyFocusSelection();
    m_focusByClick = event->reason() == Qt::MouseFocusReason;
}

void TextField::mouseReleaseEvent(QMouseEvent* event) {
    QLineEdit::mouseReleaseEvent(event);
    if (m_focusByClick && !hasSelectedText())
        applyFocusSelection();
    m_focusByClick = false;
}
