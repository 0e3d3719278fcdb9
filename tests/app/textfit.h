#pragma once
// Finding texts that do not fit their control: every visible label, button,
// check box, radio button and group box title of a window is measured in
// its own font against the room its style gives the text.
#include <QString>
#include <map>
#include <string>
#include <vector>

class QWidget;

namespace tovix::test {

// One line per text that is cut off, runs out of its parent, or overlaps a
// sibling text control: "objectName: what is wrong". Empty when all fit.
std::vector<std::string> TextsThatDoNotFit(const QWidget& window);

// Every text of a window a user can see: the window's title, the visible
// text controls' captions and the visible widgets' hints, keyed by where
// they are ("Seite21/GroupBox1/CheckBox2 caption").
std::map<std::string, QString> VisibleTexts(const QWidget& window);

}  // namespace tovix::test
