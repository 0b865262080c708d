#include "platform/message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QStringList>

namespace zelvora {
namespace {

class ModalMessageBox : public MessageBoxService {
 public:
  MsgResult ask(const MsgRequest& request) override {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(request.title);
    box.setText(request.text);
    switch (request.style & 0x70) {
      case MsgCritical: box.setIcon(QMessageBox::Critical); break;
      case MsgQuestion: box.setIcon(QMessageBox::Question); break;
      case MsgExclamation: box.setIcon(QMessageBox::Warning); break;
      case MsgInformation: box.setIcon(QMessageBox::Information); break;
      default: break;
    }
    switch (request.style & 0x7) {
      case MsgOkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
      case MsgYesNoCancel: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel); break;
      case MsgYesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
      default: box.setStandardButtons(QMessageBox::Ok); break;
    }
    switch (box.exec()) {
      case QMessageBox::Ok: return MsgResult::Ok;
      case QMessageBox::Yes: return MsgResult::Yes;
      case QMessageBox::No: return MsgResult::No;
      default: return (request.style & 0x7) == MsgYesNo ? MsgResult::No : MsgResult::Cancel;
    }
  }
};

MessageBoxService* g_service = nullptr;

}  // namespace

QString ProgramTitle() { return QStringLiteral("Zelvora"); }

MsgResult MsgBox(const QString& text, int style, const QString& title) {
  static ModalMessageBox modal;
  MessageBoxService* service = g_service ? g_service : &modal;
  return service->ask({text, style, title.isNull() ? ProgramTitle() : title});
}

void installMessageBoxService(MessageBoxService* service) { g_service = service; }

MsgResult RecordingMessageBox::ask(const MsgRequest& request) {
  m_shown.push_back(request);
  if (!m_answers.empty()) {
    const MsgResult next = m_answers.front();
    m_answers.pop_front();
    return next;
  }
  const int buttons = request.style & 0x7;
  return buttons == MsgYesNo || buttons == MsgYesNoCancel ? MsgResult::Yes : MsgResult::Ok;
}

QStringList RecordingMessageBox::texts() const {
  QStringList all;
  for (const auto& r : m_shown) all << r.text;
  return all;
}

}  // namespace zelvora
