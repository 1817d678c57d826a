#include "widgets/filepanes.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSet>
#include <QStorageInfo>
#include <QStyle>

#include <algorithm>

namespace {

// True when target is the folder or lies above it.
bool isSelfOrAbove(const QString& target, const QString& folder) {
    if (target == folder || target == QLatin1String("/"))
        return true;
    return folder.startsWith(target) && folder.at(target.size()) == QLatin1Char('/');
}

// File systems that hold no files of the user's own.
bool isVolatileFileSystem(const QByteArray& type) {
    static const QSet<QByteArray> volatileTypes = {"tmpfs",   "ramfs", "devtmpfs", "squashfs",
                                                   "overlay", "proc",  "sysfs",    "autofs"};
    return volatileTypes.contains(type);
}

bool isNetworkFileSystem(const QByteArray& type) {
    static const QSet<QByteArray> networkTypes = {"nfs",   "nfs4",       "cifs",     "smb3",
                                                  "smbfs", "fuse.sshfs", "virtiofs", "9p"};
    return networkTypes.contains(type);
}

} // namespace

// --- DriveList ---------------------------------------------------------------------------

DriveList::DriveList(QWidget* parent) : QComboBox(parent) {
    setEditable(false);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    fill(availableDrives());
    connect(this, &QComboBox::activated, this, &DriveList::userPicked);
}

QStringList DriveList::availableDrives() {
    QStringList roots;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        if (root.isEmpty() || root == QLatin1String("/") || !volume.isValid())
            continue;
        const QByteArray type = volume.fileSystemType();
        const bool device = volume.device().startsWith("/dev/");
        if (isVolatileFileSystem(type) || !(device || isNetworkFileSystem(type)))
            continue;
        if (!roots.contains(root))
            roots.append(root);
    }
    SortNamesIgnoringCase(roots);
    roots.prepend(QStringLiteral("/"));
    return roots;
}

QString DriveList::driveOf(const QString& folder) {
    // The volume that really holds the folder, also when the path runs through a link.
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    const QString path = canonical.isEmpty() ? NormalizeFolder(folder) : canonical;
    QString best = QStringLiteral("/");
    if (path.isEmpty())
        return best;
    for (const QString& root : availableDrives()) {
        if (root.size() > best.size() && (path == root || isSelfOrAbove(root, path)))
            best = root;
    }
    return best;
}

bool DriveList::isReady(const QString& root) {
    // A folder that can be read is ready, whatever the mount table says: in a chroot or a
    // container "/" is often not a listed mount point.
    return IsReadableFolder(root);
}

QString DriveList::drive() const {
    return m_drive;
}

void DriveList::fill(const QStringList& roots) {
    QSignalBlocker block(this);
    clear();
    const QIcon icon = style()->standardIcon(QStyle::SP_DriveHDIcon);
    for (const QString& root : roots)
        addItem(icon, root, root);
    int index = findData(m_drive);
    if (index < 0 && !m_drive.isEmpty()) {
        // A drive that is no longer mounted stays shown until another is chosen.
        addItem(icon, m_drive, m_drive);
        index = count() - 1;
    }
    if (index < 0)
        index = 0;
    setCurrentIndex(index);
    m_drive = itemData(index).toString();
}

void DriveList::refresh() {
    fill(availableDrives());
}

void DriveList::setDrive(const QString& folder) {
    const QStringList roots = availableDrives();
    m_drive = driveOf(folder);
    fill(roots);
}

void DriveList::showPopup() {
    refresh();
    QComboBox::showPopup();
}

void DriveList::userPicked(int index) {
    const QString root = itemData(index).toString();
    if (root.isEmpty() || root == m_drive)
        return;
    m_drive = root;
    emit driveChanged(root);
}

// --- FolderList --------------------------------------------------------------------------

FolderList::FolderList(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    connect(this, &QListWidget::itemDoubleClicked, this, [this] { openHighlighted(); });
}

bool FolderList::setPath(const QString& folder) {
    const QString path = NormalizeFolder(folder);
    if (!IsReadableFolder(path))
        return false;
    const bool moved = path != m_path;
    m_path = path;
    fill();
    if (moved)
        emit pathChanged(m_path);
    return true;
}

void FolderList::refresh() {
    if (m_path.isEmpty())
        return;
    if (IsReadableFolder(m_path)) {
        const int keep = listIndex();
        fill();
        setListIndex(keep);
        return;
    }
    QString up = m_path;
    while (!IsReadableFolder(up) && up != QLatin1String("/"))
        up = QFileInfo(up).path();
    setPath(up);
}

QStringList FolderList::readSubfolders() const {
    QStringList names;
    QDir dir(m_path);
    const QFileInfoList entries =
        dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::NoSort);
    QStringList canonicalAbove; // filled only when a link needs it
    for (const QFileInfo& entry : entries) {
        const QString name = entry.fileName();
        if (IsHiddenName(name))
            continue;
        if (entry.isSymLink()) {
            const QString target = entry.canonicalFilePath();
            if (target.isEmpty())
                continue;
            if (canonicalAbove.isEmpty()) {
                for (const QString& folder : m_ancestors)
                    canonicalAbove.append(QFileInfo(folder).canonicalFilePath());
            }
            const bool loops = std::any_of(
                canonicalAbove.cbegin(), canonicalAbove.cend(), [&](const QString& above) {
                    return !above.isEmpty() && isSelfOrAbove(target, above);
                });
            if (loops)
                continue;
        }
        names.append(name);
    }
    SortNamesIgnoringCase(names);
    return names;
}

void FolderList::fill() {
    m_ancestors.clear();
    for (QString folder = m_path;; folder = QFileInfo(folder).path()) {
        m_ancestors.prepend(folder);
        if (folder == QLatin1String("/") || folder == QFileInfo(folder).path())
            break;
    }
    m_subfolders = readSubfolders();

    QSignalBlocker block(this);
    setUpdatesEnabled(false);
    clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    const QString step = QStringLiteral("  ");
    for (qsizetype i = 0; i < m_ancestors.size(); ++i) {
        const QString name = i == 0 ? m_ancestors[i] : QFileInfo(m_ancestors[i]).fileName();
        auto* item = new QListWidgetItem(open, step.repeated(i) + name);
        item->setToolTip(m_ancestors[i]);
        addItem(item);
    }
    const QString indent = step.repeated(m_ancestors.size());
    for (const QString& name : m_subfolders)
        addItem(new QListWidgetItem(closed, indent + name));
    setCurrentRow(static_cast<int>(m_ancestors.size()) - 1);
    setUpdatesEnabled(true);
    scrollToItem(currentItem(), QAbstractItemView::PositionAtTop);
}

QString FolderList::listPath(int index) const {
    if (m_path.isEmpty())
        return QString();
    if (index >= 0) {
        if (index >= m_subfolders.size())
            return QString();
        return m_path == QLatin1String("/") ? m_path + m_subfolders[index]
                                            : m_path + QLatin1Char('/') + m_subfolders[index];
    }
    const qsizetype above = m_ancestors.size() + index; // -1 is the last ancestor
    if (above < 0)
        return QString();
    return m_ancestors[above];
}

int FolderList::listIndex() const {
    const int row = currentRow();
    if (row < 0)
        return -1;
    return row - static_cast<int>(m_ancestors.size());
}

bool FolderList::setListIndex(int index) {
    if (m_path.isEmpty() || index >= m_subfolders.size() || index < -m_ancestors.size())
        return false;
    setCurrentRow(index + static_cast<int>(m_ancestors.size()));
    return true;
}

void FolderList::openHighlighted() {
    const QString target = listPath(listIndex());
    if (!target.isEmpty())
        setPath(target);
}

void FolderList::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        openHighlighted();
        e->accept();
        return;
    }
    QListWidget::keyPressEvent(e);
}

// --- FileList ----------------------------------------------------------------------------

FileList::FileList(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
}

QStringList FileList::readFiles(const QString& folder, const FilePattern& pattern) const {
    return ListFiles(folder, pattern);
}

void FileList::fill(const QStringList& names) {
    QSignalBlocker block(this);
    setUpdatesEnabled(false);
    clear();
    addItems(names);
    setCurrentRow(-1);
    setUpdatesEnabled(true);
}

bool FileList::setPath(const QString& folder) {
    const QString path = NormalizeFolder(folder);
    if (!IsReadableFolder(path))
        return false;
    m_path = path;
    fill(readFiles(m_path, m_pattern));
    return true;
}

bool FileList::setPattern(const QString& text) {
    FilePattern pattern(text);
    if (!pattern.isValid())
        return false;
    m_pattern = pattern;
    fill(readFiles(m_path, m_pattern));
    return true;
}

void FileList::refresh() {
    const QStringList names = readFiles(m_path, m_pattern);
    // An unchanged folder leaves the list alone: its selection, its scroll position and a
    // click being made on it stay as they are.
    if (names.size() == count()) {
        bool same = true;
        for (int i = 0; same && i < count(); ++i)
            same = item(i)->text() == names[i];
        if (same)
            return;
    }
    const QString current = fileName(listIndex());
    QStringList selected;
    for (const QListWidgetItem* entry : selectedItems())
        selected.append(entry->text());
    const int scrolled = verticalScrollBar()->value();
    fill(names);
    QSignalBlocker block(this);
    for (int i = 0; i < count(); ++i) {
        if (item(i)->text() == current)
            setCurrentRow(i, QItemSelectionModel::NoUpdate);
        if (selected.contains(item(i)->text()))
            item(i)->setSelected(true);
    }
    verticalScrollBar()->setValue(scrolled);
}

int FileList::indexOfName(const QString& name) const {
    for (int i = 0; i < listCount(); ++i)
        if (fileName(i) == name)
            return i;
    for (int i = 0; i < listCount(); ++i)
        if (fileName(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QString FileList::fileName(int index) const {
    const QListWidgetItem* entry = item(index);
    return entry ? entry->text() : QString();
}

bool FileList::setListIndex(int index) {
    if (index == -1) {
        setCurrentRow(-1);
        clearSelection();
        return true;
    }
    if (index < 0 || index >= count())
        return false;
    setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    scrollToItem(item(index));
    emit fileClicked(index);
    return true;
}

void FileList::setMultiSelection(bool on) {
    setSelectionMode(on ? QAbstractItemView::ExtendedSelection
                        : QAbstractItemView::SingleSelection);
}

bool FileList::isSelected(int index) const {
    const QListWidgetItem* entry = item(index);
    return entry && entry->isSelected();
}

void FileList::setSelected(int index, bool selected) {
    if (QListWidgetItem* entry = item(index))
        entry->setSelected(selected);
}

void FileList::keyPressEvent(QKeyEvent* e) {
    const int before = currentRow();
    QListWidget::keyPressEvent(e);
    const int after = currentRow();
    if (after >= 0 && after != before)
        emit fileClicked(after);
}

void FileList::keyReleaseEvent(QKeyEvent* e) {
    QListWidget::keyReleaseEvent(e);
    emit keyReleased(e->key(), e->modifiers());
}

void FileList::mousePressEvent(QMouseEvent* e) {
    m_rowAtPress = currentRow();
    m_afterDoubleClick = false;
    QListWidget::mousePressEvent(e);
}

void FileList::mouseDoubleClickEvent(QMouseEvent* e) {
    // The first click of the pair already chose the file.
    m_rowAtPress = currentRow();
    m_afterDoubleClick = true;
    QListWidget::mouseDoubleClickEvent(e);
}

void FileList::mouseReleaseEvent(QMouseEvent* e) {
    QListWidget::mouseReleaseEvent(e);
    if (e->button() == Qt::RightButton) {
        emit rightButtonReleased();
        return;
    }
    if (e->button() != Qt::LeftButton)
        return;
    const int row = currentRow();
    if (row < 0)
        return;
    const bool onCurrent = itemAt(e->position().toPoint()) == currentItem();
    const bool moved = row != m_rowAtPress;
    if (m_afterDoubleClick && !moved)
        return;
    if (onCurrent || moved)
        emit fileClicked(row);
}
