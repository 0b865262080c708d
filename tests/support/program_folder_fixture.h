#pragma once

#include "platform/message_box.h"

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace zelvora::test {

// Gives each test a fresh program: a temporary copy of the built program
// folder without the receiver settings file (ZELVORA_PROGRAM_FOLDER points
// there), a recording message box,
// and, on tear-down, every window unloaded and forgotten and the clock
// running again.
class ProgramFolderTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Absolute path of a file in the program folder ("html/einleitung.htm").
  QString programPath(const QString& relative) const;
  // The program folder as the program writes it (no trailing separator).
  QString folder() const;

  std::unique_ptr<QTemporaryDir> m_folder;
  std::unique_ptr<RecordingMessageBox> m_messages;
};

// Copies a folder tree except the given paths (relative to from); returns
// false when something could not be copied.
bool copyTree(const QString& from, const QString& to, const QStringList& skip = {});

// Lets pending events run for a while (deferred resize handlers, queued
// signals); returns early when nothing is left.
void settle(int milliseconds = 20);

}  // namespace zelvora::test
