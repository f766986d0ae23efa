#pragma once

#include <QIcon>
#include <QPixmap>

// The 140 x 140 program picture; the colour of its bottom-left pixel (white)
// is made transparent so that the background shows through.
QPixmap ProgramPicture();

// The 16 x 16 red-thermometer icon of the program and its windows.
QIcon ProgramIcon();
