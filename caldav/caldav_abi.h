// The calendar server module's boundary: what the program asks of Qt Network
// and of the system's secret store, in terms of Qt Core only, so that the
// program itself links neither. The program asks morna_caldav_abi_version()
// first and uses nothing else of a module whose number differs from
// MORNA_CALDAV_ABI_VERSION. Every function is called on the thread that
// runs the event loop; answers come back on it through the given functions,
// never before the call returns, and never after the Net is destroyed.
#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QUrl>
#include <functional>

// Raised whenever anything below changes its meaning or its layout.
#define MORNA_CALDAV_ABI_VERSION 1
#define MORNA_CALDAV_ABI_VERSION_SYMBOL "morna_caldav_abi_version"
#define MORNA_CALDAV_NEW_SYMBOL "morna_caldav_new"

namespace morna::caldav {

struct HttpRequest {
  QByteArray verb;  // "PROPFIND", "REPORT", "GET", "PUT", "DELETE"
  QUrl url;
  QList<QPair<QByteArray, QByteArray>> headers;
  QByteArray body;
  QString user, password;  // sent as Basic authentication
  int timeoutMs = 20000;   // no answer within it: status 0
  bool followRedirects = false;
};

struct HttpReply {
  int status = 0;     // 0: no HTTP answer; `error` says why
  QByteArray body;
  QByteArray etag;    // the ETag header, as sent
  QUrl url;           // where the answer came from, after redirects
  QString error;      // why there was no answer (or the system's text of a failed one)
  bool tls = false;   // refused for the server's certificate; `error` names the reasons
};

enum class SecretStatus { Ok, NotFound, NoStore, Failed };
struct SecretResult {
  SecretStatus status = SecretStatus::Failed;
  QString value;
  QString error;
};

class Net {
 public:
  virtual ~Net() = default;
  virtual void Send(const HttpRequest& request, std::function<void(const HttpReply&)> done) = 0;
  // The password stored under `key` in the system's secret store.
  virtual void ReadSecret(const QString& key, std::function<void(const SecretResult&)> done) = 0;
  virtual void WriteSecret(const QString& key, const QString& value,
                           std::function<void(const SecretResult&)> done) = 0;
};

}  // namespace morna::caldav

extern "C" {
typedef int (*MornaCaldavAbiVersionFn)(void);
typedef morna::caldav::Net* (*MornaCaldavNewFn)(void);
}
