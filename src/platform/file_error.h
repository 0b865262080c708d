#pragma once

#include <QString>

namespace zelvora {

// Why a file could not be written, as a short German sentence for the
// user, from the system's error number.
QString FileErrorReason(int error);

}  // namespace zelvora
