#pragma once
// The folder browser the editor, the batch window and the file copy window are built from:
// a drive list, a folder list and a file list.
//
// Paths use "/" and never end in "/" except the root "/" itself. Names are sorted ignoring
// letter case (per-character lower case), with the exact name breaking ties, and hidden
// entries (names starting with ".") are left out.
//
// Events a program-made change raises, as the windows rely on them:
// - FolderList::pathChanged is raised whenever the path changes, by the user (double click,
//   Enter) or by setPath() (the batch walk moves the list and the file list follows).
// - FileList::fileClicked is raised by a user click or keyboard move of the selection and
//   also by setListIndex() with an entry (the editor opens the file from it). Clearing the
//   selection with setListIndex(-1), setPath(), setPattern() and refresh() raise nothing.
// - DriveList::driveChanged is raised only when the user picks a drive; setDrive() only
//   shows the drive of a folder and raises nothing (so showing the drive of the folder list
//   never moves the folder list back to the drive's root).

#include "platform/folders.h"

#include <QComboBox>
#include <QList>
#include <QListWidget>
#include <QString>
#include <QStringList>

// The drives: the root "/" and the mounted volumes of real file systems, by root path.
class DriveList : public QComboBox {
    Q_OBJECT

public:
    explicit DriveList(QWidget* parent = nullptr);

    // The root path of the drive shown.
    QString drive() const;
    // Shows the drive that holds the folder (the mount point it is on). Raises nothing.
    void setDrive(const QString& folder);
    // Reads the mounted volumes again, keeping the drive shown when it is still there.
    void refresh();

    // The root paths of the drives, "/" first, then the others sorted.
    static QStringList availableDrives();
    // The drive holding the folder: the longest drive root the folder lies in ("/" at least).
    static QString driveOf(const QString& folder);
    // False for a drive that cannot be read (a missing medium, no permission).
    static bool isReady(const QString& root);

signals:
    // The user picked another drive.
    void driveChanged(const QString& root);

protected:
    void showPopup() override;

private:
    void fill(const QStringList& roots);
    void userPicked(int index);
    QString m_drive;
};

// The folders of the current path with the index model of a classic folder list:
// entries 0..listCount()-1 are the subfolders sorted by name, -1 is the current folder
// itself, -2 its parent, and so on up to the root. The list shows the chain of folders from
// the root down to the current one, then the subfolders.
//
// A subfolder that is a symbolic link to the folder itself or to one of the folders above
// it is left out, so walking the tree can never loop.
class FolderList : public QListWidget {
    Q_OBJECT

public:
    explicit FolderList(QWidget* parent = nullptr);

    QString path() const { return m_path; }
    // Goes to the folder. False (nothing changed) when it does not exist or cannot be read.
    // Raises pathChanged when the path differs from the previous one; the highlighted entry
    // becomes -1 (the folder itself) in every case.
    bool setPath(const QString& folder);
    // Reads the subfolders again. When the folder has gone, goes to the nearest folder above
    // it that still exists (raising pathChanged).
    void refresh();

    int listCount() const { return static_cast<int>(m_subfolders.size()); }
    // The full path of an entry; "" for an index outside the model.
    QString listPath(int index) const;
    // The highlighted entry (moved by the user's arrow keys and clicks, or by the program).
    int listIndex() const;
    // Highlights an entry without changing the path. False for an index outside the model.
    bool setListIndex(int index);
    // The number of entries above the subfolders: the folder itself and those above it.
    int parentCount() const { return static_cast<int>(m_ancestors.size()); }

signals:
    void pathChanged(const QString& path);

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    void fill();
    void openHighlighted();
    QStringList readSubfolders() const;

    QString m_path;
    QStringList m_ancestors;  // from the root down to the current folder
    QStringList m_subfolders; // names, sorted
};

// The files of one folder whose names match the pattern, sorted by name ignoring case,
// hidden files left out.
class FileList : public QListWidget {
    Q_OBJECT

public:
    explicit FileList(QWidget* parent = nullptr);

    QString path() const { return m_path; }
    // Lists the files of the folder. False (nothing changed) when it cannot be read.
    bool setPath(const QString& folder);
    QString pattern() const { return m_pattern.text(); }
    // Lists the files matching the pattern (see FilePattern), reading the folder again even
    // when the pattern is the same. False (the previous pattern stays) for an unusable one.
    bool setPattern(const QString& pattern);
    // Reads the folder again, keeping the selected file selected when it is still listed.
    void refresh();

    int listCount() const { return count(); }
    // The name of an entry; "" for an index outside the list.
    QString fileName(int index) const;
    // The entry of a file name: the one spelt exactly so, else one that differs only in
    // letter case; -1 when none is listed.
    int indexOfName(const QString& name) const;
    // The selected (current) entry, -1 when there is none.
    int listIndex() const { return currentRow(); }
    // Selects an entry and raises fileClicked as a user click does; -1 clears the selection
    // and raises nothing. False for an index outside the list.
    bool setListIndex(int index);

    // For lists that allow several selected files (the batch window).
    void setMultiSelection(bool on);
    bool isSelected(int index) const;
    void setSelected(int index, bool selected);

signals:
    // The user chose a file (click, or moving the selection with the keys), or the program
    // set the list index.
    void fileClicked(int index);
    // The right mouse button was released over the list.
    void rightButtonReleased();
    // A key was released while the list had the focus.
    void keyReleased(int key, Qt::KeyboardModifiers modifiers);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    void fill(const QStringList& names);
    QStringList readFiles(const QString& folder, const FilePattern& pattern) const;

    QString m_path;
    FilePattern m_pattern{QStringLiteral("*")};
    bool m_afterDoubleClick = false;
    int m_rowAtPress = -1;
};
