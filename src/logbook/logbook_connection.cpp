#include "logbook/logbook_connection.h"

#include <QFile>

namespace zelvora {

xls::FileStatus LogbookConnection::open(const QString& path) {
  m_file.reset();
  auto file = std::make_shared<xls::WorkbookFile>();
  const xls::FileStatus status = file->open(QFile::encodeName(path).toStdString());
  if (status == xls::FileStatus::Ok) m_file = std::move(file);
  return status;
}

}  // namespace zelvora
