// varmo-sim: a simulated module on a pseudo-terminal, linked as COM<n> in a port-link
// folder. It hears only at its own rate with one stop bit; it prints what it receives
// ("rx ..."), what it sends ("tx ..."), when the port is opened and closed, and the line
// settings it sees whenever they change ("rate ...").
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <string>
#include <thread>

#include "PortNames.h"
#include "Termios2.h"
#include "VarmoModule.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

volatile std::sig_atomic_t stopping = 0;
void Stop(int) { stopping = 1; }

struct Options {
  int port = 1;
  std::string links;
  long streamRate = 0;  // bytes per second sent without being asked; 0: none
  long splitMs = -1;    // send each reply in two parts this far apart
  bool noRead = false;  // never read: the terminal's output queue fills
  long unplugMs = -1;   // close the line this long after start
};

void Usage() {
  std::puts(
      "usage: varmo-sim [--port N] [--links DIR] [--stream BYTES_PER_S] [--split MS]\n"
      "                 [--no-read] [--unplug-after MS]\n"
      "A simulated module (address 00, 9600 bit/s, 8N1, no checksum) on a pseudo-terminal\n"
      "linked as COM<N> in DIR (default: the terminal's port-link folder).");
}

bool ParseOptions(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&](long& out) {
      if (i + 1 >= argc) return false;
      char* end = nullptr;
      out = std::strtol(argv[++i], &end, 10);
      return end != nullptr && *end == '\0';
    };
    long number = 0;
    if (arg == "--port" && value(number) && number >= 1 && number <= 99) {
      o.port = static_cast<int>(number);
    } else if (arg == "--links" && i + 1 < argc) {
      o.links = argv[++i];
    } else if (arg == "--stream" && value(o.streamRate) && o.streamRate >= 0) {
    } else if (arg == "--split" && value(o.splitMs) && o.splitMs >= 0) {
    } else if (arg == "--no-read") {
      o.noRead = true;
    } else if (arg == "--unplug-after" && value(o.unplugMs) && o.unplugMs >= 0) {
    } else if (arg == "--help") {
      Usage();
      std::exit(0);
    } else {
      return false;
    }
  }
  if (o.links.empty()) o.links = PortLinkFolder();
  return true;
}

std::string Escape(const std::string& bytes) {
  std::string out;
  for (const unsigned char c : bytes) {
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\\') {
      out += "\\\\";
    } else if (c >= 0x20 && c < 0x7F) {
      out += static_cast<char>(c);
    } else {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    }
  }
  return out;
}

void Say(const std::string& line) {
  std::fputs((line + "\n").c_str(), stdout);
  std::fflush(stdout);
}

struct Pending {
  Clock::time_point due;
  std::string bytes;
};

class Simulator {
 public:
  explicit Simulator(const Options& options) : options_(options) {}

  int Run() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
      std::perror("varmo-sim: pseudo-terminal");
      return 1;
    }
    // A new pseudo-terminal is cooked with echo on: raw at once, at the module's rate.
    termios t{};
    tcgetattr(master_, &t);
    cfmakeraw(&t);
    cfsetspeed(&t, B9600);
    tcsetattr(master_, TCSANOW, &t);

    const std::string device = ptsname(master_);
    std::error_code error;
    fs::create_directories(options_.links, error);
    link_ = (fs::path(options_.links) / ("COM" + std::to_string(options_.port))).string();
    if (fs::is_symlink(link_, error)) fs::remove(link_, error);
    fs::create_symlink(device, link_, error);
    if (error) {
      std::fprintf(stderr, "varmo-sim: cannot link %s: %s\n", link_.c_str(),
                   error.message().c_str());
      return 1;
    }
    Say("linked COM" + std::to_string(options_.port) + " " + link_ + " -> " + device);

    start_ = Clock::now();
    while (stopping == 0) {
      if (options_.unplugMs >= 0 &&
          Clock::now() - start_ >= std::chrono::milliseconds(options_.unplugMs)) {
        Say("unplugged");
        break;
      }
      Poll();
      Stream();
      Flush();
    }
    close(master_);
    fs::remove(link_, error);
    return 0;
  }

 private:
  void Poll() {
    pollfd p{master_, static_cast<short>(options_.noRead ? 0 : POLLIN), 0};
    const int ready = poll(&p, 1, 5);
    // Nobody has the port open: the master reports a hang-up until someone does.
    const bool open = !(ready > 0 && (p.revents & POLLHUP) != 0);
    if (open != portOpen_) {
      portOpen_ = open;
      Say(open ? "port opened" : "port closed");
    }
    if (open) Hears();  // reports a change of the line settings as soon as it is made
    if (!open && (p.revents & POLLIN) == 0) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
      return;
    }
    if (ready <= 0 || (p.revents & POLLIN) == 0) return;
    char buffer[4096];
    const ssize_t n = read(master_, buffer, sizeof buffer);
    if (n <= 0) return;
    const std::string bytes(buffer, static_cast<std::size_t>(n));
    Say("rx " + Escape(bytes));
    if (!Hears()) {
      line_.clear();
      return;
    }
    for (const char c : bytes) {
      if (c != '\r') {
        line_ += c;
        continue;
      }
      Reply(module_.Answer(line_));
      line_.clear();
    }
  }

  // True while the terminal's line settings are the module's own.
  bool Hears() {
    std::uint32_t in = 0, out = 0;
    GetLineRates(master_, in, out);
    termios t{};
    tcgetattr(master_, &t);
    const bool twoStop = (t.c_cflag & CSTOPB) != 0;
    const bool rtsCts = (t.c_cflag & CRTSCTS) != 0;
    if (rtsCts != seenRtsCts_) {
      seenRtsCts_ = rtsCts;
      Say(rtsCts ? "handshake RTS/CTS on" : "handshake RTS/CTS off");
    }
    if (out != seenRate_ || twoStop != seenTwoStop_) {
      seenRate_ = out;
      seenTwoStop_ = twoStop;
      Say("rate " + std::to_string(out) + (twoStop ? " 2 stop bits" : " 1 stop bit"));
      if (out == module_.Rate() && !twoStop) Say("listening");
    }
    return out == module_.Rate() && !twoStop;
  }

  void Reply(const std::string& reply) {
    const auto now = Clock::now();
    if (options_.splitMs < 0 || reply.size() < 2) {
      pending_.push_back({now, reply});
    } else {
      const std::size_t half = reply.size() / 2;
      pending_.push_back({now, reply.substr(0, half)});
      pending_.push_back({now + std::chrono::milliseconds(options_.splitMs), reply.substr(half)});
    }
  }

  void Stream() {
    if (options_.streamRate <= 0) return;
    static const std::string kLine =
        "T=+023.5 U=12.04 I=0.315 CH1=0001 CH2=0000 CH3=1023 CH4=0512\r\n";
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start_);
    const auto due = static_cast<long long>(elapsed.count() * options_.streamRate / 1000000);
    std::string chunk;
    while (streamed_ < due) {
      chunk += kLine[static_cast<std::size_t>(streamed_ % static_cast<long long>(kLine.size()))];
      ++streamed_;
    }
    if (!chunk.empty()) Send(chunk, false);
  }

  void Flush() {
    const auto now = Clock::now();
    while (!pending_.empty() && pending_.front().due <= now) {
      Send(pending_.front().bytes, true);
      pending_.pop_front();
    }
  }

  void Send(const std::string& bytes, bool report) {
    std::size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t n = write(master_, bytes.data() + done, bytes.size() - done);
      if (n <= 0) break;  // nobody reads: what does not fit is lost, as on a line
      done += static_cast<std::size_t>(n);
    }
    if (report) Say("tx " + Escape(bytes));
  }

  Options options_;
  VarmoModule module_;
  int master_ = -1;
  std::string link_;
  std::string line_;
  std::deque<Pending> pending_;
  Clock::time_point start_;
  long long streamed_ = 0;
  bool portOpen_ = false;
  std::uint32_t seenRate_ = 0;
  bool seenTwoStop_ = false;
  bool seenRtsCts_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    Usage();
    return 2;
  }
  std::signal(SIGINT, Stop);
  std::signal(SIGTERM, Stop);
  std::signal(SIGHUP, Stop);
  return Simulator(options).Run();
}
