#include "found_list_fixture.h"

#include "app/mdi_zelvora.h"
#include "foundlist/add_found_frequency.h"
#include "platform/form_registry.h"
#include "platform/text_value.h"
#include "receiver/form_pcr1000.h"

#include <QLineEdit>

namespace zelvora::test {
namespace {

using AddFoundFrequencyTest = FoundListTest;

QString repeated(QChar c, int n) { return QString(n, c); }

TEST_F(AddFoundFrequencyTest, FirstFindLoadsTheListWithoutShowingIt) {
  ASSERT_FALSE(list().isLoaded());
  find(145.5);
  EXPECT_TRUE(list().isLoaded());
  EXPECT_FALSE(list().visible());
  EXPECT_EQ(list().autscan(1)->text(), QStringLiteral("145.5000"));
}

TEST_F(AddFoundFrequencyTest, FindsFillSlotsInOrderLockedThenSlot60KeepsTheLatest) {
  QStringList expected;
  for (int k = 1; k <= 59; ++k) {
    const double mhz = 144.0 + 0.025 * k;
    find(mhz);
    expected.append(FormatFrequencyEntry(mhz));
  }
  expected.append(QString());
  EXPECT_EQ(slotTexts(), expected);
  EXPECT_EQ(lockPattern(), repeated(QLatin1Char('L'), 59) + QLatin1Char('-'));

  find(433.5);
  find(1296.1);
  expected.last() = QStringLiteral("1296.1000");
  EXPECT_EQ(slotTexts(), expected) << "slots 1 to 59 are never overwritten";
  EXPECT_EQ(lockPattern(), repeated(QLatin1Char('L'), 59) + QLatin1Char('-')) << "slot 60 stays editable";
}

TEST_F(AddFoundFrequencyTest, FrequencyTextHasFourDecimalsWithAPoint) {
  const struct {
    double mhz;
    const char* text;
  } cases[] = {
      {7.05, "7.0500"},       {1296.1, "1296.1000"}, {0.5, "0.5000"},          {0.01, "0.0100"},
      {145.01237, "145.0124"}, {144.99996, "145.0000"}, {145.0249999999, "145.0250"}, {1300, "1300.0000"},
  };
  for (const auto& c : cases) find(c.mhz);
  for (std::size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(list().autscan(static_cast<int>(i) + 1)->text(), QString::fromLatin1(cases[i].text)) << cases[i].mhz;
}

TEST_F(AddFoundFrequencyTest, LockedSlotsRefuseTypingAndSlot60TakesIt) {
  for (int k = 1; k <= 60; ++k) find(100.0 + k);
  type(1, QStringLiteral("9"));
  erase(2);
  type(60, QStringLiteral("9"));
  EXPECT_EQ(list().autscan(1)->text(), QStringLiteral("101.0000"));
  EXPECT_EQ(list().autscan(2)->text(), QStringLiteral("102.0000"));
  EXPECT_EQ(list().autscan(60)->text(), QStringLiteral("160.00009"));
}

TEST_F(AddFoundFrequencyTest, TypedTextOccupiesAnUnlockedSlotUntilDeleted) {
  find(144.1);
  find(144.2);
  type(3, QStringLiteral("Relais"));
  find(144.3);
  EXPECT_EQ(list().autscan(4)->text(), QStringLiteral("144.3000")) << "typed text makes slot 3 occupied";
  EXPECT_EQ(list().autscan(3)->text(), QStringLiteral("Relais"));

  type(5, QStringLiteral(" "));
  erase(3);
  find(144.4);
  EXPECT_EQ(list().autscan(3)->text(), QStringLiteral("144.4000")) << "deleted text frees slot 3 again";
  find(144.5);
  EXPECT_EQ(list().autscan(5)->text(), QStringLiteral(" ")) << "a blank is not empty";
  EXPECT_EQ(list().autscan(6)->text(), QStringLiteral("144.5000"));
  EXPECT_EQ(lockPattern().left(6), QStringLiteral("LLLL-L"));
}

// The scan's own tests run the receiver panel without the main window; a
// find there must not run the program's start-up, which would unload the
// panel in the middle of the scan.
using AddFoundFrequencyAloneTest = ProgramFolderTest;

TEST_F(AddFoundFrequencyAloneTest, WithoutTheMainWindowAFindFillsTheListAndStartsNothing) {
  auto& panel = form<Form_pcr1000>();
  panel.load();
  panel.CurrentFrequency = 145.5;
  AddFoundFrequency();
  EXPECT_TRUE(panel.isLoaded());
  EXPECT_FALSE(form<MDIzelvora>().isLoaded());
  EXPECT_EQ(form<Form_autoscan>().autscan(1)->text(), QStringLiteral("145.5000"));
}

}  // namespace
}  // namespace zelvora::test
