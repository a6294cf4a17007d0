#include "ui/sysinfo.h"

#include <QSysInfo>

#include "core/initform.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <pwd.h>
#include <unistd.h>

#include <QFile>
#endif

namespace morna::ui {

#ifdef _WIN32

SystemInfo ReadSystemInfo() {
  SystemInfo info;
  OSVERSIONINFOA v{};
  v.dwOSVersionInfoSize = sizeof v;
  if (GetVersionExA(&v)) {
    if (const auto line = WindowsVersionLine(static_cast<int>(v.dwPlatformId),
                                             static_cast<int>(v.dwMajorVersion),
                                             static_cast<int>(v.dwMinorVersion),
                                             static_cast<int>(v.dwBuildNumber), v.szCSDVersion))
      info.os = QString::fromLocal8Bit(line->c_str());
  }
  wchar_t name[256];
  DWORD size = 255;
  if (GetUserNameW(name, &size)) info.user = QString::fromWCharArray(name);
  SYSTEM_INFO si;
  GetSystemInfo(&si);
  if (const auto text = WindowsProcessorText(static_cast<int>(si.dwProcessorType)))
    info.processor = QString::fromLatin1(text->c_str());
  MEMORYSTATUSEX m{};
  m.dwLength = sizeof m;
  if (GlobalMemoryStatusEx(&m)) info.memoryBytes = m.ullTotalPhys;
  return info;
}

#else

namespace {

// The processor's model as the kernel names it, else its architecture.
QString ProcessorName() {
  QFile cpuinfo(QStringLiteral("/proc/cpuinfo"));
  if (cpuinfo.open(QIODevice::ReadOnly | QIODevice::Text)) {
    while (!cpuinfo.atEnd()) {
      const QByteArray line = cpuinfo.readLine();
      if (line.startsWith("model name")) {
        const qsizetype colon = line.indexOf(':');
        if (colon >= 0) return QString::fromUtf8(line.mid(colon + 1)).simplified();
      }
    }
  }
  return QSysInfo::currentCpuArchitecture();
}

QString UserName() {
  if (const passwd* pw = getpwuid(geteuid())) return QString::fromLocal8Bit(pw->pw_name);
  return qEnvironmentVariable("USER");
}

}  // namespace

SystemInfo ReadSystemInfo() {
  SystemInfo info;
  info.os = QSysInfo::prettyProductName() + QStringLiteral(" ") + QSysInfo::kernelVersion();
  info.user = UserName();
  info.processor = ProcessorName();
  const long pages = sysconf(_SC_PHYS_PAGES);
  const long pageSize = sysconf(_SC_PAGESIZE);
  if (pages > 0 && pageSize > 0)
    info.memoryBytes = static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize);
  return info;
}

#endif

}  // namespace morna::ui
