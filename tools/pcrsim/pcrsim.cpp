// Receiver simulator: opens a pseudo-terminal and answers the receiver's
// command set on it like the real receiver in polled mode. Prints the
// terminal's path as its first line of output; every command it receives
// is logged with a millisecond time stamp.

#include "receiver_model.h"

#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <deque>
#include <fstream>
#include <map>
#include <string>
#include <utility>

namespace {

volatile std::sig_atomic_t g_stop = 0;
void onSignal(int) { g_stop = 1; }

void usage() {
  std::fputs(
      "usage: pcrsim [options]\n"
      "  --link PATH          make PATH a symbolic link to the terminal (removed on exit)\n"
      "  --log FILE           append every received command with a time stamp (ms since 1970)\n"
      "  --station MHZ:KHZ:S  a station: centre, width, strength 0..255 (repeatable;\n"
      "                       replaces the default band)\n"
      "  --stations FILE      stations from a file, one MHZ:KHZ:S a line, # comments\n"
      "  --no-stations        an empty band\n"
      "  --open-digit D       squelch-open digit of the I0 reply (default 7; closed is 4)\n"
      "  --plain              replies without the leading line feed\n"
      "  --drop SHARE         share 0..1 of replies that are never sent\n"
      "  --garble SHARE       share 0..1 of replies with one character spoiled\n"
      "  --stray              stray bytes before replies\n"
      "  --answer CMD=TEXT    answer CMD with TEXT (framed as usual)\n"
      "  --delay CMD=MS       answer CMD MS milliseconds late (later replies queue behind)\n"
      "  --seed N             seed for --drop, --garble and --stray\n",
      stderr);
}

double nowMs() {
  timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);
  return ts.tv_sec * 1000.0 + ts.tv_nsec / 1e6;
}

bool readStationFile(const char* path, std::vector<pcrsim::Station>& stations) {
  std::ifstream in(path);
  if (!in) return false;
  std::string line;
  while (std::getline(in, line)) {
    const auto hash = line.find('#');
    if (hash != std::string::npos) line.erase(hash);
    line.erase(0, line.find_first_not_of(" \t\r"));
    line.erase(line.find_last_not_of(" \t\r") + 1);
    if (line.empty()) continue;
    pcrsim::Station s;
    if (!pcrsim::parseStation(line, s)) return false;
    stations.push_back(s);
  }
  return true;
}

bool writeAll(int fd, const std::string& data) {
  size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = write(fd, data.data() + done, data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  pcrsim::Options options;
  bool stationsGiven = false;
  std::string link, logPath;
  std::map<std::string, double> delays;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    const auto next = [&]() -> const char* {
      if (i + 1 >= argc) {
        usage();
        std::exit(2);
      }
      return argv[++i];
    };
    if (a == "--help" || a == "-h") {
      usage();
      return 0;
    } else if (a == "--link") {
      link = next();
    } else if (a == "--log") {
      logPath = next();
    } else if (a == "--station") {
      pcrsim::Station s;
      if (!pcrsim::parseStation(next(), s)) {
        std::fprintf(stderr, "pcrsim: bad station %s\n", argv[i]);
        return 2;
      }
      options.stations.push_back(s);
      stationsGiven = true;
    } else if (a == "--stations") {
      if (!readStationFile(next(), options.stations)) {
        std::fprintf(stderr, "pcrsim: cannot read stations from %s\n", argv[i]);
        return 2;
      }
      stationsGiven = true;
    } else if (a == "--no-stations") {
      stationsGiven = true;
    } else if (a == "--open-digit") {
      const char* d = next();
      if (std::strlen(d) != 1) {
        usage();
        return 2;
      }
      options.openDigit = d[0];
    } else if (a == "--plain") {
      options.leadingLineFeed = false;
    } else if (a == "--drop") {
      options.dropShare = std::atof(next());
    } else if (a == "--garble") {
      options.garbleShare = std::atof(next());
    } else if (a == "--stray") {
      options.strayBytes = true;
    } else if (a == "--answer") {
      const std::string given = next();
      const auto eq = given.find('=');
      if (eq == std::string::npos || eq == 0) {
        usage();
        return 2;
      }
      options.answers.emplace_back(given.substr(0, eq), given.substr(eq + 1));
    } else if (a == "--delay") {
      const std::string given = next();
      const auto eq = given.find('=');
      char* end = nullptr;
      const double ms = eq == std::string::npos ? -1 : std::strtod(given.c_str() + eq + 1, &end);
      if (eq == std::string::npos || eq == 0 || ms < 0 || *end != '\0') {
        usage();
        return 2;
      }
      delays[given.substr(0, eq)] = ms;
    } else if (a == "--seed") {
      options.seed = static_cast<unsigned>(std::strtoul(next(), nullptr, 10));
    } else {
      usage();
      return 2;
    }
  }
  if (!stationsGiven) options.stations = pcrsim::defaultStations();

  int master = -1, slave = -1;
  char name[256] = {};
  if (openpty(&master, &slave, name, nullptr, nullptr) != 0) {
    std::perror("pcrsim: openpty");
    return 1;
  }
  // Raw line, no echo: a program that opens the terminal sees only the
  // receiver's answers. Holding the slave side open keeps the terminal
  // alive between the program's opening and closing of the port.
  termios tio{};
  tcgetattr(slave, &tio);
  cfmakeraw(&tio);
  cfsetispeed(&tio, B9600);
  cfsetospeed(&tio, B9600);
  tcsetattr(slave, TCSANOW, &tio);

  std::signal(SIGTERM, onSignal);
  std::signal(SIGINT, onSignal);
  std::signal(SIGHUP, onSignal);
  std::signal(SIGPIPE, SIG_IGN);

  if (!link.empty()) {
    unlink(link.c_str());
    if (symlink(name, link.c_str()) != 0) {
      std::perror("pcrsim: symlink");
      return 1;
    }
  }
  std::FILE* log = logPath.empty() ? nullptr : std::fopen(logPath.c_str(), "a");
  if (!logPath.empty() && !log) {
    std::perror("pcrsim: log");
    return 1;
  }
  std::printf("%s\n", name);
  std::fflush(stdout);

  pcrsim::ReceiverModel model(options);
  std::string pending;
  // Replies waiting for their time, in the order the receiver sends them.
  std::deque<std::pair<double, std::string>> late;
  while (!g_stop) {
    while (!late.empty() && late.front().first <= nowMs()) {
      writeAll(master, late.front().second);
      late.pop_front();
    }
    const int wait = late.empty() ? 200 : std::max(0, static_cast<int>(late.front().first - nowMs()) + 1);
    pollfd p{master, POLLIN, 0};
    const int ready = poll(&p, 1, wait);
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0 || !(p.revents & POLLIN)) continue;
    char buf[512];
    const ssize_t n = read(master, buf, sizeof buf);
    if (n <= 0) continue;
    const double stamp = nowMs();
    for (ssize_t i = 0; i < n; ++i) {
      const char ch = buf[i];
      // The program ends commands with CR LF, other clients with LF alone.
      if (ch != '\r' && ch != '\n') {
        pending += ch;
        continue;
      }
      if (pending.empty()) continue;
      if (log) {
        std::fprintf(log, "%.3f %s\n", stamp, pending.c_str());
        std::fflush(log);
      }
      const std::string out = model.answer(pending);
      const auto delay = delays.find(pending);
      pending.clear();
      if (out.empty()) continue;
      if (delay == delays.end() && late.empty()) {
        writeAll(master, out);
        continue;
      }
      const double due = stamp + (delay == delays.end() ? 0 : delay->second);
      late.emplace_back(late.empty() ? due : std::max(due, late.back().first), out);
    }
  }
  if (!link.empty()) unlink(link.c_str());
  if (log) std::fclose(log);
  close(master);
  close(slave);
  return 0;
}
