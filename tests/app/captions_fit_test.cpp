#include "analyzer/form_analyzer.h"
#include "app/frm_about.h"
#include "app/frm_splash.h"
#include "app/frm_tip.h"
#include "app/start.h"
#include "foundlist/form_autoscan.h"
#include "logbook/form_frequenzliste2.h"
#include "platform/design.h"
#include "platform/form_registry.h"
#include "receiver/form_pcr1000.h"
#include "support/program_folder_fixture.h"
#include "web/form_browser.h"
#include "worldtime/form_weltzeit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>

#include <map>
#include <optional>

namespace zelvora {
namespace {

// Controls whose caption the window's own design cuts or covers, with the
// reason; every other caption must show whole.
const std::map<QString, const char*> kDesignedCuts = {
    {"frmSplash.lblVersion", "\"XP/7/8/10\" at the described Arial 12 pt bold reaches 1 px past the described width"},
};

// The room a control gives its caption and the flags it draws it with.
struct CaptionRoom {
  QRect rect;
  int flags;
};

std::optional<CaptionRoom> roomOf(QWidget* w) {
  if (auto* label = qobject_cast<QLabel*>(w)) {
    if (label->text().isEmpty() || label->textFormat() == Qt::RichText) return std::nullopt;
    const int m = label->margin();
    const int flags = int(label->alignment()) | (label->wordWrap() ? int(Qt::TextWordWrap) : 0);
    return CaptionRoom{label->contentsRect().adjusted(m, m, -m, -m), flags};
  }
  auto* button = qobject_cast<QAbstractButton*>(w);
  if (!button || button->text().isEmpty()) return std::nullopt;
  QStyleOptionButton option;
  option.initFrom(button);
  option.text = button->text();
  option.icon = button->icon();
  option.iconSize = button->iconSize();
  QStyle::SubElement contents = QStyle::SE_PushButtonContents;
  int flags = Qt::AlignCenter | Qt::TextShowMnemonic;
  if (qobject_cast<QCheckBox*>(button)) {
    contents = QStyle::SE_CheckBoxContents;
    flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic;
  } else if (qobject_cast<QRadioButton*>(button)) {
    contents = QStyle::SE_RadioButtonContents;
    flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic;
  } else if (!qobject_cast<QPushButton*>(button)) {
    return std::nullopt;
  }
  QRect rect = button->style()->subElementRect(contents, &option, button);
  if (!option.icon.isNull() && contents == QStyle::SE_PushButtonContents)
    rect.setLeft(rect.left() + option.iconSize.width() + 4);
  return CaptionRoom{rect, flags};
}

class CaptionsFitTest : public test::ProgramFolderTest {
 protected:
  void SetUp() override {
    ProgramFolderTest::SetUp();
    start();
    test::settle();
  }
};

TEST_F(CaptionsFitTest, WindowsFontsAreDrawnWithTheirMetricTwins) {
  QFont arialBold(QStringLiteral("Arial"));
  arialBold.setBold(true);
  const std::pair<QFont, const char*> fonts[] = {
      {QFont(QStringLiteral("Arial")), "Liberation Sans"},
      {arialBold, "Liberation Sans"},
      {QApplication::font(), "Liberation Sans"},
      {DesignFont(QStringLiteral("MS Sans Serif"), 8.25), "Liberation Sans Narrow"},
  };
  for (const auto& [font, twin] : fonts)
    EXPECT_EQ(QFontInfo(font).family(), QString::fromLatin1(twin)) << font.toString().toStdString();
}

TEST_F(CaptionsFitTest, EveryCaptionShowsWholeInEveryWindow) {
  std::vector<Form*> windows = {&form<Form_browser>(),  &form<Form_browser2>(),       &form<Form_pcr1000>(),
                                &form<Form_analyzer>(), &form<Form_weltzeit>(),       &form<Form_frequenzliste2>(),
                                &form<Form_autoscan>(), &form<frmSplash>(),           &form<frmTip>(),
                                &form<frmAbout>()};
  std::map<QString, const char*> unusedCuts = kDesignedCuts;
  for (Form* window : windows) {
    window->show();
    test::settle();
    int measured = 0;
    for (QWidget* w : window->client()->findChildren<QWidget*>()) {
      if (!w->isVisibleTo(window->client())) continue;
      w->ensurePolished();
      const auto room = roomOf(w);
      if (!room) continue;
      ++measured;
      const auto* label = qobject_cast<QLabel*>(w);
      // A carriage return breaks the line, as the classic labels drew it.
      const QString text = QString(label ? label->text() : static_cast<QAbstractButton*>(w)->text())
                               .replace(QLatin1String("\r\n"), QLatin1String("\n"))
                               .replace(QLatin1Char('\r'), QLatin1Char('\n'));
      const QRect needed = QFontMetrics(w->font()).boundingRect(room->rect, room->flags, text);
      const bool fits = needed.width() <= room->rect.width() && needed.height() <= room->rect.height();
      const QString name = window->className() + QLatin1Char('.') + w->objectName();
      if (kDesignedCuts.count(name) != 0) {
        unusedCuts.erase(name);
        EXPECT_FALSE(fits) << name.toStdString() << " now shows whole: take it off the list";
        continue;
      }
      EXPECT_TRUE(fits) << name.toStdString() << " \"" << text.toStdString() << "\" needs " << needed.width() << "x"
                        << needed.height() << " px in " << room->rect.width() << "x" << room->rect.height()
                        << " px at " << QFontInfo(w->font()).family().toStdString() << " "
                        << w->font().pointSizeF() << " pt";
    }
    EXPECT_GT(measured, 0) << window->className().toStdString() << " shows no caption at all";
  }
  for (const auto& [name, why] : unusedCuts) ADD_FAILURE() << name.toStdString() << " is listed but not shown";
}

}  // namespace
}  // namespace zelvora
