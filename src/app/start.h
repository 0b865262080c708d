#pragma once

namespace zelvora {

class MDIzelvora;

// Starts the program once the QApplication exists: creates and loads the
// main window (its load handler is the start-up) and shows it.
MDIzelvora& start();

}  // namespace zelvora
