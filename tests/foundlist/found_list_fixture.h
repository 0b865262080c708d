#pragma once

#include "foundlist/form_autoscan.h"
#include "support/program_folder_fixture.h"

#include <QString>
#include <QStringList>

namespace zelvora::test {

// The whole program started, with the found list reached through its slots.
class FoundListTest : public ProgramFolderTest {
 protected:
  void SetUp() override;

  static Form_autoscan& list();
  // A find by the scan at this frequency (MHz).
  static void find(double mhz);
  // The texts of slots 1 .. 60.
  static QStringList slotTexts();
  // One character per slot: 'L' locked, '-' editable.
  static QString lockPattern();
  // Types into a slot as the user would, with the keyboard.
  static void type(int k, const QString& text);
  // Deletes every character of a slot with the keyboard.
  static void erase(int k);
};

}  // namespace zelvora::test
