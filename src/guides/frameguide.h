#pragma once
// The frameset guide "Framesguiden", two windows. In Frame1 the user divides the page into up
// to ten main divisions and each of those into up to ten parts, watching a drawing of the
// layout; in Frame2 the user sets each frame's properties and the body shown by browsers
// without frames, and the finished frameset page becomes the editor's new document.
// Both windows are kept after the guide finishes (hidden), so the next run shows the last
// layout and body; "Avbryt" ends the guide and forgets them.

#include "guides/guidewindow.h"

#include <array>

class FramePreview;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollBar;
class TextField;

class Frame1 : public GuideWindow {
    Q_OBJECT
public:
    Frame1();

    void optKol_Click();
    void optRows_Click();
    void HScroll1_Change();
    void Xant_Change();
    // Builds the frames of the chosen layout and goes on to Frame2 with frame 1 shown.
    void cmdNext_Click();
    void cmdCancel_Click() override;

    // Shows the window centred over the editor, which is disabled meanwhile.
    void showGuide() { showOverEditor(); }

    QLabel* Label1;
    QRadioButton* optKol;  // "&Rader": the main divisions are columns, split into rows
    QRadioButton* optRows; // "&Kolumner": the main divisions are rows, split into columns
    QLabel* lblAntal;
    QScrollBar* HScroll1;
    std::array<QLabel*, 10> lblX{};
    std::array<QScrollBar*, 10> Xant{};
    FramePreview* preview;
    QPushButton* cmdNext;
    QPushButton* cmdCancel;

private:
    void refreshCountLabel();
    void refreshPartLabels();
    void redrawPreview();
};

class Frame2 : public GuideWindow {
    Q_OBJECT
public:
    Frame2();

    // Shows frame 1 of freshly built frame data, storing nothing of what the fields held.
    void startWithFirstFrame();
    void ScraktuellFrame_Change();
    void cmdBack_Click();
    // "Slutför": writes the frameset page into the editor as a new document.
    void cmdNext_Click();
    void cmdCancel_Click() override;
    void cmdViewWebcolor_Click();

    void showGuide() { showOverEditor(); }

    QLabel* lblAFrame;
    QScrollBar* ScraktuellFrame;
    TextField* txtNamn;
    TextField* txtUrl;
    QComboBox* cmbScroll;
    TextField* txtMW;
    TextField* txtHW;
    QCheckBox* chkNoresize;
    TextField* txtBorder;
    FramePreview* preview;
    QGroupBox* Frame3;
    TextField* txtBackground;
    QComboBox* cmbBackColor;
    QComboBox* cmbText;
    QComboBox* cmbLink;
    QComboBox* cmbVlink;
    QComboBox* cmbAlink;
    QPushButton* cmdViewWebcolor;
    QPushButton* cmdBack;
    QPushButton* cmdNext;
    QPushButton* cmdCancel;

private:
    // The fields into the data of FrameCurrent.
    void storeFields();
    // The data of frame k into the fields; k becomes the current frame.
    void showFrame(int frame);
};

// Opens the frameset guide (the editor's "Frameguide..." item) at its first window.
void OpenFrameGuide();
// The guide's windows while they exist, or nullptr.
Frame1* FrameGuideFirst();
Frame2* FrameGuideSecond();
// Ends the guide: gives the editor back and deletes both windows.
void EndFrameGuide();
