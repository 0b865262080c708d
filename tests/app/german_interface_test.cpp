#include "app/frm_about.h"
#include "app/mdi_zelvora.h"
#include "app/start.h"
#include "platform/form_registry.h"
#include "platform/html_view.h"
#include "platform/message_box.h"
#include "platform/qt_translations.h"
#include "receiver/form_pcr1000.h"
#include "support/program_folder_fixture.h"
#include "web/form_browser.h"
#include "worldtime/form_weltzeit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>

namespace zelvora {
namespace {

// A caption as the user reads it: without the access-key "&" and without
// the shortcut Qt appends after a tab.
QString shown(QString caption) { return caption.section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&')); }

// The menu's captions in order, one line for a readable failure.
std::string captions(const QMenu& menu) {
  QStringList all;
  for (const QAction* a : menu.actions())
    if (!a->isSeparator()) all << shown(a->text());
  return all.join(QStringLiteral(" | ")).toStdString();
}

class GermanInterfaceTest : public test::ProgramFolderTest {
 protected:
  void SetUp() override {
    ProgramFolderTest::SetUp();
    main = &start();
    test::settle();
  }

  // Runs show, which opens a real modal message box, and presses the
  // button captioned pressing in it; returns the text and the buttons the
  // box showed.
  std::pair<QString, QStringList> answerRealBox(const std::function<void()>& show, const QString& pressing) {
    installMessageBoxService(nullptr);
    QString text;
    QStringList buttons;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      poll.stop();
      text = box->text();
      for (QAbstractButton* b : box->buttons()) buttons << shown(b->text());
      for (QAbstractButton* b : box->buttons())
        if (shown(b->text()) == pressing) b->click();
    });
    poll.start(10);
    show();
    installMessageBoxService(m_messages.get());
    buttons.sort();
    return {text, buttons};
  }

  MDIzelvora* main = nullptr;
};

TEST_F(GermanInterfaceTest, MessageBoxButtonsReadGerman) {
  const auto [exitText, exitButtons] =
      answerRealBox([this] { main->menuItem(QStringLiteral("men_ende"))->trigger(); }, QStringLiteral("Abbrechen"));
  EXPECT_EQ(exitText, QStringLiteral("Programm beenden?"));
  EXPECT_EQ(exitButtons, (QStringList{QStringLiteral("Abbrechen"), QStringLiteral("OK")}));
  EXPECT_TRUE(main->isLoaded()) << "\"Abbrechen\" keeps the program running";

  const struct {
    int style;
    QStringList buttons;
  } boxes[] = {
      {MsgYesNoCancel, {QStringLiteral("Abbrechen"), QStringLiteral("Ja"), QStringLiteral("Nein")}},
      {MsgYesNo, {QStringLiteral("Ja"), QStringLiteral("Nein")}},
      {MsgOkOnly, {QStringLiteral("OK")}},
  };
  for (const auto& box : boxes) {
    const auto [text, buttons] =
        answerRealBox([&] { MsgBox(QStringLiteral("Weiter?"), box.style); }, box.buttons.last());
    EXPECT_EQ(buttons, box.buttons) << box.style;
  }
}

TEST_F(GermanInterfaceTest, WindowMenusAndContextMenusReadGerman) {
  EXPECT_EQ(InstallGermanQtTranslations(),
            (QStringList{QStringLiteral("qtbase_de"), QStringLiteral("qtmultimedia_de"), QStringLiteral("qtserialport_de")}))
      << "a catalog of a module the program uses is missing";
  auto* sub = qobject_cast<QMdiSubWindow*>(form<Form_weltzeit>().window());
  ASSERT_NE(sub, nullptr);
  ASSERT_NE(sub->systemMenu(), nullptr);
  EXPECT_EQ(captions(*sub->systemMenu()),
            "Wiederherstellen | Verschieben | Größe | Minimieren | Maximieren | Im Vordergrund bleiben | Schließen");

  auto* field = form<Form_pcr1000>().window()->findChild<QLineEdit*>(QStringLiteral("Frequenzeingabe"));
  ASSERT_NE(field, nullptr);
  const std::unique_ptr<QMenu> fieldMenu(field->createStandardContextMenu());
  EXPECT_EQ(captions(*fieldMenu),
            "Rückgängig | Wiederherstellen | Ausschneiden | Kopieren | Einfügen | Löschen | Alles auswählen");

  QTextBrowser* page = form<Form_browser>().Browser1()->browser();
  const std::unique_ptr<QMenu> pageMenu(page->createStandardContextMenu(QPoint(0, 0)));
  EXPECT_EQ(captions(*pageMenu), "Kopieren | Link-Adresse kopieren | Alles auswählen");
}

TEST_F(GermanInterfaceTest, AltLetterOpensEachMenuOfTheMenuBar) {
  main->window()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(main->window()));
  const std::pair<Qt::Key, const char*> menus[] = {
      {Qt::Key_A, "men_ansicht"}, {Qt::Key_E, "men_extern"}, {Qt::Key_Z, "men_zus"}, {Qt::Key_F, "men_fenster"}};
  for (auto [key, name] : menus) {
    auto* menu = main->window()->findChild<QMenu*>(QString::fromLatin1(name));
    ASSERT_NE(menu, nullptr) << name;
    QTest::keyClick(main->window(), key, Qt::AltModifier);
    test::settle();
    EXPECT_TRUE(menu->isVisible()) << name;
    menu->close();
    test::settle();
  }

  form<frmAbout>().unload();
  QTest::keyClick(main->window(), Qt::Key_Udiaeresis, Qt::AltModifier);
  test::settle();
  EXPECT_TRUE(form<frmAbout>().visible()) << "Alt+Ü: \"Über\"";

  m_messages->answerNext(MsgResult::Cancel);
  QTest::keyClick(main->window(), Qt::Key_B, Qt::AltModifier);
  test::settle();
  EXPECT_EQ(m_messages->texts(), QStringList{QStringLiteral("Programm beenden?")}) << "Alt+B: \"Beenden\"";
}

}  // namespace
}  // namespace zelvora
