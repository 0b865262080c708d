#include "platform/clipboard/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace zelvora {
namespace {

class SystemClipboard : public ClipboardService {
 public:
  bool setText(const QString& text) override {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) return false;
    clipboard->clear();
    clipboard->setText(text);
    // The window system may refuse the ownership without telling; reading
    // the text back is the only sign that it arrived.
    return clipboard->text() == text;
  }
};

ClipboardService* g_installed = nullptr;

ClipboardService& service() {
  static SystemClipboard system;
  return g_installed ? *g_installed : system;
}

}  // namespace

bool SetClipboardText(const QString& text) { return service().setText(text); }

void installClipboardService(ClipboardService* service) { g_installed = service; }

}  // namespace zelvora
