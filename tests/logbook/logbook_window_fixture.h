#pragma once

#include "logbook/data_grid.h"
#include "logbook/form_frequenzliste2.h"
#include "logbook/logbook_table.h"
#include "platform/file_list_box.h"
#include "platform/form_registry.h"
#include "support/program_folder_fixture.h"
#include "../platform/xls/independent_readers.h"

#include <QPushButton>
#include <QTableView>

namespace zelvora::test {

inline const QString kOpenMessage =
    QStringLiteral("Tabelle muss Tabelle1 heißen! Dateiname ist egal. Oder ist die Tabelle in einem anderen Programm geöffnet?");
inline const QString kDateMessage = QStringLiteral("Fehler bei der Datumseingabe. Feldname muss \"Datum\" sein.");
inline const QString kTimeMessage = QStringLiteral("Fehler bei der Eingabe. Feldnamen müssen \"Ortszeit\" und \"UTC\" sein.");
inline const QString kWriteFailed = QStringLiteral("Die Änderung konnte nicht in die Arbeitsmappe geschrieben werden.");

// The logbook window in a fresh program folder.
class LogbookWindowTest : public ProgramFolderTest {
 protected:
  Form_frequenzliste2& logbook() { return form<Form_frequenzliste2>(); }
  DataGrid* grid() { return logbook().ui().Data_frequenzen; }
  LogbookTable* table() { return grid()->table(); }
  QString excel(const QString& name) { return programPath(QStringLiteral("excel/") + name); }

  // Picks a file in the list and presses "Öffnen" ("Schließen" first, as
  // the user must).
  void openFile(const QString& name) {
    logbook().Comm_excelzu_Click();
    logbook().ui().tablist->refresh();
    logbook().ui().tablist->setFileName(name);
    logbook().Comm_excelauf_Click();
  }

  void selectRow(int row) { grid()->view()->setCurrentIndex(table()->index(row, 0)); }

  SeenCells readBack(const QString& name) {
    SeenCells cells;
    EXPECT_TRUE(readWithFreexl(excel(name), 0, cells));
    return cells;
  }

  void expectButtons(bool openEnabled) {
    EXPECT_EQ(logbook().ui().Comm_excelauf->isEnabled(), openEnabled);
    EXPECT_EQ(logbook().ui().Comm_excelzu->isEnabled(), !openEnabled);
  }

  QStringList columns(int count, bool withRemarks) {
    QStringList names{QStringLiteral("Frequenz"), QStringLiteral("Datum"), QStringLiteral("Ortszeit"), QStringLiteral("UTC")};
    while (names.size() < count) names << QStringLiteral("Feld%1").arg(names.size());
    if (withRemarks) names.back() = QStringLiteral("Bemerkungen");
    return names;
  }
};

}  // namespace zelvora::test
