#pragma once

#include "platform/form.h"

#include <QStringList>

class QCheckBox;
class QLabel;
class QPushButton;

namespace zelvora {

struct TipControls {
  QPushButton* cmdOK = nullptr;
  QPushButton* cmdNextTip = nullptr;
  QWidget* Picture1 = nullptr;
  QLabel* lblTipText = nullptr;
  QCheckBox* chkLoadTipsAtStartup = nullptr;
};

// "Tips und Tricks": one random line of the tips file at a time. The tips
// collected so far survive an unload; every load appends the file again.
class frmTip : public FormOf<TipControls> {
 public:
  frmTip();

  bool LoadTips(const QString& path);
  void DisplayCurrentTip();

  void cmdNextTip_Click();
  void cmdOK_Click();
  void chkLoadTipsAtStartup_Click();

  const QStringList& tips() const { return m_tips; }
  int currentTip() const { return m_currentTip; }

 protected:
  void buildControls(TipControls& c, QWidget* client) override;
  void Form_Load() override;

 private:
  void ShowNextTip();

  QStringList m_tips;
  int m_currentTip = 0;
};

}  // namespace zelvora
