#pragma once

#include <QDesktopServices>
#include <QList>
#include <QObject>
#include <QUrl>

namespace zelvora::test {

// Stands in for the system web browser while it lives: records every
// address the program hands to it.
class UrlRecorder : public QObject {
  Q_OBJECT

 public:
  UrlRecorder() {
    for (const char* scheme : kSchemes) QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "open");
  }
  ~UrlRecorder() override {
    for (const char* scheme : kSchemes) QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
  }

  QList<QUrl> opened;

 public slots:
  void open(const QUrl& url) { opened << url; }

 private:
  static constexpr const char* kSchemes[] = {"http", "https", "file", "ftp", "mailto"};
};

}  // namespace zelvora::test
