#pragma once
// The body dialog of the editor's Insert menu: the colours and the background image of the
// page's own BODY tag, with a preview of the colours. It reads the document's first BODY tag
// when it opens and puts the new tag in its place, keeping the attributes it does not show.

#include "dialogs/tagdialog.h"

#include <QColor>
#include <array>

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;

// "<BODY>": <BODY BACKGROUND=... BGCOLOR=... TEXT=... LINK=... VLINK=... ALINK=...>.
class frmInBody : public TagDialog {
    Q_OBJECT
public:
    frmInBody();

    // Fills the fields from the BODY tag of the editor's text; without one they keep their
    // values. The menu item does this before showing the dialog.
    void fillFromDocument();

    TextField* txtBackground;
    QComboBox* cmbBackColor;
    QComboBox* cmbText;
    QComboBox* cmbLink;
    QComboBox* cmbVlink;
    QComboBox* cmbAlink;
    // The preview: the picture in the background colour and the four texts on it in the
    // text, link, visited-link and active-link colours.
    QFrame* imgBackColor;
    QLabel* lblTesttext;
    QLabel* lblTestlink;
    QLabel* lblTestVlink;
    QLabel* lblTestAlink;
    QPushButton* cmdViewWebcolor;

protected:
    void writeTag() override;

private:
    // Paints the preview from the five colour fields.
    void refreshPreview();
    QColor defaultColour(int element) const;

    // The colour each preview element shows, in the order of the colour fields. A field
    // whose text is no colour leaves its element as it was.
    std::array<QColor, 5> m_shown;
};

// Registers "mnuInBack": the dialog is filled from the page's BODY tag, then shown.
void RegisterBodyDialog();
