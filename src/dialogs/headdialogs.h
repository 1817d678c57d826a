#pragma once
// The four meta dialogs of the editor's "Metataggar" menu: description, author, keywords and
// refresh. Each writes one META tag and puts it into the document head, after the title,
// wherever the caret stood.

#include "dialogs/tagdialog.h"

class QComboBox;

// What the meta dialogs share: the META tag they write and where it goes.
class MetaDialog : public TagDialog {
    Q_OBJECT
protected:
    explicit MetaDialog(const QString& caption);

    // A text field under a word-wrapped description (the label "lblDesc"); OK is enabled
    // only while the field holds more than blanks.
    TextField* addDescribedField(const char* name, const QString& description);
    // <META HTTP-EQUIV="httpEquiv" CONTENT="content" [TARGET="target"]>, moved into the head
    // (unless the caret already stands there) and inserted.
    static void writeMeta(const QString& httpEquiv, const QString& content,
                          const QString& target = QString());
};

// "Beskrivning": <META HTTP-EQUIV="description" CONTENT=...>.
class MetaDesc : public MetaDialog {
    Q_OBJECT
public:
    MetaDesc();
    TextField* txtDesc;

protected:
    void writeTag() override;
};

// "Författare": <META HTTP-EQUIV="author" CONTENT=...>.
class MetaArt : public MetaDialog {
    Q_OBJECT
public:
    MetaArt();
    TextField* txtAuth;

protected:
    void writeTag() override;
};

// "Sökord": <META HTTP-EQUIV="keywords" CONTENT=...>.
class MetaKey : public MetaDialog {
    Q_OBJECT
public:
    MetaKey();
    TextField* txtKey;

protected:
    void writeTag() override;
};

// "Uppdatera": <META HTTP-EQUIV="refresh" CONTENT="seconds; URL=address" TARGET=...>.
class MetaUpdt : public MetaDialog {
    Q_OBJECT
public:
    MetaUpdt();
    TextField* txtUpdate;
    TextField* txtNewUrl;
    QComboBox* cmbTarget;

protected:
    void writeTag() override;
};

// Registers "mnuMetaDesc", "mnuMetaArt", "mnuMetaKey" and "mnuMetaRefresh".
void RegisterHeadDialogs();
