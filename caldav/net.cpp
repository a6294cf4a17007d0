// The calendar server module: HTTP(S) requests through Qt Network, the
// password through QtKeychain.
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QObject>
#include <QSslError>
#include <QStringList>
#include <memory>
#include <qt6keychain/keychain.h>

#include "caldav/caldav_abi.h"

namespace morna::caldav {

namespace {

constexpr auto kSecretService = "Moranote CalDAV";

SecretResult ResultOf(QKeychain::Job* job) {
  SecretResult r;
  r.error = job->errorString();
  switch (job->error()) {
    case QKeychain::NoError: r.status = SecretStatus::Ok; break;
    case QKeychain::EntryNotFound: r.status = SecretStatus::NotFound; break;
    case QKeychain::NoBackendAvailable:
    case QKeychain::NotImplemented: r.status = SecretStatus::NoStore; break;
    default: r.status = SecretStatus::Failed; break;
  }
  return r;
}

class NetImpl final : public Net {
 public:
  ~NetImpl() override {
    // No answer reaches a caller after this: the context goes first.
    context_.reset();
  }

  void Send(const HttpRequest& in, std::function<void(const HttpReply&)> done) override {
    QNetworkRequest request(in.url);
    for (const auto& [name, value] : in.headers) request.setRawHeader(name, value);
    if (!in.user.isEmpty() || !in.password.isEmpty())
      request.setRawHeader("Authorization",
                           "Basic " + (in.user + QLatin1Char(':') + in.password).toUtf8().toBase64());
    request.setTransferTimeout(in.timeoutMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         in.followRedirects ? QNetworkRequest::NoLessSafeRedirectPolicy
                                            : QNetworkRequest::ManualRedirectPolicy);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    QNetworkReply* reply = nam_.sendCustomRequest(request, in.verb, in.body);
    auto tlsErrors = std::make_shared<QStringList>();
    // A certificate the system does not trust is never accepted: the
    // connection is refused and the reasons are told.
    QObject::connect(reply, &QNetworkReply::sslErrors, context_.get(),
                     [tlsErrors](const QList<QSslError>& errors) {
                       for (const QSslError& e : errors) *tlsErrors << e.errorString();
                     });
    QObject::connect(reply, &QNetworkReply::finished, context_.get(), [reply, tlsErrors, done] {
      HttpReply r;
      r.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
      r.body = reply->readAll();
      r.etag = reply->rawHeader("ETag");
      r.url = reply->url();
      if (reply->error() != QNetworkReply::NoError) r.error = reply->errorString();
      if (!tlsErrors->isEmpty() || reply->error() == QNetworkReply::SslHandshakeFailedError) {
        r.tls = true;
        r.status = 0;
        if (!tlsErrors->isEmpty()) r.error = tlsErrors->join(QLatin1Char('\n'));
      }
      reply->deleteLater();
      done(r);
    });
  }

  void ReadSecret(const QString& key, std::function<void(const SecretResult&)> done) override {
    auto* job = new QKeychain::ReadPasswordJob(QLatin1String(kSecretService));
    job->setAutoDelete(true);
    job->setInsecureFallback(false);
    job->setKey(key);
    QObject::connect(job, &QKeychain::Job::finished, context_.get(), [done](QKeychain::Job* j) {
      SecretResult r = ResultOf(j);
      if (r.status == SecretStatus::Ok) r.value = static_cast<QKeychain::ReadPasswordJob*>(j)->textData();
      done(r);
    });
    job->start();
  }

  void WriteSecret(const QString& key, const QString& value,
                   std::function<void(const SecretResult&)> done) override {
    auto* job = new QKeychain::WritePasswordJob(QLatin1String(kSecretService));
    job->setAutoDelete(true);
    job->setInsecureFallback(false);
    job->setKey(key);
    job->setTextData(value);
    QObject::connect(job, &QKeychain::Job::finished, context_.get(),
                     [done](QKeychain::Job* j) { done(ResultOf(j)); });
    job->start();
  }

 private:
  QNetworkAccessManager nam_;
  std::unique_ptr<QObject> context_ = std::make_unique<QObject>();
};

}  // namespace

}  // namespace morna::caldav

extern "C" Q_DECL_EXPORT int morna_caldav_abi_version(void) { return MORNA_CALDAV_ABI_VERSION; }

extern "C" Q_DECL_EXPORT morna::caldav::Net* morna_caldav_new(void) {
  try {
    return new morna::caldav::NetImpl();
  } catch (...) {
    return nullptr;
  }
}
