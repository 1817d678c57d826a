#include "platform/fakeplatform.h"

#include <QFileInfo>

MsgAnswer FakePlatform::message(const QString& text, MsgIcon icon, MsgButtons buttons,
                                const QString& title) {
    PlatformCall call;
    call.kind = PlatformCall::Message;
    call.text = text;
    call.icon = icon;
    call.buttons = buttons;
    call.title = title.isEmpty() ? QStringLiteral("Vessilora") : title;
    calls.append(call);
    if (onMessage)
        onMessage(call);
    if (!messageAnswers.isEmpty())
        return messageAnswers.takeFirst();
    switch (buttons) {
    case MsgButtons::Ok:
        return MsgAnswer::Ok;
    case MsgButtons::YesNo:
        return MsgAnswer::No;
    case MsgButtons::OkCancel:
    case MsgButtons::YesNoCancel:
        break;
    }
    return MsgAnswer::Cancel;
}

std::optional<FileDialogResult> FakePlatform::openFile(const FileDialogRequest& request) {
    PlatformCall call;
    call.kind = PlatformCall::OpenFile;
    call.request = request;
    calls.append(call);
    return fileAnswers.isEmpty() ? std::nullopt : fileAnswers.takeFirst();
}

std::optional<FileDialogResult> FakePlatform::saveFile(const FileDialogRequest& request) {
    PlatformCall call;
    call.kind = PlatformCall::SaveFile;
    call.request = request;
    calls.append(call);
    return fileAnswers.isEmpty() ? std::nullopt : fileAnswers.takeFirst();
}

std::optional<unsigned> FakePlatform::chooseColour(unsigned rgb) {
    PlatformCall call;
    call.kind = PlatformCall::ChooseColour;
    call.rgb = rgb;
    calls.append(call);
    return colourAnswers.isEmpty() ? std::nullopt : colourAnswers.takeFirst();
}

bool FakePlatform::startProgram(const QString& program, const QStringList& arguments) {
    PlatformCall call;
    call.kind = PlatformCall::StartProgram;
    call.program = program;
    call.arguments = arguments;
    calls.append(call);
    if (!startSucceeds)
        return false;
    return !requireExistingProgram || QFileInfo(program).isFile();
}

void FakePlatform::setBusy(bool busy) {
    if (busy) {
        ++busyDepth;
        ++busyShownCount;
    } else if (busyDepth > 0) {
        --busyDepth;
    }
}

QList<PlatformCall> FakePlatform::messages() const {
    QList<PlatformCall> result;
    for (const PlatformCall& call : calls)
        if (call.kind == PlatformCall::Message)
            result.append(call);
    return result;
}

QString FakePlatform::lastMessage() const {
    const QList<PlatformCall> shown = messages();
    return shown.isEmpty() ? QString() : shown.last().text;
}

void FakePlatform::clear() {
    calls.clear();
    messageAnswers.clear();
    fileAnswers.clear();
    colourAnswers.clear();
    busyDepth = 0;
    busyShownCount = 0;
}
