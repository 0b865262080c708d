#pragma once

#include <QListWidget>

class QFileSystemWatcher;

namespace zelvora {

// A list of the file names in one folder that match a pattern ("*.htm*"),
// at most one selected. Setting the folder or pattern reads the folder
// again and keeps the selected name when that file is still there.
class FileListBox : public QListWidget {
  Q_OBJECT

 public:
  explicit FileListBox(QWidget* parent = nullptr);

  QString path() const { return m_path; }
  void setPath(const QString& folder);
  QString pattern() const { return m_pattern; }
  void setPattern(const QString& pattern);
  // The selected file's name without folder; empty when none is selected.
  QString fileName() const;
  void setFileName(const QString& name);
  void refresh();
  // While watching, the list is read again whenever a file appears in the
  // folder, goes or is renamed; the selection stays where its file does.
  void setWatching(bool watching);

 private:
  void watchFolder();

  QString m_path;
  QFileSystemWatcher* m_watcher = nullptr;
  QString m_pattern = QStringLiteral("*.*");
};

}  // namespace zelvora
