#pragma once
// Renders the window's views to PNG files, offscreen, for the README: the main window with
// a selection, every page of an Ethernet and of an expander port, and a counter graph fed
// by a counter dragged from the Statistics page. Everything is operated as a person would,
// through the window system, so the pictures show what an operator sees.

#include <iosfwd>
#include <string>

namespace afxqt {
class Presenter;
}

namespace gui {

class MainWindow;

// Writes the files into dir (created if needed); the exit status (0, or 1 with a message).
int renderScreenshots(MainWindow& window, afxqt::Presenter& presenter, const std::string& dir,
                      std::ostream& err);

}  // namespace gui
