#include "ui/caldav.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QUuid>
#include <algorithm>

#include "ui/calendarmodule.h"
#include "ui/davxml.h"

namespace morna::ui {

namespace {

// Timeouts and pauses. The interval between rounds may be shortened for
// tests through MORNA_CALDAV_INTERVAL (seconds).
constexpr int kTimeoutMs = 20'000;
constexpr int kSoonMs = 2'000;
constexpr int kFetchBatch = 50;

int IntervalMs() {
  bool ok = false;
  const int s = qEnvironmentVariableIntValue("MORNA_CALDAV_INTERVAL", &ok);
  return ok && s > 0 ? s * 1000 : 5 * 60 * 1000;
}

QUrl At(const QUrl& base, const QString& path) {
  QUrl u = base;
  u.setPath(path, QUrl::DecodedMode);
  u.setQuery(QString());
  u.setFragment(QString());
  return u;
}

QString WithSlash(QString path) {
  if (!path.endsWith(QLatin1Char('/'))) path += QLatin1Char('/');
  return path;
}

bool SamePath(const QString& a, const QString& b) { return WithSlash(a) == WithSlash(b); }

}  // namespace

CalDavModule LoadCalDavModule() {
  CalDavModule out;
  const QString programDir = QCoreApplication::applicationDirPath();
  QString reasons;
  for (const QString& folder : {programDir, programDir + QStringLiteral("/" MORNA_SOUND_FROM_BIN)}) {
    QLibrary library(folder + QStringLiteral("/morna_caldav"));
    if (!library.load()) {
      reasons += QLatin1Char('\n') + library.errorString();
      continue;
    }
    const auto version =
        reinterpret_cast<MornaCaldavAbiVersionFn>(library.resolve(MORNA_CALDAV_ABI_VERSION_SYMBOL));
    const auto create = reinterpret_cast<MornaCaldavNewFn>(library.resolve(MORNA_CALDAV_NEW_SYMBOL));
    if (!version || version() != MORNA_CALDAV_ABI_VERSION || !create) {
      reasons += QLatin1Char('\n') + library.fileName() + QStringLiteral(": ") +
                 QCoreApplication::translate("CalDavSync", "版がこのプログラムと合いません");
      continue;
    }
    out.net.reset(create());
    if (out.net) return out;
    reasons += QLatin1Char('\n') + library.fileName() + QStringLiteral(": morna_caldav_new");
  }
  out.error = QCoreApplication::translate("CalDavSync", "カレンダーサーバーと同期する部品 (morna_caldav) を読み込めません。") + reasons;
  return out;
}

QString CalDavSecretKey(const QString& user, const QString& collection) {
  return user + QLatin1Char('@') + collection;
}

QString CalDavFailure(const caldav::HttpReply& reply) {
  if (reply.tls)
    return QCoreApplication::translate("CalDavSync", "サーバーの証明書を信頼できないため、接続しませんでした: %1").arg(reply.error);
  if (reply.status == 0) return QCoreApplication::translate("CalDavSync", "サーバーに接続できません: %1").arg(reply.error);
  if (reply.status == 401)
    return QCoreApplication::translate("CalDavSync", "サーバーがログインを拒否しました (ユーザー名かパスワードが違います)。");
  if (reply.status == 403) return QCoreApplication::translate("CalDavSync", "サーバーがこの操作を許しませんでした (HTTP 403)。");
  if (reply.status == 404) return QCoreApplication::translate("CalDavSync", "サーバーにそのアドレスがありません (HTTP 404)。");
  return QCoreApplication::translate("CalDavSync", "サーバーがエラーを返しました (HTTP %1)。").arg(reply.status);
}

// ---- finding the calendars ----

namespace {

struct Finder : std::enable_shared_from_this<Finder> {
  caldav::Net& net;
  QUrl base;
  QString user, password;
  std::function<void(const CalDavFound&)> done;
  int hops = 0;

  Finder(caldav::Net& n) : net(n) {}

  void Propfind(const QUrl& url, const QByteArray& depth, const QByteArray& body,
                std::function<void(const Multistatus&, const QUrl&)> next) {
    caldav::HttpRequest r;
    r.verb = "PROPFIND";
    r.url = url;
    r.headers = {{"Depth", depth}, {"Content-Type", "application/xml; charset=utf-8"}};
    r.body = body;
    r.user = user;
    r.password = password;
    r.timeoutMs = kTimeoutMs;
    r.followRedirects = true;  // /.well-known/caldav and the like
    auto self = shared_from_this();
    net.Send(r, [self, next](const caldav::HttpReply& reply) {
      if (reply.status != 207) return self->Fail(CalDavFailure(reply));
      const Multistatus ms = ParseMultistatus(reply.body);
      if (!ms.ok) return self->Fail(QCoreApplication::translate("CalDavSync", "サーバーの応答を読めません: %1").arg(ms.error));
      next(ms, reply.url.isEmpty() ? self->base : reply.url);
    });
  }

  void Fail(const QString& error) {
    CalDavFound f;
    f.error = error;
    done(f);
  }

  void Start() {
    auto self = shared_from_this();
    Propfind(base, "0", PropfindPrincipalBody(), [self](const Multistatus& ms, const QUrl& at) {
      const DavResponse r = ms.responses.value(0);
      if (r.isCalendar) return self->ListHome(at, "0");  // the calendar itself
      if (!r.calendarHome.isEmpty()) return self->ListHome(At(at, r.calendarHome), "1");
      if (!r.principal.isEmpty() && ++self->hops < 3) {
        self->base = At(at, r.principal);
        return self->Start();
      }
      self->Fail(QCoreApplication::translate("CalDavSync", "カレンダーが見つかりません。"));
    });
  }

  void ListHome(const QUrl& home, const QByteArray& depth) {
    auto self = shared_from_this();
    Propfind(home, depth, PropfindCalendarsBody(), [self](const Multistatus& ms, const QUrl& at) {
      CalDavFound found;
      for (const DavResponse& r : ms.responses) {
        if (!r.isCalendar) continue;
        // Calendars that hold neither events nor to-dos have no place for labels.
        if (!r.components.isEmpty() && !r.components.contains(QStringLiteral("VEVENT")) &&
            !r.components.contains(QStringLiteral("VTODO")))
          continue;
        const QUrl url = At(at, WithSlash(r.href));
        found.calendars << qMakePair(url.toString(), r.displayName.isEmpty() ? r.href : r.displayName);
      }
      if (found.calendars.isEmpty()) found.error = QCoreApplication::translate("CalDavSync", "カレンダーが見つかりません。");
      self->done(found);
    });
  }
};

}  // namespace

void FindCalendars(caldav::Net& net, const QUrl& address, const QString& user,
                   const QString& password, std::function<void(const CalDavFound&)> done) {
  auto f = std::make_shared<Finder>(net);
  f->base = address;
  f->user = user;
  f->password = password;
  f->done = std::move(done);
  f->Start();
}

// ---- the sync rounds ----

CalDavSync::CalDavSync(caldav::Net& net, CalDavAccount account, Host host, QObject* parent)
    : QObject(parent), net_(net), account_(std::move(account)), host_(std::move(host)) {
  collectionPath_ = WithSlash(account_.collection.path(QUrl::FullyDecoded));
  every_.setInterval(IntervalMs());
  connect(&every_, &QTimer::timeout, this, &CalDavSync::Round);
  soon_.setSingleShot(true);
  soon_.setInterval(kSoonMs);
  connect(&soon_, &QTimer::timeout, this, &CalDavSync::Round);
}

void CalDavSync::Start() {
  every_.start();
  Round();
}

void CalDavSync::LocalChanged() {
  if (applying_) return;
  soon_.start();
}

void CalDavSync::Send(const QByteArray& verb, const QString& path,
                      QList<QPair<QByteArray, QByteArray>> headers, QByteArray body,
                      std::function<void(const caldav::HttpReply&)> done) {
  caldav::HttpRequest r;
  r.verb = verb;
  r.url = At(account_.collection, path);
  r.headers = std::move(headers);
  r.body = std::move(body);
  r.user = account_.user;
  r.password = account_.password;
  r.timeoutMs = kTimeoutMs;
  net_.Send(r, std::move(done));
}

void CalDavSync::Round() {
  if (busy_) {
    again_ = true;
    return;
  }
  busy_ = true;
  again_ = false;
  // Labels go to and come from the server as iCalendar text.
  if (!Calendar().functions)
    return Fail(QCoreApplication::translate("CalDavSync", "iCalendarを読み書きする部品 (morna_icalendar) を読み込めません。") +
                QLatin1Char('\n') + QString::fromStdString(Calendar().reason));
  mapping_ = LoadCalMapping(host_.labelPath(), account_.collection.toString().toStdString());
  listing_.clear();
  fetched_.clear();
  newToken_.clear();
  List(true);
}

// The listing: what changed since the last token (RFC 6578), else every
// member's ETag.
void CalDavSync::List(bool withToken) {
  const QString token = withToken ? QString::fromStdString(mapping_.syncToken) : QString();
  Send("REPORT", collectionPath_,
       {{"Depth", "0"}, {"Content-Type", "application/xml; charset=utf-8"}},
       SyncCollectionBody(token), [this, token](const caldav::HttpReply& reply) {
         if (reply.status == 0 || reply.status == 401) return Fail(CalDavFailure(reply));
         if (reply.status != 207) {
           // A token the server no longer knows: the whole listing again.
           if (!token.isEmpty()) return List(false);
           return ListByPropfind();
         }
         const Multistatus ms = ParseMultistatus(reply.body);
         if (!ms.ok) return Fail(QCoreApplication::translate("CalDavSync", "サーバーの応答を読めません: %1").arg(ms.error));
         std::vector<CalListed> changed;
         std::vector<std::string> removed;
         for (const DavResponse& r : ms.responses) {
           if (SamePath(r.href, collectionPath_) || r.href.endsWith(QLatin1Char('/'))) continue;
           if (r.status == 404) removed.push_back(r.href.toStdString());
           else changed.push_back({r.href.toStdString(), r.etag.toStdString()});
         }
         listing_ = token.isEmpty() ? changed : ListingFromChanges(mapping_, changed, removed);
         newToken_ = ms.syncToken.toStdString();
         Fetch();
       });
}

void CalDavSync::ListByPropfind() {
  Send("PROPFIND", collectionPath_,
       {{"Depth", "1"}, {"Content-Type", "application/xml; charset=utf-8"}}, PropfindEtagsBody(),
       [this](const caldav::HttpReply& reply) {
         if (reply.status != 207) return Fail(CalDavFailure(reply));
         const Multistatus ms = ParseMultistatus(reply.body);
         if (!ms.ok) return Fail(QCoreApplication::translate("CalDavSync", "サーバーの応答を読めません: %1").arg(ms.error));
         for (const DavResponse& r : ms.responses) {
           if (r.isCollection || SamePath(r.href, collectionPath_)) continue;
           listing_.push_back({r.href.toStdString(), r.etag.toStdString()});
         }
         Fetch();
       });
}

void CalDavSync::Fetch() {
  toFetch_.clear();
  for (const std::string& href : HrefsToFetch(mapping_, listing_))
    toFetch_ << QString::fromStdString(href);
  FetchBatch();
}

void CalDavSync::FetchBatch() {
  if (toFetch_.isEmpty()) return PlanAndApply();
  const QStringList batch = toFetch_.mid(0, kFetchBatch);
  toFetch_ = toFetch_.mid(kFetchBatch);
  Send("REPORT", collectionPath_,
       {{"Depth", "1"}, {"Content-Type", "application/xml; charset=utf-8"}}, MultigetBody(batch),
       [this](const caldav::HttpReply& reply) {
         if (reply.status != 207) return Fail(CalDavFailure(reply));
         const Multistatus ms = ParseMultistatus(reply.body);
         if (!ms.ok) return Fail(QCoreApplication::translate("CalDavSync", "サーバーの応答を読めません: %1").arg(ms.error));
         const ical::Functions& calendar = *Calendar().functions;
         const CommandSettings s = host_.settings();
         ical::ImportOptions options;
         options.zone = ZoneOf(s, calendar);
         options.now = s.now;
         options.allDayMinutes = s.allDayMinutes;
         for (const DavResponse& r : ms.responses) {
           if (r.status != 200 || r.calendarData.isEmpty()) continue;  // fetched next round
           const ical::ResourceLabel read =
               calendar.readResource(std::string_view(r.calendarData.constData(),
                                                   static_cast<std::size_t>(r.calendarData.size())),
                                  options);
           changedChars_ += read.changedChars;
           // A resource that cannot be read stands as no label: kept on the
           // server, never written over.
           fetched_.push_back({r.href.toStdString(), r.etag.toStdString(), read.uid, read.label,
                               read.recurring || !read.ok()});
         }
         FetchBatch();
       });
}

void CalDavSync::PlanAndApply() {
  if (host_.busy && host_.busy()) {
    again_ = true;
    return Finish();
  }
  const CommandSettings s = host_.settings();
  CalPlan plan = PlanCalSync(host_.labels(), mapping_, listing_, fetched_,
                             collectionPath_.toStdString(), s.now, [] {
                               return QUuid::createUuid().toString(QUuid::WithoutBraces).toStdString();
                             });
  mapping_ = std::move(plan.mapping);
  mapping_.syncToken = newToken_;
  if (!plan.remove.empty() || !plan.add.empty()) {
    LabelChange change;
    change.remove = plan.remove;
    change.labels = plan.add;
    applying_ = true;
    const std::vector<PostSlot> after = host_.apply(change);
    applying_ = false;
    CalSettle(mapping_, after, plan.add);
  }
  SaveMapping();
  puts_ = std::move(plan.puts);
  deletes_ = std::move(plan.deletes);
  NextWrite();
}

void CalDavSync::SaveMapping() {
  const FileResult saved = SaveCalMapping(host_.labelPath(), mapping_);
  if (!saved.ok())
    lastError_ = QCoreApplication::translate("CalDavSync", "同期の記録を保存できません: %1").arg(QString::fromStdString(saved.systemMessage));
}

void CalDavSync::Written(const caldav::HttpReply& reply, bool isDelete,
                         const std::function<void()>& record) {
  switch (ClassifyCalWrite(reply.status, isDelete)) {
    case CalWriteOutcome::Done:
      record();
      SaveMapping();
      break;
    // The server changed meanwhile: read again and merge, never overwrite.
    case CalWriteOutcome::Changed: again_ = true; break;
    case CalWriteOutcome::Retry:
    case CalWriteOutcome::Refused: return Fail(CalDavFailure(reply));
  }
  NextWrite();
}

void CalDavSync::NextWrite() {
  if (!deletes_.empty()) {
    const CalDelete del = deletes_.front();
    deletes_.erase(deletes_.begin());
    QList<QPair<QByteArray, QByteArray>> headers;
    if (!del.ifMatch.empty()) headers << qMakePair(QByteArray("If-Match"), QByteArray::fromStdString(del.ifMatch));
    Send("DELETE", QString::fromStdString(del.href), headers, {}, [this, del](const caldav::HttpReply& reply) {
      Written(reply, true, [&] { CalDeleteDone(mapping_, del.href); });
    });
    return;
  }
  if (!puts_.empty()) {
    const CalPut put = puts_.front();
    puts_.erase(puts_.begin());
    const ical::Functions& calendar = *Calendar().functions;
    const CommandSettings s = host_.settings();
    ical::ExportOptions options;
    options.zone = ZoneOf(s, calendar);
    options.warningMinutes = s.warningMinutes;
    options.now = s.now;
    options.uid = put.uid;
    const std::string text = calendar.exportCalendar({put.label}, options).text;
    QList<QPair<QByteArray, QByteArray>> headers{{"Content-Type", "text/calendar; charset=utf-8"}};
    if (put.ifMatch.empty()) headers << qMakePair(QByteArray("If-None-Match"), QByteArray("*"));
    else headers << qMakePair(QByteArray("If-Match"), QByteArray::fromStdString(put.ifMatch));
    Send("PUT", QString::fromStdString(put.href), headers, QByteArray::fromStdString(text),
         [this, put](const caldav::HttpReply& reply) {
           Written(reply, false, [&] { CalPutDone(mapping_, put, reply.etag.toStdString()); });
         });
    return;
  }
  lastSuccess_ = QDateTime::currentDateTime();
  failing_ = false;
  told_ = false;
  Finish();
}

void CalDavSync::Fail(const QString& error) {
  lastError_ = error;
  failing_ = true;
  puts_.clear();
  deletes_.clear();
  if (!told_) {
    told_ = true;
    emit Outage(error);
  }
  Finish();
}

void CalDavSync::Finish() {
  busy_ = false;
  // What could not be sent waits in the difference between the labels and
  // the mapping; the next round sends it.
  if (again_ || failing_) soon_.start(failing_ ? std::min(IntervalMs(), 30'000) : kSoonMs);
  again_ = false;
  emit RoundDone();
}

}  // namespace morna::ui
