// nmea_feeder: a stand-in GPS receiver on a pseudo-terminal.
//
//   nmea_feeder [--once] [--link PATH] [--interval MS] [--rate BYTES] [--baud N] FILE...
//
// Opens a pseudo-terminal pair and prints the device path of its slave side on the first
// line of standard output: use it as GPSPort in config.ini (or pass --link to get a fixed
// path, a symbolic link to the device that is removed at exit). Then sends the NMEA lines
// of the files, each followed by CR LF, in bursts of one fix each (a burst starts at
// every RMC sentence, or at every GGA when there is no RMC, else every 10 lines), one
// burst a second, the bytes of a burst at 480 bytes a second as a 4800-baud line carries
// them. Lines starting with '#' (recorder comments) and empty lines are skipped. Loops
// over the files until stopped with Ctrl+C or SIGTERM; --once sends them once, waits
// until the text has been read (or 3 s), and ends.
//
// Like a real serial line, text that nobody reads is not kept: when more than 1 KiB is
// waiting unread, it is dropped before the next burst.
//
// --baud N plays a receiver fixed at N baud (4800 ... 115200): bytes go at N/10 a second,
// and while the reader has set the line to another speed they arrive as the noise a
// serial line at the wrong speed gives (a pseudo-terminal carries bytes at any speed, so
// the feeder looks at the speed set on it before each piece it sends).
#include "platform/LineSpeeds.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <stdlib.h>
#include <string>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

volatile std::sig_atomic_t g_stop = 0;

void onSignal(int)
{
    g_stop = 1;
}

struct Options {
    bool once = false;
    std::string link;
    int intervalMs = 1000;
    int rate = 0; // bytes a second; 0: the baud rate's
    int baud = 0; // 0: no line speed of its own
    std::vector<std::string> files;
};

void usage()
{
    std::fprintf(stderr,
                 "usage: nmea_feeder [--once] [--link PATH] [--interval MS] [--rate BYTES] [--baud N] FILE...\n"
                 "  Prints the pseudo-terminal's device path (use it as GPSPort), then sends the\n"
                 "  NMEA lines of FILE at a 4800-baud receiver's pace, one burst a second, looping.\n"
                 "  --once        send the files once, then end\n"
                 "  --link PATH   also make PATH a symbolic link to the device (removed at exit)\n"
                 "  --interval MS time from one burst to the next (default 1000)\n"
                 "  --rate BYTES  bytes a second within a burst (default 480, 4800 baud 8N1)\n"
                 "  --baud N      a receiver at N baud: N/10 bytes a second, noise while the\n"
                 "                reader's line speed is another\n");
}

bool parse(int argc, char** argv, Options& o)
{
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&](int& out) {
            if (i + 1 >= argc)
                return false;
            out = std::atoi(argv[++i]);
            return out > 0;
        };
        if (a == "--once") {
            o.once = true;
        } else if (a == "--link") {
            if (i + 1 >= argc)
                return false;
            o.link = argv[++i];
        } else if (a == "--interval") {
            if (!value(o.intervalMs))
                return false;
        } else if (a == "--rate") {
            if (!value(o.rate))
                return false;
        } else if (a == "--baud") {
            if (!value(o.baud) || !LineSpeeds::speedOf(o.baud))
                return false;
        } else if (a == "-h" || a == "--help") {
            return false;
        } else if (!a.empty() && a[0] == '-') {
            return false;
        } else {
            o.files.push_back(a);
        }
    }
    return !o.files.empty();
}

// The sentence formatter: "RMC" of "$GPRMC,..." / "$GNRMC,...".
std::string formatter(const std::string& line)
{
    if (line.size() < 6 || line[0] != '$')
        return {};
    return line.substr(3, 3);
}

// Lines of a capture, split into bursts of one fix each.
bool readBursts(const std::string& path, std::vector<std::string>& bursts)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        lines.push_back(line);
    }
    auto has = [&](const char* f) {
        return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return formatter(l) == f; });
    };
    const std::string marker = has("RMC") ? "RMC" : has("GGA") ? "GGA" : "";
    std::string burst;
    int inBurst = 0;
    for (const std::string& l : lines) {
        const bool starts = marker.empty() ? inBurst == 10 : formatter(l) == marker;
        if (starts && !burst.empty()) {
            bursts.push_back(burst);
            burst.clear();
            inBurst = 0;
        }
        burst += l + "\r\n";
        ++inBurst;
    }
    if (!burst.empty())
        bursts.push_back(burst);
    return true;
}

void sleepUntil(Clock::time_point t)
{
    while (!g_stop && Clock::now() < t)
        std::this_thread::sleep_for(std::min<Clock::duration>(t - Clock::now(), std::chrono::milliseconds(20)));
}

int unread(int slave)
{
    int n = 0;
    return ::ioctl(slave, FIONREAD, &n) == 0 ? n : 0;
}

// Whether the reader has set the line to `speed` (the master sees the slave's settings).
bool lineAt(int master, speed_t speed)
{
    termios t{};
    return ::tcgetattr(master, &t) == 0 && ::cfgetispeed(&t) == speed;
}

// What a receiver's bytes look like to a serial port at the wrong speed: framing noise.
std::string noise(const std::string& bytes)
{
    static unsigned seed = 12345;
    std::string out(bytes.size(), '\0');
    for (char& c : out) {
        seed = seed * 1103515245u + 12345u;
        c = char(seed >> 16);
    }
    return out;
}

// Sends `bytes` at `rate` bytes a second; bytes the line cannot take are lost. With a
// line speed (`speed` not 0), each piece goes as noise while the line is at another.
void sendPaced(int master, const std::string& bytes, int rate, speed_t speed)
{
    const auto start = Clock::now();
    size_t sent = 0;
    while (!g_stop && sent < bytes.size()) {
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        const size_t due = std::min(bytes.size(), size_t(seconds * rate) + 1);
        if (due > sent) {
            std::string piece = bytes.substr(sent, due - sent);
            if (speed && !lineAt(master, speed))
                piece = noise(piece);
            const ssize_t n = ::write(master, piece.data(), piece.size());
            if (n > 0)
                sent += size_t(n);
            else if (n < 0 && errno != EINTR)
                sent = due; // the line is full: these bytes are lost
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

} // namespace

int main(int argc, char** argv)
{
    Options o;
    if (!parse(argc, argv, o)) {
        usage();
        return 2;
    }
    if (o.rate == 0)
        o.rate = (o.baud ? o.baud : 4800) / 10;
    std::vector<std::string> bursts;
    for (const std::string& f : o.files) {
        if (!readBursts(f, bursts)) {
            std::fprintf(stderr, "nmea_feeder: cannot read %s\n", f.c_str());
            return 1;
        }
    }
    if (bursts.empty()) {
        std::fprintf(stderr, "nmea_feeder: no NMEA lines in the files\n");
        return 1;
    }

    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    char name[128] = {};
    if (master < 0 || ::grantpt(master) < 0 || ::unlockpt(master) < 0 || ::ptsname_r(master, name, sizeof name) != 0) {
        std::fprintf(stderr, "nmea_feeder: cannot open a pseudo-terminal: %s\n", std::strerror(errno));
        return 1;
    }
    // Raw line (set through the master, it applies to the slave): no CR translation, no
    // echo, whoever opens the device.
    termios t{};
    ::tcgetattr(master, &t);
    ::cfmakeraw(&t);
    ::cfsetispeed(&t, B4800);
    ::cfsetospeed(&t, B4800);
    ::tcsetattr(master, TCSANOW, &t);
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
    // Our own handle on the slave keeps the device alive between readers and lets us see
    // and drop text nobody reads. It takes no lock, so the program can still claim it.
    const int slave = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (slave < 0) {
        std::fprintf(stderr, "nmea_feeder: cannot open %s: %s\n", name, std::strerror(errno));
        return 1;
    }

    if (!o.link.empty()) {
        struct stat st{};
        if (::lstat(o.link.c_str(), &st) == 0 && S_ISLNK(st.st_mode))
            ::unlink(o.link.c_str());
        if (::symlink(name, o.link.c_str()) < 0) {
            std::fprintf(stderr, "nmea_feeder: cannot make the link %s: %s\n", o.link.c_str(), std::strerror(errno));
            return 1;
        }
    }

    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    std::signal(SIGHUP, onSignal);
    std::signal(SIGPIPE, SIG_IGN);

    std::printf("%s\n", name);
    std::fflush(stdout);
    std::fprintf(stderr, "nmea_feeder: %zu bursts on %s%s%s (GPSPort=%s); Ctrl+C stops\n", bursts.size(), name,
                 o.link.empty() ? "" : " linked as ", o.link.c_str(), o.link.empty() ? name : o.link.c_str());

    auto next = Clock::now();
    do {
        for (const std::string& burst : bursts) {
            if (g_stop)
                break;
            sleepUntil(next);
            if (g_stop)
                break;
            next = std::max(next + std::chrono::milliseconds(o.intervalMs), Clock::now());
            if (unread(slave) > 1024)
                ::tcflush(slave, TCIFLUSH);
            sendPaced(master, burst, o.rate, o.baud ? *LineSpeeds::speedOf(o.baud) : 0);
        }
    } while (!o.once && !g_stop);

    if (o.once) {
        // Give the reader the time to take what was sent.
        const auto until = Clock::now() + std::chrono::seconds(3);
        while (!g_stop && unread(slave) > 0 && Clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }

    if (!o.link.empty())
        ::unlink(o.link.c_str());
    ::close(slave);
    ::close(master);
    return 0;
}
