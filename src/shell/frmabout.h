#pragma once
// The about box: the program's name, its version and where to report problems.

#include <QDialog>

class QLabel;
class QPushButton;

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

    QLabel* lblName;
    QLabel* lblVersion;
    QLabel* lblInfo;
    QPushButton* cmdOK;
};
