#include "platform/web_link.h"

#include "platform/message_box.h"
#include "platform/program_folder.h"
#include "platform/regular_file.h"

#include <QDesktopServices>
#include <QUrl>

namespace zelvora {

namespace {

bool isWebAddress(const QUrl& url) {
  const QString scheme = url.scheme().toLower();
  return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https")) && !url.host().isEmpty();
}

}  // namespace

bool OpenWebLink(const QString& address) {
  const QUrl url(address.trimmed(), QUrl::StrictMode);
  const bool opened = isWebAddress(url) && QDesktopServices::openUrl(url);
  // Without a registered browser the click would otherwise do nothing at all.
  if (!opened) MsgBox(QStringLiteral("Die Adresse konnte nicht im Webbrowser geöffnet werden: ") + address, MsgOkOnly);
  return opened;
}

}  // namespace zelvora

namespace zelvora {

QString WebLinkAddress(const QString& name) {
  const auto bytes = ReadRegularFile(NativePath(ProgramFolder() + QStringLiteral("\\weblinks.ini")));
  if (!bytes) return {};
  for (const QByteArray& raw : bytes->split('\n')) {
    const QString line = QString::fromUtf8(raw).trimmed();
    if (line.isEmpty() || line.startsWith(QLatin1Char('#')) || line.startsWith(QLatin1Char(';'))) continue;
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals > 0 && line.left(equals).trimmed().compare(name, Qt::CaseInsensitive) == 0)
      return line.mid(equals + 1).trimmed();
  }
  return {};
}

}  // namespace zelvora
