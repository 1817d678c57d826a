#include "guides/guides.h"

#include "guides/frameguide.h"
#include "guides/frmguide.h"
#include "widgets/dialogregistry.h"

void RegisterGuides() {
    RegisterTagDialog(QStringLiteral("mnuArkivGuide"), &OpenPageGuide);
    RegisterTagDialog(QStringLiteral("mnuArkivFrames"), &OpenFrameGuide);
}
