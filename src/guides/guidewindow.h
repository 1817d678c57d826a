#pragma once
// What every guide window shares: it stands in front of the editor, centred over it, while
// the editor is disabled; "Avbryt", Escape and the close box all ask before the guide ends, and
// ending it gives the editor back.

#include <QDialog>

class QCloseEvent;

class GuideWindow : public QDialog {
    Q_OBJECT
public:
    // Asks "Är du säker på att du vill avsluta guiden?" (Yes, No, Cancel); true on Yes.
    static bool ConfirmEnd();

    // The guide's "Avbryt": ends the guide after the question, or stays as it is.
    virtual void cmdCancel_Click() = 0;

    // Enables the editor window and brings it to the front.
    static void GiveEditorBack();
    // Shows the colour picker beside the guide.
    static void ShowColourPicker();

protected:
    explicit GuideWindow(const QString& caption);

    // Disables the editor, then shows the window centred over it and in front of it.
    void showOverEditor();
    // Hides the window without a question (the guide moves on or has ended).
    void hideQuietly();

    // Escape and the close box act as "Avbryt".
    void reject() override;
    void closeEvent(QCloseEvent* event) override;
};
