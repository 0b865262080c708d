#pragma once

#include "platform/form.h"

#include <QPointer>

class QAction;
class QMenu;

namespace zelvora {

// The main window: a multiple-document frame holding every other window,
// with the menu bar. Its load handler is the program's start-up.
class MDIzelvora : public Form {
 public:
  MDIzelvora();

  QMdiArea* mdiArea() override;
  // A menu item by its control name ("men_stand").
  QAction* menuItem(const QString& name);

  void men_ende_Click();

 protected:
  QWidget* createWindow(QWidget* client) override;
  void createControls(QWidget* client) override;
  void Form_Load() override;
  void Form_Unload() override;
  QSize decorationPixels() const override;

 private:
  void buildMenus(QWidget* window);
  void fillWindowList(QMenu* menu);

  QPointer<QMdiArea> m_area;
};

}  // namespace zelvora
