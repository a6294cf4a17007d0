// The calendar server module from the command line, for the end-to-end
// tests: stores a password in the secret store as the settings page does,
// and lists the calendars an account finds.
//   caldav_tool store USER COLLECTION   (the password on standard input)
//   caldav_tool find ADDRESS USER       (the password on standard input)
#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>
#include <iostream>
#include <string>

#include "ui/caldav.h"

using namespace morna;

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() != 4) {
    std::fprintf(stderr, "usage: caldav_tool store USER COLLECTION | find ADDRESS USER\n");
    return 2;
  }
  std::string line;
  std::getline(std::cin, line);
  const QString password = QString::fromStdString(line);
  ui::CalDavModule module = ui::LoadCalDavModule();
  if (!module.net) {
    std::fprintf(stderr, "%s\n", qPrintable(module.error));
    return 1;
  }
  int status = 1;
  if (args[1] == QLatin1String("store")) {
    module.net->WriteSecret(ui::CalDavSecretKey(args[2], args[3]), password,
                            [&](const caldav::SecretResult& r) {
                              if (r.status != caldav::SecretStatus::Ok)
                                std::fprintf(stderr, "%d %s\n", static_cast<int>(r.status), qPrintable(r.error));
                              status = r.status == caldav::SecretStatus::Ok ? 0 : 1;
                              app.quit();
                            });
  } else {
    ui::FindCalendars(*module.net, QUrl(args[2]), args[3], password, [&](const ui::CalDavFound& f) {
      if (!f.error.isEmpty()) std::fprintf(stderr, "%s\n", qPrintable(f.error));
      for (const auto& [url, name] : f.calendars)
        std::printf("%s\t%s\n", qPrintable(url), qPrintable(name));
      status = f.error.isEmpty() ? 0 : 1;
      app.quit();
    });
  }
  app.exec();
  return status;
}
