#include "found_list_fixture.h"

#include "app/start.h"
#include "foundlist/add_found_frequency.h"
#include "platform/form_registry.h"
#include "receiver/form_pcr1000.h"

#include <QLineEdit>
#include <QTest>

namespace zelvora::test {

void FoundListTest::SetUp() {
  ProgramFolderTest::SetUp();
  start();
  settle();
}

Form_autoscan& FoundListTest::list() { return form<Form_autoscan>(); }

void FoundListTest::find(double mhz) {
  form<Form_pcr1000>().CurrentFrequency = mhz;
  AddFoundFrequency();
}

QStringList FoundListTest::slotTexts() {
  QStringList texts;
  for (int k = 1; k <= Form_autoscan::kSlots; ++k) texts.append(list().autscan(k)->text());
  return texts;
}

QString FoundListTest::lockPattern() {
  QString pattern;
  for (int k = 1; k <= Form_autoscan::kSlots; ++k)
    pattern.append(list().autscan(k)->isReadOnly() ? QLatin1Char('L') : QLatin1Char('-'));
  return pattern;
}

void FoundListTest::type(int k, const QString& text) {
  QLineEdit* slot = list().autscan(k);
  slot->setFocus();
  QTest::keyClicks(slot, text);
}

void FoundListTest::erase(int k) {
  QLineEdit* slot = list().autscan(k);
  slot->setFocus();
  QTest::keyClick(slot, Qt::Key_End);
  for (qsizetype n = slot->text().size(); n > 0; --n) QTest::keyClick(slot, Qt::Key_Backspace);
}

}  // namespace zelvora::test
