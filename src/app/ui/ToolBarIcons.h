#pragma once

#include <QIcon>

// The pictures of the main window's tool bars and its application icon, drawn
// in code so that they stay sharp at any size.
namespace ToolBarIcons {

QIcon back();
QIcon forward();
QIcon refresh();
QIcon stop();
QIcon settings();
QIcon help();

QIcon autoFill();
QIcon reciprocal();
QIcon copy();
QIcon gotoDirectory();
QIcon nextDirectory();
QIcon skip();
QIcon closeTab();

QIcon application();

} // namespace ToolBarIcons
