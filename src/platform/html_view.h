#pragma once

#include <QPointer>
#include <QShortcut>
#include <QWidget>

class QLineEdit;
class QLabel;
class QTextBrowser;
class QUrl;

namespace zelvora {

// The embedded HTML view of the browser windows. It shows local pages with
// their pictures, follows local links itself and hands http and https links
// to the system web browser. Ctrl+F opens a find bar, F5 reloads.
class HtmlView : public QWidget {
  Q_OBJECT

 public:
  explicit HtmlView(QWidget* parent = nullptr);

  // Loads an address: a full local path, written with backslashes or not.
  // A folder shows its pages as a list; a missing page shows a short notice.
  void Navigate(const QString& address);
  // The address last given to Navigate (or reached by a local link).
  QString LocationURL() const { return m_location; }
  void Refresh();

  bool TheaterMode() const { return m_theaterMode; }
  void setTheaterMode(bool on) { m_theaterMode = on; }
  bool Resizable() const { return m_resizable; }
  void setResizable(bool on) { m_resizable = on; }

  QTextBrowser* browser() const { return m_browser; }
  bool findNext(const QString& text, bool backwards = false);

  // Ctrl+F and F5 work while the focus is anywhere inside scope (the view
  // itself until this is called), so a window can offer them for all of its
  // controls.
  void setShortcutScope(QWidget* scope);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void openFindBar();
  void followLink(const QUrl& url);

  QTextBrowser* m_browser;
  QWidget* m_findBar;
  QLineEdit* m_findText;
  QLabel* m_findStatus;
  // Owned by the scope, which may go before the view.
  QPointer<QShortcut> m_findShortcut;
  QPointer<QShortcut> m_reloadShortcut;
  QString m_location;
  bool m_theaterMode = false;
  bool m_resizable = false;
};

}  // namespace zelvora
