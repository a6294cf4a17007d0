// The XML of a calendar server (WebDAV, CalDAV): the request bodies the
// program sends, and the multistatus answers of PROPFIND and REPORT read
// into plain data.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace morna::ui {

// One <response> of a multistatus answer, with the properties found (those
// in a propstat whose status is not 2xx are left out).
struct DavResponse {
  QString href;          // the path, percent-decoded
  int status = 200;      // the response's own status (404: a member gone, in a sync report)
  QString etag;
  QByteArray calendarData;
  bool isCollection = false;
  bool isCalendar = false;
  QString displayName;
  QString principal;     // current-user-principal's href
  QString calendarHome;  // calendar-home-set's href
  QStringList components;  // supported-calendar-component-set: "VEVENT", "VTODO"
  QString syncToken;     // the collection's DAV:sync-token property
};

struct Multistatus {
  bool ok = false;
  QString error;  // why the answer could not be read
  QList<DavResponse> responses;
  QString syncToken;  // the report's own token (sync-collection)
};

Multistatus ParseMultistatus(const QByteArray& xml);

// The path of an href as the mapping keeps it: percent-decoded, without
// scheme and host.
QString HrefPath(const QString& href);

// Bodies of the requests.
QByteArray PropfindPrincipalBody();    // current-user-principal, calendar-home-set, resourcetype
QByteArray PropfindCalendarsBody();    // resourcetype, displayname, supported components
QByteArray PropfindEtagsBody();        // getetag, resourcetype, sync-token
QByteArray SyncCollectionBody(const QString& token);
QByteArray MultigetBody(const QStringList& paths);  // calendar-data and getetag of each

}  // namespace morna::ui
