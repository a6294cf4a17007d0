// Labels kept in step with one calendar collection of a CalDAV server. The
// network and the secret store are reached through the calendar server
// module (caldav/), loaded only when sync is on; what a round does is
// decided by core/calsync, and its change of the labels goes the labels'
// one road (the host's `apply`).
#pragma once

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <QTimer>
#include <QUrl>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "caldav/caldav_abi.h"
#include "core/calsync.h"
#include "core/labelbook.h"
#include "ui/commands.h"

namespace morna::ui {

// The module, loaded from the program's folder (or the installed module
// folder); nothing and the reason when it cannot be used.
struct CalDavModule {
  std::unique_ptr<caldav::Net> net;
  QString error;
};
CalDavModule LoadCalDavModule();

// The key of the password in the secret store.
QString CalDavSecretKey(const QString& user, const QString& collection);

struct CalDavAccount {
  QUrl collection;
  QString user, password;
};

// What the settings page's "try" found: the calendars of the account (URL,
// name), or the reason nothing was found.
struct CalDavFound {
  QString error;
  QList<QPair<QString, QString>> calendars;
};
// Looks for the calendars from `address` (a server, a principal, a home or a
// calendar itself): current-user-principal, calendar-home-set, then the
// home's members that hold events or to-dos.
void FindCalendars(caldav::Net& net, const QUrl& address, const QString& user,
                   const QString& password, std::function<void(const CalDavFound&)> done);

// The text of a failed answer for the user.
QString CalDavFailure(const caldav::HttpReply& reply);

class CalDavSync : public QObject {
  Q_OBJECT

 public:
  struct Host {
    std::function<std::string()> labelPath;
    std::function<std::vector<PostSlot>()> labels;
    // Carries a change out on the labels' road; returns the labels after.
    std::function<std::vector<PostSlot>(const LabelChange&)> apply;
    std::function<CommandSettings()> settings;  // zone, now, warning, all-day time
    // The labels' road is taken (a box it shows waits): the round is tried
    // again shortly instead.
    std::function<bool()> busy;
  };

  CalDavSync(caldav::Net& net, CalDavAccount account, Host host, QObject* parent = nullptr);

  // A round now, then one every interval.
  void Start();
  // The labels changed here: a round within seconds (none for the change a
  // round itself made).
  void LocalChanged();
  bool Busy() const { return busy_; }

  QDateTime LastSuccess() const { return lastSuccess_; }
  QString LastError() const { return lastError_; }
  bool Failing() const { return failing_; }
  // Events whose text Shift-JIS cannot hold, and the characters changed.
  int ChangedChars() const { return changedChars_; }

 signals:
  void RoundDone();
  // Once per outage: the first failure after a success (or the start).
  void Outage(const QString& error);

 private:
  void Round();
  void List(bool withToken);
  void ListByPropfind();
  void Fetch();
  void FetchBatch();
  void PlanAndApply();
  void NextWrite();
  // What the answer to a write means: `record` it in the mapping when done,
  // read again when the server changed meanwhile, fail otherwise; then the
  // next write.
  void Written(const caldav::HttpReply& reply, bool isDelete, const std::function<void()>& record);
  void Fail(const QString& error);
  void Finish();
  void Send(const QByteArray& verb, const QString& path, QList<QPair<QByteArray, QByteArray>> headers,
            QByteArray body, std::function<void(const caldav::HttpReply&)> done);
  void SaveMapping();

  caldav::Net& net_;
  CalDavAccount account_;
  Host host_;
  QString collectionPath_;
  QTimer every_, soon_;
  bool busy_ = false, again_ = false, applying_ = false, failing_ = false, told_ = false;
  QDateTime lastSuccess_;
  QString lastError_;
  int changedChars_ = 0;
  // The round in progress.
  CalMapping mapping_;
  std::string newToken_;
  std::vector<CalListed> listing_;
  QStringList toFetch_;
  std::vector<CalFetched> fetched_;
  std::vector<CalPut> puts_;
  std::vector<CalDelete> deletes_;
};

}  // namespace morna::ui
