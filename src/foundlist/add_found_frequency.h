#pragma once

namespace zelvora {

// Writes the receiver panel's current frequency into the found list:
// into the first empty slot of 1 .. 59, which is then locked, or, when
// those are all taken, over slot 60, which stays editable. Loads the list
// window if needed without showing it.
void AddFoundFrequency();

}  // namespace zelvora
