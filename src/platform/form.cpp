#include "platform/form.h"

#include "platform/classic_timer.h"
#include "platform/form_registry.h"
#include "platform/twips.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QWidget>

namespace zelvora {

// Routes the window's own events to the form's handlers.
class FormEvents : public QObject {
 public:
  FormEvents(Form* form, QObject* parent) : QObject(parent), m_form(form) {}

  // Called at unload: the window lives on until its deferred deletion, and
  // events or queued handlers that reach it then must not reach the form,
  // which may be gone by that time.
  void detach() { m_form = nullptr; }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!attached() || watched != m_form->m_window) return false;
    switch (event->type()) {
      case QEvent::Resize:
      case QEvent::WindowStateChange:
        scheduleResize();
        break;
      case QEvent::Close:
        // The close box unloads the window, as the program's own code would.
        event->ignore();
        m_form->unload();
        return true;
      default:
        break;
    }
    return false;
  }

  // The resize handler runs once the window has finished its own change of
  // size or state: a handler that changes the state again (as the browser
  // windows do) must not do so in the middle of the window's own
  // transition. Several changes in one pass run the handler once.
  void scheduleResize() {
    if (m_resizePending) return;
    m_resizePending = true;
    QMetaObject::invokeMethod(this, [this] { runResize(); }, Qt::QueuedConnection);
  }

  void runResize() {
    m_resizePending = false;
    if (!attached() || m_form->m_loading || m_form->m_unloading) return;
    m_form->Form_Resize();
  }

  // Showing the frame shows its windows one by one, and the area makes each
  // the active one in turn; only the window that is still active once that
  // settles has become the active window.
  void scheduleActivate(QMdiSubWindow* sub) {
    QMetaObject::invokeMethod(
        this,
        [this, sub] {
          if (attached() && sub->mdiArea() && sub->mdiArea()->activeSubWindow() == sub &&
              sub->mdiArea()->window()->isVisible())
            m_form->Form_Activate();
        },
        Qt::QueuedConnection);
  }

 private:
  bool attached() const { return m_form && parent() == m_form->m_window; }

  Form* m_form;
  bool m_resizePending = false;
};

Form::Form(QString className, QString caption, QSize designClientTwips, Border border)
    : m_className(std::move(className)),
      m_caption(std::move(caption)),
      m_designClient(designClientTwips),
      m_border(border) {}

Form::~Form() {
  // Widgets cannot outlive the application object; at process exit after
  // it is gone the window is left to the operating system. A window still
  // waiting for its deferred deletion goes now: a delayed call aimed at it
  // must not find it, and so reach this form, once the form is gone.
  if (!QCoreApplication::instance()) return;
  for (const QPointer<QWidget>& unloaded : m_unloadedWindows) delete unloaded.data();
  delete m_window.data();
}

bool Form::isFrame() const { return FormRegistry::instance().frame() == this; }

void Form::load() {
  if (m_window || m_loading) return;
  m_loading = true;
  auto* client = new QWidget;
  client->setObjectName(m_className + QStringLiteral("_client"));
  client->resize(twipsToPixels(m_designClient.width()), twipsToPixels(m_designClient.height()));
  m_client = client;
  createControls(client);
  QWidget* window = createWindow(client);
  window->setObjectName(m_className);
  window->setWindowTitle(m_caption);
  auto* events = new FormEvents(this, window);
  window->installEventFilter(events);
  m_events = events;
  if (auto* sub = qobject_cast<QMdiSubWindow*>(window)) {
    QObject::connect(sub->mdiArea(), &QMdiArea::subWindowActivated, events, [events, sub](QMdiSubWindow* active) {
      if (active == sub) events->scheduleActivate(sub);
    });
  }
  m_window = window;
  resizeClientTo(client->size());
  Form_Load();
  m_loading = false;
}

QWidget* Form::createWindow(QWidget* client) {
  QMdiArea* area = FormRegistry::instance().mdiArea();
  auto* sub = new QMdiSubWindow;
  sub->setAttribute(Qt::WA_DeleteOnClose, false);
  switch (m_border) {
    case Border::Sizable:
      break;
    case Border::Fixed:
      sub->setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
      break;
    case Border::None:
      sub->setWindowFlags(Qt::SubWindow | Qt::FramelessWindowHint);
      break;
  }
  sub->setWidget(client);
  area->addSubWindow(sub);
  sub->hide();
  return sub;
}

QSize Form::decorationPixels() const {
  if (auto* sub = qobject_cast<QMdiSubWindow*>(m_window.data())) {
    // The sub-window's layout margins are its frame and title bar.
    const QMargins m = sub->layout()->contentsMargins() + sub->contentsMargins();
    return {m.left() + m.right(), m.top() + m.bottom()};
  }
  return {0, 0};
}

void Form::resizeClientTo(QSize clientPixels) { applySize(clientPixels + decorationPixels()); }

void Form::applySize(QSize pixels) {
  pixels = pixels.expandedTo({0, 0});
  // A window with a fixed border cannot be sized by the user, but the
  // program still sizes it.
  if (m_border == Border::Sizable)
    m_window->resize(pixels);
  else
    m_window->setFixedSize(pixels);
  // A hidden window lays out its client only when shown; the client takes
  // its size now, so the inner size is right at once.
  m_client->resize((m_window->size() - decorationPixels()).expandedTo({0, 0}));
}

void Form::unload() {
  if (!m_window || m_unloading) return;
  m_unloading = true;
  if (isFrame()) FormRegistry::instance().unloadChildren();
  Form_QueryUnload();
  Form_Unload();
  QWidget* window = m_window;
  // Nothing of the old window may run once it is unloaded: its timers stop,
  // its signals are cut and the calls queued for it are dropped before it
  // is deleted at the next event pass.
  for (auto* timer : window->findChildren<ClassicTimer*>()) timer->setEnabled(false);
  for (auto* child : window->findChildren<QObject*>()) {
    child->blockSignals(true);
    QCoreApplication::removePostedEvents(child, QEvent::MetaCall);
  }
  QCoreApplication::removePostedEvents(window, QEvent::MetaCall);
  window->removeEventFilter(m_events);
  static_cast<FormEvents*>(m_events.data())->detach();
  window->hide();
  if (auto* sub = qobject_cast<QMdiSubWindow*>(window); sub && sub->mdiArea()) sub->mdiArea()->removeSubWindow(sub);
  window->setParent(nullptr);
  window->deleteLater();
  std::erase_if(m_unloadedWindows, [](const QPointer<QWidget>& w) { return w.isNull(); });
  m_unloadedWindows.emplace_back(window);
  destroyControls();
  m_window = nullptr;
  m_client = nullptr;
  m_unloading = false;
}

// A window may unload itself in its own load handler; every touch then
// finds no window and does nothing (getters give 0).
QWidget* Form::touched() {
  load();
  return m_window;
}

void Form::show() {
  QWidget* w = touched();
  if (!w) return;
  w->show();
  if (auto* sub = qobject_cast<QMdiSubWindow*>(w)) {
    sub->raise();
    sub->mdiArea()->setActiveSubWindow(sub);
  } else {
    w->raise();
    w->activateWindow();
  }
}

void Form::hide() {
  if (QWidget* w = touched()) w->hide();
}

bool Form::visible() {
  QWidget* w = touched();
  return w && !w->isHidden();
}

QWidget* Form::window() { return touched(); }

QWidget* Form::client() {
  load();
  return m_client;
}

namespace {

double twipsOf(const QWidget* w, int (QWidget::*pixels)() const) { return w ? pixelsToTwips((w->*pixels)()) : 0; }

}  // namespace

double Form::left() { return twipsOf(touched(), &QWidget::x); }
double Form::top() { return twipsOf(touched(), &QWidget::y); }
double Form::width() { return twipsOf(touched(), &QWidget::width); }
double Form::height() { return twipsOf(touched(), &QWidget::height); }
double Form::scaleWidth() { return twipsOf(client(), &QWidget::width); }
double Form::scaleHeight() { return twipsOf(client(), &QWidget::height); }

void Form::setLeft(double twips) {
  if (QWidget* w = touched()) w->move(twipsToPixels(twips), w->y());
}
void Form::setTop(double twips) {
  if (QWidget* w = touched()) w->move(w->x(), twipsToPixels(twips));
}
void Form::setWidth(double twips) {
  if (QWidget* w = touched()) applySize({twipsToPixels(twips), w->height()});
}
void Form::setHeight(double twips) {
  if (QWidget* w = touched()) applySize({w->width(), twipsToPixels(twips)});
}

WindowState Form::windowState() {
  QWidget* w = touched();
  const Qt::WindowStates state = w ? w->windowState() : Qt::WindowNoState;
  if (state & Qt::WindowMinimized) return WindowState::Minimized;
  if (state & Qt::WindowMaximized) return WindowState::Maximized;
  return WindowState::Normal;
}

void Form::setWindowState(WindowState state) {
  QWidget* w = touched();
  if (!w) return;
  const Qt::WindowStates others = w->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
  switch (state) {
    case WindowState::Normal:
      w->setWindowState(others);
      break;
    case WindowState::Minimized:
      w->setWindowState(others | Qt::WindowMinimized);
      break;
    case WindowState::Maximized:
      w->setWindowState(others | Qt::WindowMaximized);
      break;
  }
}

void Form::centerInFrame() {
  QWidget* w = m_window;
  QWidget* area = w ? w->parentWidget() : nullptr;
  if (!area) return;
  w->move(std::max(0, (area->width() - w->width()) / 2), std::max(0, (area->height() - w->height()) / 2));
}

QString Form::caption() {
  load();
  return m_caption;
}

void Form::setCaption(const QString& caption) {
  m_caption = caption;
  if (QWidget* w = touched()) w->setWindowTitle(caption);
}

}  // namespace zelvora
