#pragma once

#include <QByteArray>

#include <ctime>

namespace zelvora::test {

// Runs a test in another local time zone ("Asia/Kolkata") and restores the
// previous one afterwards.
class LocalTimeZone {
 public:
  explicit LocalTimeZone(const char* zone) : m_had(qEnvironmentVariableIsSet("TZ")), m_old(qgetenv("TZ")) {
    qputenv("TZ", zone);
    tzset();
  }
  ~LocalTimeZone() {
    if (m_had) {
      qputenv("TZ", m_old);
    } else {
      qunsetenv("TZ");
    }
    tzset();
  }
  LocalTimeZone(const LocalTimeZone&) = delete;
  LocalTimeZone& operator=(const LocalTimeZone&) = delete;

 private:
  bool m_had;
  QByteArray m_old;
};

}  // namespace zelvora::test
