#include "logbook/logbook_connection.h"

#include <QFile>

namespace zelvora {

bool LogbookConnection::open(const QString& path) {
  m_file.reset();
  auto file = std::make_shared<xls::WorkbookFile>();
  if (file->open(QFile::encodeName(path).toStdString()) != xls::FileStatus::Ok) return false;
  m_file = std::move(file);
  return true;
}

}  // namespace zelvora
