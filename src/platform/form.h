#pragma once

#include <QPointer>
#include <QSize>
#include <QString>
#include <QWidget>

#include <optional>
#include <vector>

class QMdiArea;

namespace zelvora {

enum class WindowState { Normal = 0, Minimized = 1, Maximized = 2 };

// One window class of the program. The object lives for the whole run; its
// window and controls exist only while it is loaded. Every public accessor
// is a "touch": it loads the window first (controls created with their
// design values, Form_Load run, nothing shown). Unloading runs the unload
// handling and destroys the window and its controls; the object's own
// member variables keep their values.
//
// Geometry is in twips: Left/Top of a child window are measured from the
// frame's client area, Width/Height are outer sizes.
class Form {
 public:
  enum class Border { Sizable, Fixed, None };

  Form(QString className, QString caption, QSize designClientTwips, Border border = Border::Sizable);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const QString& className() const { return m_className; }
  bool isLoaded() const { return m_window != nullptr; }

  void load();
  void unload();
  void show();
  void hide();
  bool visible();

  double left();
  double top();
  double width();
  double height();
  void setLeft(double twips);
  void setTop(double twips);
  void setWidth(double twips);
  void setHeight(double twips);
  // Inner (client) size in twips.
  double scaleWidth();
  double scaleHeight();

  WindowState windowState();
  void setWindowState(WindowState state);

  // Moves the window, if loaded, to the middle of the frame's client area.
  void centerInFrame();

  QString caption();
  void setCaption(const QString& caption);

  // The top widget (a QMdiSubWindow for child windows) and the client
  // widget that holds the controls.
  QWidget* window();
  QWidget* client();

  // The multiple-document area; only the frame window has one.
  virtual QMdiArea* mdiArea() { return nullptr; }

 protected:
  // Creates the top widget around the client widget. Child windows live in
  // the frame's multiple-document area; the frame overrides this.
  virtual QWidget* createWindow(QWidget* client);
  virtual void createControls(QWidget* client) = 0;
  virtual void destroyControls() {}

  virtual void Form_Load() {}
  virtual void Form_Activate() {}
  virtual void Form_Resize() {}
  virtual void Form_QueryUnload() {}
  virtual void Form_Unload() {}

  // Frame and title bar around the client widget, in pixels.
  virtual QSize decorationPixels() const;

  Border border() const { return m_border; }
  QSize designClientTwips() const { return m_designClient; }

 private:
  friend class FormEvents;
  QWidget* touched();
  void resizeClientTo(QSize clientPixels);
  void applySize(QSize pixels);
  bool isFrame() const;

  QString m_className;
  QString m_caption;
  QSize m_designClient;
  Border m_border;
  QPointer<QWidget> m_window;
  QPointer<QWidget> m_client;
  QPointer<QObject> m_events;
  // Unloaded windows not yet deleted by the event loop.
  std::vector<QPointer<QWidget>> m_unloadedWindows;
  bool m_loading = false;
  bool m_unloading = false;
};

// A form whose controls are one struct, created at load and dropped at
// unload. ui() is a touch.
template <class Controls>
class FormOf : public Form {
 public:
  using Form::Form;
  Controls& ui() {
    load();
    return *m_controls;
  }

 protected:
  virtual void buildControls(Controls& controls, QWidget* client) = 0;

 private:
  void createControls(QWidget* client) final {
    m_controls.emplace();
    buildControls(*m_controls, client);
  }
  void destroyControls() final { m_controls.reset(); }

  std::optional<Controls> m_controls;
};

}  // namespace zelvora
