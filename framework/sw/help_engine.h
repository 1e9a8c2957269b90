#pragma once
// Help topics are "Folder\page" texts naming resources/help/<Folder>/<page>.html.
//
// The help root is $SW_HELP_ROOT when set; otherwise resources/help found next to the loaded
// framework library or in one of its parent directories (the build tree and an installed
// tree both work); or share/torvik/help in one of those, as an installation has it;
// otherwise $SW_SOURCE_DIR/resources/help. A help viewer installed with setHelpViewer (a
// desktop front end's help window) is handed every topic, with or without a page; else with
// $SW_HELP_VIEWER set, that viewer runs with the page's path as its one argument; otherwise
// the path is printed.

#include <functional>
#include <string>

#include "framework/afx/cstring.h"

struct HelpTopicRecord {
    std::string topic;  // as asked for
    std::string path;   // the page's file ("" when no help root was found)
    bool exists = false;
};

// Opens the help page of topic; returns TRUE when its file exists.
BOOL HelpEngine(LPCTSTR topic, int showNow = 1);

namespace sw {
// The last topic HelpEngine was asked for (the console and tests read it).
const HelpTopicRecord& lastHelpTopic();
// The page file of a topic under the help root ("" when no root was found).
std::string helpPathOf(const std::string& topic);
using HelpViewer = std::function<void(const HelpTopicRecord&)>;
// Shows help pages from now on (an empty function: back to the default); returns the
// previous viewer.
HelpViewer setHelpViewer(HelpViewer viewer);
}  // namespace sw
