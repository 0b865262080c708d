#pragma once

#include <QString>

namespace zelvora {

// Every use of the system clipboard goes through the installed service, so
// a test can make the clipboard refuse.
class ClipboardService {
 public:
  virtual ~ClipboardService() = default;
  // Clears the clipboard and puts one plain text on it; false when the
  // clipboard did not take it.
  virtual bool setText(const QString& text) = 0;
};

// Clears the clipboard and puts one plain text on it; false when that failed.
bool SetClipboardText(const QString& text);

// Installs a service for the rest of the run; nullptr restores the system
// clipboard. The caller keeps ownership.
void installClipboardService(ClipboardService* service);

}  // namespace zelvora
