#pragma once

#include <QString>

#include <deque>
#include <vector>

namespace zelvora {

// Buttons and icon of a message box, combined with |, as the classic
// message box took them.
enum MsgStyle : int {
  MsgOkOnly = 0,
  MsgOkCancel = 1,
  MsgYesNoCancel = 3,
  MsgYesNo = 4,
  MsgCritical = 16,
  MsgQuestion = 32,
  MsgExclamation = 48,
  MsgInformation = 64,
};

enum class MsgResult { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

struct MsgRequest {
  QString text;
  int style = MsgOkOnly;
  QString title;
};

// Every message box of the program goes through the installed service.
class MessageBoxService {
 public:
  virtual ~MessageBoxService() = default;
  virtual MsgResult ask(const MsgRequest& request) = 0;
};

// Shows a modal message box; the title defaults to the program's title.
MsgResult MsgBox(const QString& text, int style = MsgOkOnly, const QString& title = QString());

// The program's title, used on every message box.
QString ProgramTitle();

// Installs a service for the rest of the run; nullptr restores the real,
// modal one. The caller keeps ownership.
void installMessageBoxService(MessageBoxService* service);

// For tests: records every box and answers from a script; when the script
// is empty it answers OK (or Yes).
class RecordingMessageBox : public MessageBoxService {
 public:
  RecordingMessageBox() { installMessageBoxService(this); }
  ~RecordingMessageBox() override { installMessageBoxService(nullptr); }

  MsgResult ask(const MsgRequest& request) override;
  void answerNext(MsgResult result) { m_answers.push_back(result); }
  const std::vector<MsgRequest>& shown() const { return m_shown; }
  QStringList texts() const;
  void clear() { m_shown.clear(); }

 private:
  std::vector<MsgRequest> m_shown;
  std::deque<MsgResult> m_answers;
};

}  // namespace zelvora
