// Receiver simulator: opens a pseudo-terminal and answers the receiver's
// command set on it like the real receiver in polled mode. Prints the
// terminal's path as its first line of output; every command it receives
// is logged with the millisecond time it reached the receiver. The line
// options make the terminal as slow as a real serial cable and USB adapter.

#include "receiver_model.h"
#include "serial_line.h"

#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cmath>
#include <cstring>
#include <ctime>
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
      "  --seed N             seed for --drop, --garble and --stray\n"
      "line model (default: a bare terminal, everything arrives at once):\n"
      "  --baud N             pace every character at 10 bit times, both ways (9600)\n"
      "  --latency MS         hand received bytes to the program every MS ms, like a\n"
      "                       USB adapter's latency timer (16)\n"
      "  --process MS         the receiver's own time per command\n"
      "  --settle MS          after a frequency command, squelch and signal follow\n"
      "                       the new frequency only after MS ms\n",
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
  pcrsim::LineOptions line;
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
    } else if (a == "--baud") {
      line.baud = std::atoi(next());
      if (line.baud <= 0) {
        usage();
        return 2;
      }
    } else if (a == "--latency" || a == "--process" || a == "--settle") {
      char* end = nullptr;
      const double ms = std::strtod(next(), &end);
      if (ms < 0 || *end != '\0') {
        usage();
        return 2;
      }
      (a == "--latency" ? line.latencyMs : a == "--process" ? line.processMs : options.settleMs) = ms;
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
  pcrsim::SerialLine wire(
      line,
      [&](const std::string& command, double arrived) {
        if (log) {
          std::fprintf(log, "%.3f %s\n", arrived, command.c_str());
          std::fflush(log);
        }
        const auto delay = delays.find(command);
        return std::make_pair(model.answer(command, arrived), delay == delays.end() ? 0.0 : delay->second);
      },
      [&](const std::string& bytes) { writeAll(master, bytes); });
  while (!g_stop) {
    const double next = wire.run(nowMs());
    timespec wait{0, 200'000'000};
    if (next >= 0) {
      const double ms = std::max(0.0, next - nowMs());
      wait.tv_sec = static_cast<time_t>(ms / 1000);
      wait.tv_nsec = static_cast<long>(std::fmod(ms, 1000.0) * 1e6);
    }
    pollfd p{master, POLLIN, 0};
    const int ready = ppoll(&p, 1, &wait, nullptr);
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0 || !(p.revents & POLLIN)) continue;
    char buf[512];
    const ssize_t n = read(master, buf, sizeof buf);
    if (n > 0) wire.fromProgram(buf, static_cast<size_t>(n), nowMs());
  }
  if (!link.empty()) unlink(link.c_str());
  if (log) std::fclose(log);
  close(master);
  close(slave);
  return 0;
}
