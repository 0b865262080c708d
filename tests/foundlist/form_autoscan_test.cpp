#include "found_list_fixture.h"

#include "app/mdi_zelvora.h"
#include "platform/clipboard/clipboard.h"
#include "platform/form_registry.h"
#include "platform/twips.h"
#include "receiver/form_pcr1000.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace zelvora::test {
namespace {

using FormAutoscanTest = FoundListTest;

QRect twipsRect(QWidget* w) {
  return {pixelsToTwips(w->x()), pixelsToTwips(w->y()), pixelsToTwips(w->width()), pixelsToTwips(w->height())};
}

QString clipboardText() { return QGuiApplication::clipboard()->text(); }

class RefusingClipboard : public ClipboardService {
 public:
  RefusingClipboard() { installClipboardService(this); }
  ~RefusingClipboard() override { installClipboardService(nullptr); }
  bool setText(const QString&) override {
    ++attempts;
    return false;
  }
  int attempts = 0;
};

TEST_F(FormAutoscanTest, SlotsStandInFourColumnsOfFifteenInTabOrderAfterTheButtons) {
  EXPECT_EQ(list().caption(), QStringLiteral("Autoscan Frequenzen"));
  EXPECT_EQ(list().scaleWidth(), 5400);
  EXPECT_EQ(list().scaleHeight(), 6360);

  const int columnLeft[] = {120, 1440, 2760, 4080};
  for (int k = 1; k <= 60; ++k) {
    QLineEdit* slot = list().client()->findChild<QLineEdit*>(QStringLiteral("autscan%1").arg(k));
    ASSERT_EQ(slot, list().autscan(k)) << k;
    EXPECT_EQ(twipsRect(slot), QRect(columnLeft[(k - 1) / 15], 360 + 360 * ((k - 1) % 15), 1215, 285)) << k;
    EXPECT_TRUE(slot->text().isEmpty());
    EXPECT_FALSE(slot->isReadOnly());
  }

  const struct {
    const char* name;
    const char* caption;
    QRect place;
  } buttons[] = {
      {"Comm_freqfindspeichern", "Zwischenablage", {120, 5880, 1695, 375}},
      {"Comm_freqfindschliess", "Schließen", {3600, 5880, 1695, 375}},
      {"Commfreqloesch", "Alle löschen", {1920, 5880, 1575, 375}},
  };
  for (const auto& b : buttons) {
    auto* button = list().client()->findChild<QPushButton*>(QString::fromLatin1(b.name));
    ASSERT_NE(button, nullptr) << b.name;
    EXPECT_EQ(button->text(), QString::fromUtf8(b.caption));
    EXPECT_EQ(twipsRect(button), b.place) << b.name;
  }
  auto* label = list().client()->findChild<QLabel*>(QStringLiteral("Label_freqgefund"));
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->text(), QStringLiteral("Doppelklick kopiert die Frequenz in die Frequenzeingabe"));
  EXPECT_EQ(twipsRect(label), QRect(120, 45, 5175, 255));

  QStringList tabOrder;
  QWidget* w = list().Comm_freqfindspeichern();
  do {
    if (w->focusPolicy() & Qt::TabFocus) tabOrder.append(w->objectName());
    w = w->nextInFocusChain();
  } while (w != list().Comm_freqfindspeichern());
  QStringList expected{QStringLiteral("Comm_freqfindspeichern"), QStringLiteral("Comm_freqfindschliess"),
                       QStringLiteral("Commfreqloesch")};
  for (int k = 1; k <= 60; ++k) expected.append(QStringLiteral("autscan%1").arg(k));
  EXPECT_EQ(tabOrder.mid(tabOrder.indexOf(expected.first()), expected.size()), expected);
}

TEST_F(FormAutoscanTest, LoadPlacesTheListRightOfThePanelAndWidensTheMainWindow) {
  auto& main = form<MDIzelvora>();
  main.setWidth(9000);
  list().show();
  auto& panel = form<Form_pcr1000>();
  EXPECT_EQ(list().left(), panel.width());
  EXPECT_EQ(list().top(), 0);
  EXPECT_EQ(main.width(), panel.width() + list().width() + 300);
}

TEST_F(FormAutoscanTest, MaximizedMainWindowKeepsItsStateWhenTheListLoads) {
  auto& main = form<MDIzelvora>();
  main.setWindowState(WindowState::Maximized);
  settle();
  const double widthBefore = main.width();
  find(145.5);
  settle();
  EXPECT_EQ(main.windowState(), WindowState::Maximized);
  EXPECT_EQ(main.width(), widthBefore);
  EXPECT_EQ(list().left(), form<Form_pcr1000>().width());
}

TEST_F(FormAutoscanTest, DoubleClickOnEverySlotCopiesItsTextIntoTheEntryFieldWithoutTuning) {
  list().show();
  for (int k = 1; k <= 60; ++k) find(100.0 + k + 0.0125);
  auto& panel = form<Form_pcr1000>();
  panel.CurrentFrequency = 94.4;

  for (int k = 1; k <= 60; ++k) {
    panel.Frequenzeingabe()->setText(QStringLiteral("99.1"));
    QTest::mouseDClick(list().autscan(k), Qt::LeftButton);
    EXPECT_EQ(panel.Frequenzeingabe()->text(), QStringLiteral("%1.0125").arg(100 + k)) << "slot " << k;
  }
  EXPECT_EQ(panel.CurrentFrequency, 94.4) << "a copy does not retune";

  list().Commfreqloesch_Click();
  QTest::mouseDClick(list().autscan(34), Qt::LeftButton);
  EXPECT_EQ(panel.Frequenzeingabe()->text(), QString()) << "an empty slot empties the entry field";
  panel.Frequenzeingabe()->setText(QStringLiteral("99.1"));
  QTest::mouseDClick(list().autscan(37), Qt::RightButton);
  EXPECT_EQ(panel.Frequenzeingabe()->text(), QStringLiteral("99.1")) << "only the left button copies";
}

TEST_F(FormAutoscanTest, ClipboardJoinsAllSixtySlotsWithSingleCarriageReturns) {
  find(145.5);
  find(7.05);
  QTest::mouseClick(list().Comm_freqfindspeichern(), Qt::LeftButton);
  EXPECT_EQ(clipboardText(), QStringLiteral("145.5000\r7.0500") + QString(58, QLatin1Char('\r')));

  for (int k = 3; k <= 61; ++k) find(k);
  QTest::mouseClick(list().Comm_freqfindspeichern(), Qt::LeftButton);
  const QString text = clipboardText();
  EXPECT_EQ(text.count(QLatin1Char('\r')), 59);
  EXPECT_FALSE(text.contains(QLatin1Char('\n')));
  EXPECT_TRUE(text.endsWith(QStringLiteral("\r61.0000"))) << "slot 60 ends the text";
  EXPECT_EQ(text.split(QLatin1Char('\r')), slotTexts());
  EXPECT_TRUE(m_messages->texts().isEmpty());
}

TEST_F(FormAutoscanTest, RefusedClipboardLeavesTheListUnchangedAndTellsTheUser) {
  find(145.5);
  find(7.05);
  type(3, QStringLiteral("Relais"));
  const QStringList texts = slotTexts();
  const QString locks = lockPattern();

  RefusingClipboard refusing;
  QTest::mouseClick(list().Comm_freqfindspeichern(), Qt::LeftButton);

  EXPECT_EQ(refusing.attempts, 1);
  EXPECT_TRUE(list().isLoaded());
  EXPECT_EQ(slotTexts(), texts);
  EXPECT_EQ(lockPattern(), locks);
  EXPECT_EQ(m_messages->texts(),
            QStringList{QStringLiteral("Die Frequenzliste konnte nicht in die Zwischenablage kopiert werden.")});
}

TEST_F(FormAutoscanTest, ClearAllEmptiesAndUnlocksEverySlotAndLeavesTheClipboard) {
  QGuiApplication::clipboard()->setText(QStringLiteral("vorher"));
  for (int k = 1; k <= 60; ++k) find(k);
  QTest::mouseClick(list().Commfreqloesch(), Qt::LeftButton);

  EXPECT_EQ(slotTexts(), QStringList(60, QString()));
  EXPECT_EQ(lockPattern(), QString(60, QLatin1Char('-')));
  EXPECT_EQ(clipboardText(), QStringLiteral("vorher"));
  find(433.5);
  EXPECT_EQ(list().autscan(1)->text(), QStringLiteral("433.5000"));
  EXPECT_TRUE(m_messages->texts().isEmpty()) << "no confirmation is asked";
}

TEST_F(FormAutoscanTest, AfterCloseTheNextFindReloadsTheListEmptyAndPlacesItAgain) {
  list().show();
  find(145.5);
  find(7.05);
  type(5, QStringLiteral("Relais"));
  QTest::mouseClick(list().Comm_freqfindschliess(), Qt::LeftButton);
  settle();
  EXPECT_FALSE(list().isLoaded());

  auto& main = form<MDIzelvora>();
  main.setWidth(9000);
  find(433.5);

  ASSERT_TRUE(list().isLoaded());
  EXPECT_FALSE(list().visible()) << "a find loads the list without showing it";
  QStringList expected(60, QString());
  expected.first() = QStringLiteral("433.5000");
  EXPECT_EQ(slotTexts(), expected);
  EXPECT_EQ(lockPattern(), QLatin1Char('L') + QString(59, QLatin1Char('-')));
  EXPECT_EQ(list().left(), form<Form_pcr1000>().width());
  EXPECT_EQ(list().top(), 0);
  EXPECT_EQ(main.width(), form<Form_pcr1000>().width() + list().width() + 300);
}

}  // namespace
}  // namespace zelvora::test
