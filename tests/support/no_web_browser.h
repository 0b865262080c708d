#pragma once

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <optional>

namespace zelvora::test {

// While it lives the system has no web browser to open an address with:
// the only opener on PATH is an xdg-open that cannot be run, and no browser
// is named in the environment.
class NoWebBrowser {
 public:
  NoWebBrowser() : m_path(saved("PATH")), m_browser(saved("BROWSER")), m_default(saved("DEFAULT_BROWSER")) {
    QFile opener(m_bin.filePath(QStringLiteral("xdg-open")));
    if (opener.open(QIODevice::WriteOnly)) opener.write("#!/bin/sh\nexit 3\n");
    opener.close();
    opener.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    qputenv("PATH", m_bin.path().toLocal8Bit());
    qunsetenv("BROWSER");
    qunsetenv("DEFAULT_BROWSER");
  }
  ~NoWebBrowser() {
    restore("PATH", m_path);
    restore("BROWSER", m_browser);
    restore("DEFAULT_BROWSER", m_default);
  }
  NoWebBrowser(const NoWebBrowser&) = delete;
  NoWebBrowser& operator=(const NoWebBrowser&) = delete;

 private:
  using Saved = std::optional<QByteArray>;
  static Saved saved(const char* name) { return qEnvironmentVariableIsSet(name) ? Saved(qgetenv(name)) : Saved(); }
  static void restore(const char* name, const Saved& value) {
    if (value)
      qputenv(name, *value);
    else
      qunsetenv(name);
  }

  QTemporaryDir m_bin;
  Saved m_path;
  Saved m_browser;
  Saved m_default;
};

}  // namespace zelvora::test
