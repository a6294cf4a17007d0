// Start-up benchmark: starts the Qt floor programs and Moranote alternately
// under the current X display, each time in a fresh folder, and measures the
// time from the start of the process to the mapping of its "Moranote"
// window and the resident memory at that moment. Prints the medians and each
// start's ratios against its floor, and fails when a start of Moranote (whose
// settings have calendar-server sync off) has loaded the network module or
// libical. Moranote with no files is set against the floor window with a
// line of text (and against the registration window's widget tree with no
// program code), Moranote with 50 labels and the four fixed alarms against
// that window plus 53 frameless two-line windows (and against the
// registration window's tree plus 53 such windows in the label windows'
// fonts).
//
// When xpad (GTK sticky notes) is installed, it is started in the same run
// with 1 and with 50 notes, and Moranote's ratios against it are printed.
//
//   startup_bench <Morna> <floor program> [runs]
//   startup_bench --prepare <folder> <Morna> <floor program>
//
// Each program is ended through its window's close box (WM_DELETE_WINDOW),
// so Moranote leaves its files alone.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

struct Sample {
  double ms = 0;
  double rssMiB = 0;
  bool network = false;  // the toolkit's network module is loaded
  bool ical = false;     // libical is loaded
};

struct Display {
  xcb_connection_t* c = nullptr;
  xcb_window_t root = 0;
  xcb_atom_t protocols = 0, deleteWindow = 0;
};

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
  xcb_intern_atom_reply_t* r =
      xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name),
                            nullptr);
  const xcb_atom_t a = r ? r->atom : 0;
  std::free(r);
  return a;
}

std::string WindowName(const Display& d, xcb_window_t w) {
  xcb_get_property_reply_t* r = xcb_get_property_reply(
      d.c, xcb_get_property(d.c, 0, w, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 256),
      nullptr);
  std::string name;
  if (r) {
    name.assign(static_cast<const char*>(xcb_get_property_value(r)),
                static_cast<std::size_t>(xcb_get_property_value_length(r)));
    std::free(r);
  }
  return name;
}

// The notification-area icon's own window may carry the program's name too;
// it is no bigger than an icon.
bool IsIconSized(const Display& d, xcb_window_t w) {
  xcb_get_geometry_reply_t* g =
      xcb_get_geometry_reply(d.c, xcb_get_geometry(d.c, w), nullptr);
  const bool small = g && g->width <= 64 && g->height <= 64;
  std::free(g);
  return small;
}

double ResidentMiB(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) {
      std::istringstream in(line.substr(6));
      double kb = 0;
      in >> kb;
      return kb / 1024.0;
    }
  }
  return 0;
}

bool MapsLibrary(pid_t pid, const char* name) {
  std::ifstream maps("/proc/" + std::to_string(pid) + "/maps");
  std::string line;
  while (std::getline(maps, line))
    if (line.find(name) != std::string::npos) return true;
  return false;
}

void CloseWindow(const Display& d, xcb_window_t w) {
  xcb_client_message_event_t ev{};
  ev.response_type = XCB_CLIENT_MESSAGE;
  ev.format = 32;
  ev.window = w;
  ev.type = d.protocols;
  ev.data.data32[0] = d.deleteWindow;
  ev.data.data32[1] = XCB_CURRENT_TIME;
  xcb_send_event(d.c, 0, w, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&ev));
  xcb_flush(d.c);
}

// Starts `program` in `folder` and waits for its window named "Moranote".
// A start of another notes program: `home` its configuration's folder, and
// the start is over when `count` windows whose names begin with `prefix`
// are mapped. The program is ended with SIGTERM.
struct Peer {
  fs::path home;
  std::string prefix;
  int count = 0;
};

Sample Run(const Display& d, const fs::path& program, const fs::path& folder,
           std::vector<const char*> args, const Peer* peer = nullptr) {
  args.insert(args.begin(), program.c_str());
  args.push_back(nullptr);
  const auto t0 = Clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    if (chdir(folder.c_str()) != 0) _exit(127);
    if (peer) {
      setenv("HOME", peer->home.c_str(), 1);
      setenv("XDG_CONFIG_HOME", (peer->home / ".config").c_str(), 1);
    }
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    dup2(null, 2);
    execv(program.c_str(), const_cast<char* const*>(args.data()));
    _exit(127);
  }
  Sample s;
  xcb_window_t window = 0;
  int mapped = 0;
  const int fd = xcb_get_file_descriptor(d.c);
  while (window == 0) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 20000) <= 0) {
      std::fprintf(stderr, "no window from %s\n", program.c_str());
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
      std::exit(1);
    }
    while (xcb_generic_event_t* e = xcb_poll_for_event(d.c)) {
      if ((e->response_type & 0x7F) == XCB_MAP_NOTIFY && window == 0) {
        const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(e);
        const std::string name = WindowName(d, map->window);
        const bool last = peer ? name.rfind(peer->prefix, 0) == 0 && ++mapped == peer->count
                               : name == "Moranote" && !IsIconSized(d, map->window);
        if (last) {
          s.ms = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
          s.rssMiB = ResidentMiB(pid);
          s.network = MapsLibrary(pid, "libQt6Network");
          s.ical = MapsLibrary(pid, "libical");
          window = map->window;
        }
      }
      std::free(e);
    }
  }
  if (peer) kill(pid, SIGTERM);
  else CloseWindow(d, window);
  for (int i = 0; i < 200; ++i) {
    if (waitpid(pid, nullptr, WNOHANG) == pid) return s;
    usleep(10000);
  }
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
  return s;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

// A folder with the program beside its settings file, like a copy a user
// unpacked somewhere.
fs::path Prepare(const fs::path& base, const std::string& name, const fs::path& program,
                 const std::string& ini, const std::string& data) {
  const fs::path dir = base / name;
  fs::create_directories(dir);
  const fs::path exe = dir / program.filename();
  fs::copy_file(program, exe, fs::copy_options::overwrite_existing);
  if (!ini.empty()) std::ofstream(dir / (program.stem().string() + ".ini"), std::ios::binary) << ini;
  if (!data.empty()) std::ofstream(dir / "Dpstitdt.dat", std::ios::binary) << data;
  return dir;
}

// The configuration of xpad (the sticky notes of GTK) with `n` notes the
// size of label windows, each "Label k" over "second line", tiled like them;
// written afresh before each start, as the program rewrites it.
Peer PrepareXpad(const fs::path& base, const std::string& name, int n) {
  const fs::path home = base / name;
  const fs::path dir = home / ".config" / "xpad";
  fs::remove_all(home);
  fs::create_directories(dir);
  for (int i = 0; i < n; ++i) {
    const std::string id = std::to_string(100000 + i);
    std::ofstream(dir / ("content-" + id)) << "Label " << i + 1 << "\nsecond line";
    std::ofstream(dir / ("info-" + id))
        << "width 130\nheight 36\nx " << 892 - 134 * (i / 16) << "\ny " << 40 * (i % 16)
        << "\nfollow_font 1\nfollow_color 1\nsticky 0\nhidden 0\ncontent content-" << id << "\n";
  }
  return Peer{home, "Label ", n};
}

// The program named `name` where the shell would find it; empty if none.
fs::path InPath(const char* name) {
  const char* path = std::getenv("PATH");
  std::istringstream dirs(path ? path : "");
  std::string dir;
  while (std::getline(dirs, dir, ':'))
    if (!dir.empty() && access((fs::path(dir) / name).c_str(), X_OK) == 0) return fs::path(dir) / name;
  return {};
}

std::string FiftyLabels() {
  std::string out;
  for (int i = 0; i < 50; ++i) {
    char line[64];
    std::snprintf(line, sizeof line, "Time=2090/%02d/%02d %02d:%02d\r\n", i / 28 + 1, i % 28 + 1,
                  8 + i % 10, (i * 7) % 60);
    out += line;
    out += "Memo=Label " + std::to_string(i + 1) + "\r\nMemo=second line\r\n";
  }
  return out;
}

// Settings with 50 labels in the table and the four fixed alarms on.
std::string FullIni() {
  return "[FILE]\r\nDataCnt=50\r\n[ALARM]\r\nDailyAlarm=1\r\nDATime=07:00\r\nWeeklyAlarm=1\r\n"
         "WeeklyAlarmW=2\r\nWeeklyAlarmT=07:30\r\nMonthlyAlarm1=1\r\nMonthlyAlarmDay=25\r\n"
         "MonthlyAlarmT1=12:00\r\nMonthlyAlarm2=1\r\nMonthlyAlarmWeek=2\r\nMonthlyAlarmW=6\r\n"
         "MonthlyAlarmT2=18:00\r\n";
}

}  // namespace

int main(int argc, char** argv) {
  // --prepare <folder> <Morna> <floor program>: only makes the folders the
  // benchmark starts the programs in (floor, empty, full) under <folder>,
  // for measuring the same starts with other tools.
  if (argc == 5 && std::strcmp(argv[1], "--prepare") == 0) {
    const fs::path base = fs::absolute(argv[2]);
    Prepare(base, "floor", fs::absolute(argv[4]), "", "");
    Prepare(base, "empty", fs::absolute(argv[3]), "", "");
    Prepare(base, "full", fs::absolute(argv[3]), FullIni(), FiftyLabels());
    return 0;
  }
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s <Morna> <floor program> [runs]\n", argv[0]);
    return 2;
  }
  const fs::path morna = fs::absolute(argv[1]);
  const fs::path floor = fs::absolute(argv[2]);
  const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 21;

  Display d;
  d.c = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(d.c)) {
    std::fprintf(stderr, "no X display (DISPLAY is not set or not reachable)\n");
    return 2;
  }
  d.root = xcb_setup_roots_iterator(xcb_get_setup(d.c)).data->root;
  const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_change_window_attributes(d.c, d.root, XCB_CW_EVENT_MASK, &mask);
  d.protocols = Atom(d.c, "WM_PROTOCOLS");
  d.deleteWindow = Atom(d.c, "WM_DELETE_WINDOW");
  xcb_flush(d.c);

  char tmpl[] = "/tmp/morna-bench.XXXXXX";
  const fs::path base = mkdtemp(tmpl);
  const std::string fullIni = FullIni();
  struct Case {
    const char* name;
    fs::path dir;
    fs::path exe;
    std::vector<const char*> args;
    int floor;  // the case this one is measured against
    std::vector<double> ms, mib;
    bool network = false, ical = false;
  };
  const fs::path floorDir = Prepare(base, "floor", floor, "", "");
  std::vector<Case> cases = {
      {"(a) Qt floor", floorDir, floor.filename(), {}, 0, {}, {}},
      {"(b) Qt floor with a line of text", floorDir, floor.filename(), {"--text"}, 0, {}, {}},
      {"(c) (b) + 53 two-line windows", floorDir, floor.filename(), {"--labels", "53"}, 1, {}, {}},
      {"(d) the registration window's controls", floorDir, floor.filename(), {"--form"}, 1, {}, {}},
      {"(e) (d) + 53 windows in the labels' fonts", floorDir, floor.filename(),
       {"--form", "--labels", "53"}, 3, {}, {}},
      {"Moranote, no files", Prepare(base, "empty", morna, "", ""), morna.filename(), {}, 1, {}, {}},
      {"Moranote, 50 labels + 4 alarm windows",
       Prepare(base, "full", morna, fullIni, FiftyLabels()), morna.filename(), {}, 2, {}, {}},
  };
  // A peer users would pick instead, measured in the same run when installed.
  const fs::path xpad = InPath("xpad");
  struct PeerCase {
    const char* name;
    int notes;
    std::vector<double> ms, mib;
  };
  std::vector<PeerCase> peers;
  if (xpad.empty()) std::printf("xpad is not installed: the peer is not measured\n");
  else peers = {{"xpad, 1 note", 1, {}, {}}, {"xpad, 50 notes", 50, {}, {}}};
  auto runPeer = [&](PeerCase& p) {
    const Peer peer = PrepareXpad(base, "xpad" + std::to_string(p.notes), p.notes);
    return Run(d, xpad, base, {}, &peer);
  };
  // One start of each first, unmeasured: file caches and font caches warm.
  for (Case& c : cases) Run(d, c.dir / c.exe, c.dir, c.args);
  for (PeerCase& p : peers) runPeer(p);
  for (int i = 0; i < runs; ++i) {
    for (Case& c : cases) {
      const Sample s = Run(d, c.dir / c.exe, c.dir, c.args);
      c.ms.push_back(s.ms);
      c.mib.push_back(s.rssMiB);
      c.network = c.network || s.network;
      c.ical = c.ical || s.ical;
    }
    for (PeerCase& p : peers) {
      const Sample s = runPeer(p);
      p.ms.push_back(s.ms);
      p.mib.push_back(s.rssMiB);
    }
  }
  std::printf("start-up, median of %d starts each (alternating)\n", runs);
  std::printf("%-40s %10s %8s %12s %8s  %s\n", "start", "time", "ratio", "resident", "ratio",
              "against");
  for (const Case& c : cases) {
    const Case& f = cases[static_cast<std::size_t>(c.floor)];
    const double ms = Median(c.ms), mib = Median(c.mib);
    const std::string against = &f == &c ? "-" : std::string(f.name).substr(0, 3);
    std::printf("%-40s %7.1f ms %7.2fx %8.1f MiB %7.2fx  %s\n", c.name, ms, ms / Median(f.ms),
                mib, mib / Median(f.mib), against.c_str());
  }
  // Moranote against the floors of its own windows as well: no files against
  // the registration window's tree, the labels against that tree and label
  // windows in the same fonts.
  auto against = [&](std::size_t morna, std::size_t floor, const char* letter) {
    const Case& m = cases[morna];
    const Case& f = cases[floor];
    std::printf("%-40s %7.1f ms %7.2fx %8.1f MiB %7.2fx  %s\n", m.name, Median(m.ms),
                Median(m.ms) / Median(f.ms), Median(m.mib), Median(m.mib) / Median(f.mib), letter);
  };
  against(5, 3, "(d)");
  against(6, 4, "(e)");
  // Moranote against the peer: no files against one note, 50 labels and
  // the alarms against 50 notes.
  for (std::size_t i = 0; i < peers.size(); ++i) {
    const PeerCase& p = peers[i];
    const Case& m = cases[i == 0 ? 5 : 6];
    std::printf("%-40s %7.1f ms %8s %8.1f MiB\n", p.name, Median(p.ms), "", Median(p.mib));
    std::printf("%-40s %7.2fx %11s %7.2fx\n", (std::string("  Moranote / ") + p.name).c_str(),
                Median(m.ms) / Median(p.ms), "", Median(m.mib) / Median(p.mib));
  }
  // With sync off nothing of the network may be on the start's path, nor
  // the calendar library, which only imports, exports and sync use.
  bool loaded = false;
  for (const Case& c : cases) {
    if (c.exe != morna.filename()) continue;
    std::printf("%-40s network module loaded: %s, libical loaded: %s\n", c.name,
                c.network ? "YES" : "no", c.ical ? "YES" : "no");
    loaded = loaded || c.network || c.ical;
  }
  fs::remove_all(base);
  xcb_disconnect(d.c);
  return loaded ? 1 : 0;
}
