#pragma once
// The one-line text field of the dialogs. It has no length limit. When it gets the focus it can
// select its whole text (so typing replaces it) or only the name part of a link or file path
// ("bilder/foto.gif" selects "foto", a "mailto:" address its user part), as each dialog declares
// per field.

#include <QLineEdit>

class TextField : public QLineEdit {
    Q_OBJECT
public:
    enum class FocusSelection {
        Nothing,  // Qt's own behaviour
        All,      // the whole text
        LinkName, // the name part of a path or the user of a mail address
    };

    explicit TextField(QWidget* parent = nullptr);

    void setFocusSelection(FocusSelection selection) { m_selection = selection; }
    FocusSelection focusSelection() const { return m_selection; }
    // Selects what the field's focus rule says; does nothing for FocusSelection::Nothing.
    void applyFocusSelection();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    FocusSelection m_selection = FocusSelection::Nothing;
    // A mouse click gave the focus: the click itself moves the caret, so the selection is
    // made again when the button is released (unless the user dragged a selection).
    bool m_focusByClick = false;
};
