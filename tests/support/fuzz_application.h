#pragma once

#include <QString>

namespace zelvora::test {

// For fuzz targets that need widgets: starts the application once under
// the offscreen platform, with the per-user settings in a private folder
// and a fresh program folder (ZELVORA_PROGRAM_FOLDER) that lives for the
// whole run. Returns that folder.
QString startFuzzApplication(int* argc, char*** argv);

}  // namespace zelvora::test
