#pragma once

class QPushButton;
class QWidget;

namespace zelvora {

// Gives a window a default button (Enter) and a cancel button (Esc), as a
// dialog has. Enter on another button with the focus presses that button.
void setDialogButtons(QWidget* window, QPushButton* defaultButton, QPushButton* cancelButton);

}  // namespace zelvora
