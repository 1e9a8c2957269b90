#pragma once
// The text a dragged counter carries to the console's charting tools. One line of
// tab-separated "key=value" fields, in this order:
//   SWDRAG/1  agent=<address>  var=<variable>  value=<value>  index=<i1>,<i2>,...
//   label=<label>  source=<source word>  slot=<n>  port=<n>  unit=<n>
// Tabs, newlines and backslashes inside a field are written as \t, \n and \\.

#include <string>
#include <vector>

#include "framework/afx/collections.h"

namespace sw {

struct DragDropFields {
    std::string agent;
    std::string variable;
    std::string value;
    std::vector<std::string> index;
    std::string label;
    std::string source;
    int slot = 0;
    int port = 0;
    int unit = 0;
};

std::string formatDragDropString(const DragDropFields& fields);
// The fields of a drag string; false when the text is not one.
bool parseDragDropString(const std::string& text, DragDropFields& fields);

}  // namespace sw
