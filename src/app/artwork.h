#pragma once

#include <QIcon>
#include <QPixmap>

namespace zelvora {

// The program's own pictures, drawn rather than stored (app/program_logo.h):
// the logo and the window icon, which is the desktop menu's icon too.
QPixmap ProgramLogo(int size);
QIcon ProgramIcon();

// The main window's background: the photograph in "\grafik\hintergrund.jpg"
// when the program folder has it, else a dark sky gradient.
QBrush FrameBackground();

}  // namespace zelvora
