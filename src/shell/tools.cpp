#include "shell/tools.h"

#include "shell/frmpref.h"
#include "shell/frmstartup.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMap>
#include <QPointer>
#include <QVBoxLayout>

namespace {

struct ToolState {
    std::function<QWidget*()> factory;
    QPointer<QWidget> window;
};

QMap<Tool, ToolState>& tools() {
    static QMap<Tool, ToolState> map;
    return map;
}

// Stands in for a tool whose window is not part of this build: it carries the tool's caption
// and, like every tool window, hides the launcher while it is open.
class StandInWindow : public QMainWindow {
public:
    explicit StandInWindow(const QString& caption) {
        setWindowTitle(caption);
        auto* label = new QLabel(QStringLiteral("Det här fönstret finns inte ännu."), this);
        label->setAlignment(Qt::AlignCenter);
        setCentralWidget(label);
        resize(480, 320);
    }

protected:
    void closeEvent(QCloseEvent* event) override {
        event->accept();
        ShowLauncher();
    }
};

QWidget* makeStandIn(Tool tool) {
    switch (tool) {
    case Tool::Editor:
        return new StandInWindow(QStringLiteral("Vessilora - Editor"));
    case Tool::Batch:
        return new StandInWindow(QStringLiteral("Vessilora - Bearbeta filer"));
    case Tool::FileCopy:
        return new StandInWindow(QStringLiteral("Kopiera filer"));
    case Tool::Preferences:
        return new frmPref;
    case Tool::ColourPicker:
        break;
    }
    return nullptr;
}

} // namespace

void RegisterTool(Tool tool, std::function<QWidget*()> factory) {
    tools()[tool].factory = std::move(factory);
}

bool ToolRegistered(Tool tool) {
    return tools().contains(tool) && tools()[tool].factory;
}

QWidget* ToolWindow(Tool tool) {
    ToolState& state = tools()[tool];
    if (!state.window)
        state.window = state.factory ? state.factory() : makeStandIn(tool);
    return state.window;
}

QWidget* ExistingToolWindow(Tool tool) {
    auto it = tools().find(tool);
    return it == tools().end() ? nullptr : it->window.data();
}

void ShowLauncher() {
    if (frmStartUp* launcher = Launcher())
        launcher->show();
}

void HideLauncher() {
    if (frmStartUp* launcher = Launcher())
        launcher->hide();
}

void ShowPreferencesWindow() {
    if (QWidget* window = ToolWindow(Tool::Preferences)) {
        window->show();
        window->raise();
        window->activateWindow();
    }
}

void ResetTools() {
    for (ToolState& state : tools())
        delete state.window.data();
    tools().clear();
}
