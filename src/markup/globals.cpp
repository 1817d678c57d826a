#include "markup/globals.h"

#include "markup/document.h"

void SetStartValues() {
    ColorSlot = 0;
    BatchLineBreakStyle = 1;
    PairCount = 0;
    SearchTexts.clear();
    ReplaceTexts.clear();
    BatchCompressLines = false;
    BatchCheckBrackets = true;
    BatchCheckQuotes = true;
    BatchCheckStandardTags = true;
}

void ResetProgramState() {
    IniFile.clear();
    NewLine = QStringLiteral("\r\n");
    WorkText.clear();
    StatusText.clear();
    ErrorKind = ErrorStart = ErrorEnd = 0;
    EntityCount = 0;
    EntityChars.clear();
    EntityCodes.clear();
    TagBuffer.clear();
    OpenTagFormatted = false;
    LastInsertedText.clear();
    ParagraphEditMode = false;
    TagCase = 0;
    AttrQuoteStyle = 0;
    ForceLowerCase = false;
    BrowserPath.clear();
    StartFolder.clear();
    CopyPath.clear();
    StartUpTool = 0;
    OverviewFromTag.clear();
    OverviewToTag.clear();
    OverviewOnlyOne = 0;
    OverviewBetween = 0;
    CurrentFile.clear();
    DocumentChanged = false;
    CurrentFormat = DocumentFormat();
    DraggedColor.clear();
    CancelRequested = false;
    SetStartValues();
}
