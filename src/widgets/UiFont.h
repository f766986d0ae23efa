#pragma once

#include <QFont>
#include <QString>

// The 8 pt sans serif the layouts were drawn for, with its metric twins as
// fall-backs, then the system's sans serif.
QFont ClassicUiFont();

// A style sheet with that font and with group boxes whose frame line runs
// through the middle of the caption, so that a box's first row of controls
// may start 16 px below its top, as the forms were drawn.
QString ClassicStyleSheet();
