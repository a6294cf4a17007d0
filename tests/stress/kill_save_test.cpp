// A child process saves a large label table over and over, alternating two
// versions; it is killed with SIGKILL at random moments. After every kill
// the data file must be exactly one of the two versions, never a mix, a
// shortened file or nothing. Bounded by a number of kills and a time limit.
//
// kill_save_test [kills] [seconds]   (default 300 kills, at most 30 s)
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <thread>

#include "core/datafile.h"
#include "core/files.h"
#include "core/platform.h"

namespace {

using namespace morna;

// 50 labels of 20 lines each, `tag` in every line, so the two versions
// differ everywhere and in length.
PostTable BigTable(const std::string& tag) {
  PostTable t(50);
  for (int i = 0; i < 50; ++i) {
    char when[32];
    std::snprintf(when, sizeof when, "2030/%02d/%02d 09:%02d", i % 12 + 1, i % 28 + 1, i);
    t.Slot(i).DateTimeText = when;
    for (int k = 0; k < 20; ++k)
      t.Slot(i).Lines.push_back(tag + std::string(100 + 7 * k, static_cast<char>('a' + k)));
  }
  return t;
}

}  // namespace

int main(int argc, char** argv) {
  const int maxKills = argc > 1 ? std::atoi(argv[1]) : 300;
  const int maxSeconds = argc > 2 ? std::atoi(argv[2]) : 30;
  namespace fs = std::filesystem;

  std::random_device rd;
  std::mt19937 rng(rd());
  const fs::path dir = fs::temp_directory_path() / ("morna_kill_" + std::to_string(rng()));
  fs::create_directory(dir);
  const std::string path = (dir / "Dpstitdt.dat").string();
  const std::string versions[2] = {FormatPostData(BigTable("old ")), FormatPostData(BigTable("new!"))};

  if (const FileResult first = SaveWholeFile(path, versions[0]); !first.ok()) {
    std::fprintf(stderr, "first save failed: %s\n", first.systemMessage.c_str());
    return 1;
  }

  const auto start = std::chrono::steady_clock::now();
  const auto limit = start + std::chrono::seconds(maxSeconds);
  int kills = 0, failures = 0, oldSeen = 0, newSeen = 0;
  std::uniform_int_distribution<int> delayUs(0, 20000);
  while (kills < maxKills && std::chrono::steady_clock::now() < limit) {
    const pid_t child = ::fork();
    if (child < 0) {
      std::perror("fork");
      return 1;
    }
    if (child == 0) {
      for (unsigned n = 1;; ++n) SaveWholeFile(path, versions[n % 2]);
    }
    std::this_thread::sleep_for(std::chrono::microseconds(delayUs(rng)));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ++kills;

    std::string now;
    const platform::ReadResult read = platform::ReadRegularFile(path, now);
    if (read.error == 0 && now == versions[0]) {
      ++oldSeen;
    } else if (read.error == 0 && now == versions[1]) {
      ++newSeen;
    } else {
      ++failures;
      std::fprintf(stderr, "kill %d: the file is neither version (%zu bytes, error %d)\n", kills,
                   now.size(), read.error);
    }
  }

  // A killed save leaves its temporary file behind; it never stands in the
  // way of the next save, and once it is out of save time the next save
  // removes it.
  auto countLeftovers = [&dir] {
    int n = 0;
    for (const auto& entry : fs::directory_iterator(dir))
      if (TemporaryOwner(entry.path().filename().string(), "Dpstitdt.dat") != 0) ++n;
    return n;
  };
  const int leftovers = countLeftovers();
  for (const auto& entry : fs::directory_iterator(dir))
    fs::last_write_time(entry.path(), fs::file_time_type::clock::now() - std::chrono::hours(1));
  if (const FileResult last = SaveWholeFile(path, versions[0]); !last.ok()) {
    std::fprintf(stderr, "save after the kills failed: %s\n", last.systemMessage.c_str());
    ++failures;
  }
  if (const int left = countLeftovers(); left != 0) {
    std::fprintf(stderr, "%d temporary files still there after the next save\n", left);
    ++failures;
  }
  fs::remove_all(dir);

  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("kills: %d in %.1f s; file found old %d, new %d; neither: %d; "
              "temporary files left by killed saves: %d\n",
              kills, seconds, oldSeen, newSeen, failures, leftovers);
  return failures == 0 && kills > 0 ? 0 : 1;
}
