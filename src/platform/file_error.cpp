#include "platform/file_error.h"

#include <cerrno>

namespace zelvora {

QString FileErrorReason(int error) {
  switch (error) {
    case ENOSPC:
      return QStringLiteral("Der Datenträger ist voll.");
    case EDQUOT:
      return QStringLiteral("Das Speicherkontingent ist erschöpft.");
    case EROFS:
      return QStringLiteral("Der Datenträger ist schreibgeschützt.");
    case EACCES:
    case EPERM:
      return QStringLiteral("Keine Schreibberechtigung für den Ordner oder die Datei.");
    case ENOENT:
    case ENOTDIR:
      return QStringLiteral("Der Ordner ist nicht vorhanden.");
    case EIO:
      return QStringLiteral("Ein-/Ausgabefehler beim Schreiben.");
    case EFBIG:
      return QStringLiteral("Die Datei wird zu groß.");
    case EBUSY:
    case ETXTBSY:
      return QStringLiteral("Die Datei wird von einem anderen Programm benutzt.");
    default:
      return QStringLiteral("Fehler Nr. %1 des Betriebssystems.").arg(error);
  }
}

}  // namespace zelvora
