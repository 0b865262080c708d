#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <functional>

namespace zelvora {

// Path of one of the panel's pictures: program folder + "\grafik\" + file.
QString PanelPicture(const char* file);

// A picture button; picture() is the file it shows. A picture file that is
// missing leaves the button without a picture, nothing else.
class PictureButton : public QPushButton {
  Q_OBJECT

 public:
  PictureButton(QWidget* parent, const QString& name);
  void setPicture(const QString& file);
  QString picture() const { return m_picture; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QString m_picture;
};

// An image control showing one picture file.
class PictureImage : public QLabel {
  Q_OBJECT

 public:
  PictureImage(QWidget* parent, const QString& name);
  void setPicture(const QString& file);
  QString picture() const { return m_picture; }

 private:
  QString m_picture;
};

// An option button: one of a group in the same container is selected.
// Selecting it (by a click or by the program) clears the others and emits
// selected(); a click on the selected one changes nothing. The program may
// clear it, leaving none of the group selected.
class OptionButton : public QRadioButton {
  Q_OBJECT

 public:
  OptionButton(QWidget* parent, const QString& name, const QString& caption);
  void setValue(bool on);

 signals:
  void selected();

 protected:
  void nextCheckState() override;
};

// A check box with the values 0 (unchecked), 1 (checked) and 2 (grey);
// the user's click toggles between 0 and 1, grey goes to checked.
class ValueCheckBox : public QCheckBox {
  Q_OBJECT

 public:
  ValueCheckBox(QWidget* parent, const QString& name, const QString& caption);
  int value() const;
  void setValue(int value);

 protected:
  void nextCheckState() override;
};

// A text field with double-click and key-press reactions; the key press
// reaction runs for keys that type a character.
class TextField : public QLineEdit {
  Q_OBJECT

 public:
  TextField(QWidget* parent, const QString& name, const QString& text);
  void setDoubleClickHandler(std::function<void()> handler) { m_doubleClick = std::move(handler); }
  void setKeyPressHandler(std::function<void()> handler) { m_keyPress = std::move(handler); }

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  std::function<void()> m_doubleClick;
  std::function<void()> m_keyPress;
};

}  // namespace zelvora
