#include "ui/davxml.h"

#include <QUrl>
#include <functional>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace morna::ui {

namespace {

const QString kDav = QStringLiteral("DAV:");
const QString kCalDav = QStringLiteral("urn:ietf:params:xml:ns:caldav");

// "HTTP/1.1 404 Not Found" -> 404; 0 when unreadable.
int StatusOf(const QString& line) {
  const QStringList parts = line.simplified().split(QLatin1Char(' '));
  return parts.size() >= 2 ? parts[1].toInt() : 0;
}

bool Is(const QXmlStreamReader& r, const QString& ns, const char* name) {
  return r.namespaceUri() == ns && r.name() == QLatin1String(name);
}

// The text of the current element's first <href> child (the element is left).
QString ChildHref(QXmlStreamReader& r) {
  QString href;
  while (r.readNextStartElement()) {
    if (Is(r, kDav, "href") && href.isEmpty()) href = HrefPath(r.readElementText());
    else r.skipCurrentElement();
  }
  return href;
}

struct Props {
  DavResponse values;
  int status = 200;
};

void ReadProp(QXmlStreamReader& r, DavResponse& into) {
  while (r.readNextStartElement()) {
    if (Is(r, kDav, "getetag")) {
      into.etag = r.readElementText().trimmed();
    } else if (Is(r, kCalDav, "calendar-data")) {
      into.calendarData = r.readElementText().toUtf8();
    } else if (Is(r, kDav, "displayname")) {
      into.displayName = r.readElementText().trimmed();
    } else if (Is(r, kDav, "sync-token")) {
      into.syncToken = r.readElementText().trimmed();
    } else if (Is(r, kDav, "current-user-principal")) {
      into.principal = ChildHref(r);
    } else if (Is(r, kCalDav, "calendar-home-set")) {
      into.calendarHome = ChildHref(r);
    } else if (Is(r, kDav, "resourcetype")) {
      while (r.readNextStartElement()) {
        if (Is(r, kDav, "collection")) into.isCollection = true;
        if (Is(r, kCalDav, "calendar")) into.isCalendar = true;
        r.skipCurrentElement();
      }
    } else if (Is(r, kCalDav, "supported-calendar-component-set")) {
      while (r.readNextStartElement()) {
        if (Is(r, kCalDav, "comp")) into.components << r.attributes().value(QStringLiteral("name")).toString();
        r.skipCurrentElement();
      }
    } else {
      r.skipCurrentElement();
    }
  }
}

void Take(DavResponse& into, const DavResponse& from) {
  if (!from.etag.isEmpty()) into.etag = from.etag;
  if (!from.calendarData.isEmpty()) into.calendarData = from.calendarData;
  if (!from.displayName.isEmpty()) into.displayName = from.displayName;
  if (!from.syncToken.isEmpty()) into.syncToken = from.syncToken;
  if (!from.principal.isEmpty()) into.principal = from.principal;
  if (!from.calendarHome.isEmpty()) into.calendarHome = from.calendarHome;
  into.isCollection = into.isCollection || from.isCollection;
  into.isCalendar = into.isCalendar || from.isCalendar;
  into.components << from.components;
}

DavResponse ReadResponse(QXmlStreamReader& r) {
  DavResponse out;
  while (r.readNextStartElement()) {
    if (Is(r, kDav, "href")) {
      if (out.href.isEmpty()) out.href = HrefPath(r.readElementText());
      else r.skipCurrentElement();
    } else if (Is(r, kDav, "status")) {
      out.status = StatusOf(r.readElementText());
    } else if (Is(r, kDav, "propstat")) {
      DavResponse props;
      int status = 200;
      while (r.readNextStartElement()) {
        if (Is(r, kDav, "prop")) ReadProp(r, props);
        else if (Is(r, kDav, "status")) status = StatusOf(r.readElementText());
        else r.skipCurrentElement();
      }
      if (status >= 200 && status < 300) Take(out, props);
    } else {
      r.skipCurrentElement();
    }
  }
  return out;
}

QByteArray Body(const std::function<void(QXmlStreamWriter&)>& fill, const char* root,
                const char* rootNs) {
  QByteArray out;
  QXmlStreamWriter w(&out);
  w.writeStartDocument();
  w.writeNamespace(kDav, QStringLiteral("d"));
  w.writeNamespace(kCalDav, QStringLiteral("c"));
  w.writeStartElement(QLatin1String(rootNs), QLatin1String(root));
  fill(w);
  w.writeEndElement();
  w.writeEndDocument();
  return out;
}

void Prop(QXmlStreamWriter& w, std::initializer_list<std::pair<const QString*, const char*>> names) {
  w.writeStartElement(kDav, QStringLiteral("prop"));
  for (const auto& [ns, name] : names) w.writeEmptyElement(*ns, QLatin1String(name));
  w.writeEndElement();
}

}  // namespace

QString HrefPath(const QString& href) {
  const QUrl url(href.trimmed());
  return url.path(QUrl::FullyDecoded);
}

Multistatus ParseMultistatus(const QByteArray& xml) {
  Multistatus out;
  QXmlStreamReader r(xml);
  if (!r.readNextStartElement() || !Is(r, kDav, "multistatus")) {
    out.error = r.hasError() ? r.errorString() : QStringLiteral("no multistatus");
    return out;
  }
  while (r.readNextStartElement()) {
    if (Is(r, kDav, "response")) out.responses << ReadResponse(r);
    else if (Is(r, kDav, "sync-token")) out.syncToken = r.readElementText().trimmed();
    else r.skipCurrentElement();
  }
  if (r.hasError()) {
    out.error = r.errorString();
    return out;
  }
  out.ok = true;
  return out;
}

QByteArray PropfindPrincipalBody() {
  return Body([](QXmlStreamWriter& w) {
    Prop(w, {{&kDav, "current-user-principal"}, {&kCalDav, "calendar-home-set"}, {&kDav, "resourcetype"}});
  }, "propfind", "DAV:");
}

QByteArray PropfindCalendarsBody() {
  return Body([](QXmlStreamWriter& w) {
    Prop(w, {{&kDav, "resourcetype"}, {&kDav, "displayname"},
             {&kCalDav, "supported-calendar-component-set"}});
  }, "propfind", "DAV:");
}

QByteArray PropfindEtagsBody() {
  return Body([](QXmlStreamWriter& w) {
    Prop(w, {{&kDav, "getetag"}, {&kDav, "resourcetype"}, {&kDav, "sync-token"}});
  }, "propfind", "DAV:");
}

QByteArray SyncCollectionBody(const QString& token) {
  return Body([&](QXmlStreamWriter& w) {
    w.writeTextElement(kDav, QStringLiteral("sync-token"), token);
    w.writeTextElement(kDav, QStringLiteral("sync-level"), QStringLiteral("1"));
    Prop(w, {{&kDav, "getetag"}});
  }, "sync-collection", "DAV:");
}

QByteArray MultigetBody(const QStringList& paths) {
  return Body([&](QXmlStreamWriter& w) {
    Prop(w, {{&kDav, "getetag"}, {&kCalDav, "calendar-data"}});
    for (const QString& p : paths) {
      QUrl u;
      u.setPath(p, QUrl::DecodedMode);
      w.writeTextElement(kDav, QStringLiteral("href"), QString::fromUtf8(u.toEncoded()));
    }
  }, "calendar-multiget", "urn:ietf:params:xml:ns:caldav");
}

}  // namespace morna::ui
