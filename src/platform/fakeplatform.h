#pragma once
// A platform double for tests and for runs without a window system: it records every call
// and answers from queues filled by the test. An empty queue gives the cautious answer
// (OK for a plain message, otherwise Cancel or No; a cancelled dialog).

#include "platform/platform.h"

#include <QList>
#include <functional>

struct PlatformCall {
    enum Kind { Message, OpenFile, SaveFile, ChooseColour, StartProgram };
    Kind kind = Message;
    QString text; // message text
    MsgIcon icon = MsgIcon::None;
    MsgButtons buttons = MsgButtons::Ok;
    QString title;
    FileDialogRequest request;
    unsigned rgb = 0;
    QString program;
    QStringList arguments;
};

class FakePlatform : public Platform {
public:
    MsgAnswer message(const QString& text, MsgIcon icon, MsgButtons buttons,
                      const QString& title) override;
    std::optional<FileDialogResult> openFile(const FileDialogRequest& request) override;
    std::optional<FileDialogResult> saveFile(const FileDialogRequest& request) override;
    std::optional<unsigned> chooseColour(unsigned rgb) override;
    bool startProgram(const QString& program, const QStringList& arguments) override;
    QStringList screenFonts() override { return fonts; }
    QSize screenSizeTwips() override { return screenTwips; }
    void setBusy(bool busy) override;

    // Every call, in order.
    QList<PlatformCall> calls;
    // Only the message boxes, in order.
    QList<PlatformCall> messages() const;
    // The text of the last message box, or "" when none was shown.
    QString lastMessage() const;
    void clear();

    // Scripted answers, taken from the front.
    QList<MsgAnswer> messageAnswers;
    QList<std::optional<FileDialogResult>> fileAnswers;
    QList<std::optional<unsigned>> colourAnswers;
    // Whether startProgram succeeds (it then also needs an existing program file when
    // requireExistingProgram is set).
    bool startSucceeds = true;
    bool requireExistingProgram = true;
    // Called for each message box just before it answers, for tests that must act while
    // the box is "open".
    std::function<void(const PlatformCall&)> onMessage;

    QStringList fonts = {QStringLiteral("DejaVu Sans"), QStringLiteral("DejaVu Sans Mono"),
                         QStringLiteral("Fixedsys"), QStringLiteral("Liberation Serif")};
    QSize screenTwips = QSize(1920 * TwipsPerPixel, 1040 * TwipsPerPixel);
    int busyDepth = 0;      // current nesting of the busy pointer
    int busyShownCount = 0; // how often it was switched on
};
