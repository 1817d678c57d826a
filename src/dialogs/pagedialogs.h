#pragma once
// The dialogs that describe the page and its parts: the meta tags and the BODY tag, frames
// and embedded objects, the marquee and the date and time.

// Registers their menu items: "mnuMetaDesc", "mnuMetaArt", "mnuMetaKey", "mnuMetaRefresh",
// "mnuInBack", "mnuInsFrameset", "mnuInsFrame", "mnuInInb", "mnuMarquee" and "mnuInTid".
void RegisterPageDialogs();
