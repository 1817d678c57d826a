#pragma once
// The platform on Qt Widgets: real message boxes, file dialogs and so on, with Swedish texts.

#include "platform/platform.h"

class QColorDialog;
class QFileDialog;
class QWidget;

class QtPlatform : public Platform {
public:
    MsgAnswer message(const QString& text, MsgIcon icon, MsgButtons buttons,
                      const QString& title) override;
    std::optional<FileDialogResult> openFile(const FileDialogRequest& request) override;
    std::optional<FileDialogResult> saveFile(const FileDialogRequest& request) override;
    std::optional<unsigned> chooseColour(unsigned rgb) override;
    bool startProgram(const QString& program, const QStringList& arguments) override;
    QStringList screenFonts() override;
    QSize screenSizeTwips() override;
    void setBusy(bool busy) override;

    // Makes the Qt platform the default one and Swedish the default locale, and loads the
    // Swedish texts of Qt's own dialogs: Debian's catalogue, then the program's own for the
    // texts that it lacks.
    static void installAsDefault();

    // "Desc (*.a)|*.a|Other (*.b;*.c)|*.b;*.c" as Qt's name filters: one entry per pair, the
    // description followed by its patterns in brackets when it does not show them itself.
    static QStringList nameFilters(const QString& filter);

    // Qt's own colour dialog (not the desktop's) with Swedish texts where Qt's Swedish
    // translation has none: the "OK" and "Avbryt" buttons and the screen colour picker.
    static void prepareColourDialog(QColorDialog& dialog);

    // Sets up Qt's own file dialog (not the desktop's) for a request, with Swedish texts and
    // the sizes and dates of its file list in Swedish form.
    static void prepareFileDialog(QFileDialog& dialog, const FileDialogRequest& request, bool save);

private:
    std::optional<FileDialogResult> runFileDialog(const FileDialogRequest& request, bool save);
};
