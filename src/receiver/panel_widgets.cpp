#include "receiver/panel_widgets.h"

#include "platform/program_folder.h"

#include <QKeyEvent>
#include <QPixmap>

namespace zelvora {

QString PanelPicture(const char* file) { return ProgramFolder() + QStringLiteral("\\grafik\\") + QLatin1String(file); }

PictureButton::PictureButton(QWidget* parent, const QString& name) : QPushButton(parent) {
  setObjectName(name);
  setFocusPolicy(Qt::NoFocus);
}

void PictureButton::setPicture(const QString& file) {
  m_picture = file;
  setIcon(QIcon(QPixmap(NativePath(file))));
}

void PictureButton::resizeEvent(QResizeEvent* event) {
  setIconSize(size() - QSize(4, 4));
  QPushButton::resizeEvent(event);
}

PictureImage::PictureImage(QWidget* parent, const QString& name) : QLabel(parent) {
  setObjectName(name);
  setScaledContents(true);
}

void PictureImage::setPicture(const QString& file) {
  m_picture = file;
  setPixmap(QPixmap(NativePath(file)));
}

OptionButton::OptionButton(QWidget* parent, const QString& name, const QString& caption)
    : QRadioButton(caption, parent) {
  setObjectName(name);
  setAutoExclusive(false);
  connect(this, &QAbstractButton::toggled, this, [this](bool on) {
    if (!on) return;
    for (auto* sibling : parentWidget()->findChildren<OptionButton*>(Qt::FindDirectChildrenOnly))
      if (sibling != this) sibling->setChecked(false);
    emit selected();
  });
}

void OptionButton::setValue(bool on) { setChecked(on); }

void OptionButton::nextCheckState() {
  if (!isChecked()) setChecked(true);
}

ValueCheckBox::ValueCheckBox(QWidget* parent, const QString& name, const QString& caption)
    : QCheckBox(caption, parent) {
  setObjectName(name);
}

int ValueCheckBox::value() const {
  switch (checkState()) {
    case Qt::Checked:
      return 1;
    case Qt::PartiallyChecked:
      return 2;
    default:
      return 0;
  }
}

void ValueCheckBox::setValue(int value) {
  setCheckState(value == 1 ? Qt::Checked : value == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
}

void ValueCheckBox::nextCheckState() { setValue(value() == 1 ? 0 : 1); }

TextField::TextField(QWidget* parent, const QString& name, const QString& text) : QLineEdit(text, parent) {
  setObjectName(name);
}

void TextField::mouseDoubleClickEvent(QMouseEvent* event) {
  QLineEdit::mouseDoubleClickEvent(event);
  if (m_doubleClick) m_doubleClick();
}

void TextField::keyPressEvent(QKeyEvent* event) {
  QLineEdit::keyPressEvent(event);
  // A key press is a key that types a character (Enter included); Shift,
  // the arrows and the function keys are none.
  if (m_keyPress && !event->text().isEmpty()) m_keyPress();
}

}  // namespace zelvora
