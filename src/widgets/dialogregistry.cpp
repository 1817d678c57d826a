#include "widgets/dialogregistry.h"

#include <QHash>

namespace {
QHash<QString, std::function<void()>>& openers() {
    static QHash<QString, std::function<void()>> map;
    return map;
}
} // namespace

void RegisterTagDialog(const QString& menuItem, std::function<void()> open) {
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
