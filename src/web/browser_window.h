#pragma once

#include "platform/form.h"

class QLabel;
class QPushButton;

namespace zelvora {

class FileListBox;
class HtmlView;

struct BrowserControls {
  FileListBox* fileList = nullptr;
  QPushButton* openButton = nullptr;
  QLabel* label = nullptr;
  HtmlView* view = nullptr;
};

// What the two browser windows share: a list of the html folder's pages,
// "Öffnen" for the selected page, and the HTML view filling the rest.
class BrowserWindow : public FormOf<BrowserControls> {
 public:
  struct Design {
    QString className;
    QString caption;
    QSize client;
    QString listName;
    QString buttonName;
    QString labelName;
    int labelWidth;
    QString viewName;
    QSize view;
  };

  explicit BrowserWindow(Design design);

  HtmlView* view() { return ui().view; }
  void OpenButton_Click();

 protected:
  void buildControls(BrowserControls& c, QWidget* client) override;
  void Form_Load() override;
  void Form_Resize() override;

 private:
  void applyFolderAndPattern();

  Design m_design;
};

}  // namespace zelvora
