#include "widgets/dialogregistry.h"

#include <QHash>
#include <QtGlobal>

namespace {
QHash<QString, std::function<void()>>& openers() {
    static QHash<QString, std::function<void()>> map;
    return map;
}
} // namespace

const QStringList& TagDialogMenuItems() {
    static const QStringList items = {
        QStringLiteral("mnuEditFixTag"),   QStringLiteral("mnuInBack"),
        QStringLiteral("mnuInBacksound"),  QStringLiteral("mnuInsFormData"),
        QStringLiteral("mnuInsFormRadio"), QStringLiteral("mnuInsFormHide"),
        QStringLiteral("mnuInsFormBut"),   QStringLiteral("mnuInsFormChk"),
        QStringLiteral("mnuInsFormList"),  QStringLiteral("mnuInsFormText"),
        QStringLiteral("mnuMetaDesc"),     QStringLiteral("mnuMetaArt"),
        QStringLiteral("mnuMetaKey"),      QStringLiteral("mnuMetaRefresh"),
        QStringLiteral("mnuInsBild"),      QStringLiteral("mnuInsFrameset"),
        QStringLiteral("mnuInsFrame"),     QStringLiteral("mnuInInb"),
        QStringLiteral("mnuInLin"),        QStringLiteral("mnuInScript"),
        QStringLiteral("mnuTableNew"),     QStringLiteral("mnuTabHead"),
        QStringLiteral("mnuTabTr"),        QStringLiteral("mnuTabTD"),
        QStringLiteral("mnuInBok"),        QStringLiteral("mnuInDef"),
        QStringLiteral("mnuInNum"),        QStringLiteral("mnuInBul"),
        QStringLiteral("mnuInLink"),       QStringLiteral("mnuMarquee"),
        QStringLiteral("mnuInBr"),         QStringLiteral("mnuInTid"),
        QStringLiteral("mnuFormFont"),     QStringLiteral("mnuFormMulticol"),
        QStringLiteral("mnuFormStycke")};
    return items;
}

const QStringList& GuideMenuItems() {
    static const QStringList items = {QStringLiteral("mnuArkivGuide"),
                                      QStringLiteral("mnuArkivFrames")};
    return items;
}

void RegisterTagDialog(const QString& menuItem, std::function<void()> open) {
    Q_ASSERT_X(TagDialogMenuItems().contains(menuItem) || GuideMenuItems().contains(menuItem),
               "RegisterTagDialog", "not a dialog item of the editor's menus");
    openers().insert(menuItem, std::move(open));
}

bool TagDialogRegistered(const QString& menuItem) {
    return openers().contains(menuItem);
}

bool OpenTagDialog(const QString& menuItem) {
    const auto it = openers().constFind(menuItem);
    if (it == openers().constEnd() || !*it)
        return false;
    (*it)();
    return true;
}

void ClearTagDialogs() {
    openers().clear();
}
