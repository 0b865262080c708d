#include "platform/file_list_box.h"

#include "platform/program_folder.h"

#include <QDir>
#include <QFileSystemWatcher>

namespace zelvora {

FileListBox::FileListBox(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
}

void FileListBox::setPath(const QString& folder) {
  m_path = folder;
  watchFolder();
  refresh();
}

void FileListBox::setWatching(bool watching) {
  if (watching == (m_watcher != nullptr)) return;
  if (!watching) {
    delete m_watcher;
    m_watcher = nullptr;
    return;
  }
  m_watcher = new QFileSystemWatcher(this);
  connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, &FileListBox::refresh);
  watchFolder();
}

void FileListBox::watchFolder() {
  if (!m_watcher) return;
  const QString folder = m_path.isEmpty() ? QString() : QDir::cleanPath(NativePath(m_path));
  if (m_watcher->directories() == QStringList{folder}) return;
  if (!m_watcher->directories().isEmpty()) m_watcher->removePaths(m_watcher->directories());
  if (!folder.isEmpty()) m_watcher->addPath(folder);
}

void FileListBox::setPattern(const QString& pattern) {
  m_pattern = pattern;
  refresh();
}

QString FileListBox::fileName() const {
  const auto selected = selectedItems();
  return selected.isEmpty() ? QString() : selected.first()->text();
}

void FileListBox::setFileName(const QString& name) {
  const auto found = findItems(name, Qt::MatchExactly);
  if (found.isEmpty()) {
    clearSelection();
    return;
  }
  setCurrentItem(found.first());
  found.first()->setSelected(true);
}

void FileListBox::refresh() {
  const QString selected = fileName();
  clear();
  if (m_path.isEmpty()) return;
  const QDir dir(NativePath(m_path));
  const QStringList names = dir.entryList({m_pattern}, QDir::Files, QDir::Name | QDir::IgnoreCase);
  addItems(names);
  if (!selected.isEmpty()) setFileName(selected);
}

}  // namespace zelvora
