// Start-up benchmark: time from process start to the first pixel of the
// program's window on the X server, and the program's peak resident memory.
//
// Measured from outside, so that the programs need no benchmark build: this
// launcher creates no window of its own, watches the root window for new
// top-level windows, asks the server (DAMAGE extension) to report the first
// drawing into each, starts the program, and stops the clock at the first
// drawing into a mapped window. The program is then ended with SIGTERM;
// wait4() reports its peak RSS.
//
// Usage: startup-bench [--rounds N] [--warmup N] [--reference NAME]
//                      [--verbose] NAME=PROGRAM ...
// The programs run interleaved, one of each per round, the order turned by
// one place each round.
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <optional>
#include <poll.h>
#include <signal.h>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Program {
    std::string name;
    std::string path;
};

struct Sample {
    double mappedMs = 0;
    double firstPixelMs = 0;
    long maxRssKiB = 0;
    double cpuMs = 0; // user and system time of the program until it was ended
};

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

class XWatcher {
public:
    explicit XWatcher(bool verbose) : verbose_(verbose) {
        connection_ = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(connection_)) {
            throw std::runtime_error("cannot connect to the X server (DISPLAY)");
        }
        const xcb_query_extension_reply_t* damage =
            xcb_get_extension_data(connection_, &xcb_damage_id);
        if (damage == nullptr || !damage->present) {
            throw std::runtime_error("the X server has no DAMAGE extension");
        }
        damageEvent_ = damage->first_event + XCB_DAMAGE_NOTIFY;
        free(xcb_damage_query_version_reply(connection_,
                                            xcb_damage_query_version(connection_,
                                                                     XCB_DAMAGE_MAJOR_VERSION,
                                                                     XCB_DAMAGE_MINOR_VERSION),
                                            nullptr));
        root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(connection_);
    }
    ~XWatcher() { xcb_disconnect(connection_); }
    XWatcher(const XWatcher&) = delete;
    XWatcher& operator=(const XWatcher&) = delete;

    // Forgets the windows of earlier runs and whatever they still reported.
    void Reset() {
        Drain([](xcb_generic_event_t*) { return false; });
        windows_.clear();
    }

    Sample Run(const Program& program, double timeoutMs) {
        Reset();
        const Clock::time_point start = Clock::now();
        const pid_t pid = fork();
        if (pid < 0) {
            throw std::runtime_error(std::string("fork: ") + std::strerror(errno));
        }
        if (pid == 0) {
            ::unsetenv("QT_QPA_PLATFORM"); // the real X server, never offscreen
            const int null = ::open("/dev/null", O_RDWR);
            ::dup2(null, STDIN_FILENO);
            ::dup2(null, STDOUT_FILENO);
            char* const argv[] = {const_cast<char*>(program.path.c_str()), nullptr};
            ::execv(program.path.c_str(), argv);
            std::perror(program.path.c_str());
            ::_exit(127);
        }

        Sample sample;
        std::optional<double> mapped;
        bool drawn = false;
        while (!drawn) {
            const double left = timeoutMs - MsSince(start);
            if (left <= 0) {
                Stop(pid);
                throw std::runtime_error(program.name + ": no window drawn within the time-out");
            }
            int status = 0;
            if (::waitpid(pid, &status, WNOHANG) == pid) {
                throw std::runtime_error(program.name + ": ended before its window was drawn");
            }
            pollfd fd{xcb_get_file_descriptor(connection_), POLLIN, 0};
            ::poll(&fd, 1, static_cast<int>(std::min(left, 50.0)) + 1);
            drawn = Drain([&](xcb_generic_event_t* event) {
                const uint8_t type = event->response_type & 0x7f;
                if (type == XCB_CREATE_NOTIFY) {
                    const auto* created = reinterpret_cast<xcb_create_notify_event_t*>(event);
                    const xcb_damage_damage_t damage = xcb_generate_id(connection_);
                    xcb_damage_create(connection_, damage, created->window,
                                      XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
                    xcb_flush(connection_);
                    windows_[created->window] = false;
                } else if (type == XCB_MAP_NOTIFY) {
                    const auto* shown = reinterpret_cast<xcb_map_notify_event_t*>(event);
                    if (windows_.contains(shown->window)) {
                        windows_[shown->window] = true;
                        if (!mapped) {
                            mapped = MsSince(start);
                        }
                    }
                } else if (type == damageEvent_) {
                    const auto* damage = reinterpret_cast<xcb_damage_notify_event_t*>(event);
                    const auto window = windows_.find(damage->drawable);
                    if (window != windows_.end() && window->second) {
                        sample.firstPixelMs = MsSince(start);
                        if (verbose_) {
                            std::fprintf(
                                stderr,
                                "%s: window 0x%x mapped at %.1f ms, first drawing %dx%d+%d+%d "
                                "at %.1f ms\n",
                                program.name.c_str(), damage->drawable, mapped.value_or(0),
                                damage->area.width, damage->area.height, damage->area.x,
                                damage->area.y, sample.firstPixelMs);
                        }
                        return true;
                    }
                }
                return false; // errors for windows gone before we asked are expected
            });
        }
        sample.mappedMs = mapped.value_or(sample.firstPixelMs);
        const rusage usage = Stop(pid);
        sample.maxRssKiB = usage.ru_maxrss;
        sample.cpuMs = (static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
                        static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3);
        return sample;
    }

private:
    // Handles every queued event until handle says stop; true when it did.
    template <typename Handler> bool Drain(Handler handle) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
            const bool stop = handle(event);
            free(event);
            if (stop) {
                return true;
            }
        }
        if (xcb_connection_has_error(connection_)) {
            throw std::runtime_error("lost the connection to the X server");
        }
        return false;
    }

    // Ends the program: SIGTERM, then SIGKILL if it is still there after two
    // seconds. wait4() gives its peak RSS either way.
    static rusage Stop(pid_t pid) {
        ::kill(pid, SIGTERM);
        int status = 0;
        rusage usage{};
        const Clock::time_point asked = Clock::now();
        while (::wait4(pid, &status, WNOHANG, &usage) == 0) {
            if (Clock::now() - asked > std::chrono::seconds(2)) {
                ::kill(pid, SIGKILL);
                while (::wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
                }
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return usage;
    }

    bool verbose_ = false;
    xcb_connection_t* connection_ = nullptr;
    xcb_window_t root_ = 0;
    uint8_t damageEvent_ = 0;
    std::map<xcb_window_t, bool> windows_; // top-level window -> mapped
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

[[noreturn]] void Usage(const char* why) {
    std::fprintf(stderr,
                 "startup-bench: %s\nusage: startup-bench [--rounds N] [--warmup N] "
                 "[--reference NAME] [--verbose] NAME=PROGRAM ...\n",
                 why);
    std::exit(2);
}

} // namespace

int main(int argc, char** argv) {
    int rounds = 15;
    int warmup = 1;
    std::string reference;
    bool verbose = false;
    std::vector<Program> programs;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto value = [&]() -> std::string {
            if (i + 1 >= argc) {
                Usage(("missing value after " + arg).c_str());
            }
            return argv[++i];
        };
        if (arg == "--rounds") {
            rounds = std::atoi(value().c_str());
        } else if (arg == "--warmup") {
            warmup = std::atoi(value().c_str());
        } else if (arg == "--reference") {
            reference = value();
        } else if (arg == "--verbose") {
            verbose = true;
        } else if (const auto eq = arg.find('='); eq != std::string::npos && eq > 0) {
            programs.push_back({arg.substr(0, eq), arg.substr(eq + 1)});
        } else {
            Usage(("unknown argument " + arg).c_str());
        }
    }
    if (programs.empty() || rounds < 1) {
        Usage("no program given");
    }
    if (reference.empty()) {
        reference = programs.front().name;
    }
    const auto ref = std::find_if(programs.begin(), programs.end(),
                                  [&](const Program& p) { return p.name == reference; });
    if (ref == programs.end()) {
        Usage("the reference names none of the programs");
    }
    const std::size_t refIndex = static_cast<std::size_t>(ref - programs.begin());
    const std::size_t n = programs.size();

    try {
        XWatcher watcher(verbose);
        const auto settle = [] { std::this_thread::sleep_for(std::chrono::milliseconds(150)); };
        for (int w = 0; w < warmup; ++w) {
            for (const Program& program : programs) {
                watcher.Run(program, 20000);
                settle();
            }
        }
        std::vector<std::vector<Sample>> samples(n);
        std::printf("round");
        for (const Program& program : programs) {
            std::printf("  %s ms  RSS KiB", program.name.c_str());
        }
        std::printf("\n");
        for (int round = 0; round < rounds; ++round) {
            for (std::size_t k = 0; k < n; ++k) {
                const std::size_t p = (k + static_cast<std::size_t>(round)) % n;
                samples[p].push_back(watcher.Run(programs[p], 20000));
                settle();
            }
            std::printf("%5d", round + 1);
            for (std::size_t p = 0; p < n; ++p) {
                std::printf("  %*.1f  %*ld", static_cast<int>(programs[p].name.size() + 3),
                            samples[p].back().firstPixelMs, 7, samples[p].back().maxRssKiB);
            }
            std::printf("\n");
            std::fflush(stdout);
        }

        std::printf("\n%d rounds, medians; ratios are medians of same-round ratios to %s\n", rounds,
                    reference.c_str());
        std::printf("%-18s %9s %12s %8s %10s %12s %14s %10s %10s\n", "program", "mapped ms",
                    "1st pixel ms", "CPU ms", "RSS MiB", "pixel ratio", "(min..max)", "CPU ratio",
                    "RSS ratio");
        for (std::size_t p = 0; p < n; ++p) {
            std::vector<double> mapped;
            std::vector<double> pixel;
            std::vector<double> rss;
            std::vector<double> cpu;
            std::vector<double> cpuRatio;
            std::vector<double> pixelRatio;
            std::vector<double> rssRatio;
            for (int r = 0; r < rounds; ++r) {
                const Sample& s = samples[p][static_cast<std::size_t>(r)];
                const Sample& base = samples[refIndex][static_cast<std::size_t>(r)];
                mapped.push_back(s.mappedMs);
                pixel.push_back(s.firstPixelMs);
                rss.push_back(static_cast<double>(s.maxRssKiB) / 1024);
                cpu.push_back(s.cpuMs);
                cpuRatio.push_back(s.cpuMs / base.cpuMs);
                pixelRatio.push_back(s.firstPixelMs / base.firstPixelMs);
                rssRatio.push_back(static_cast<double>(s.maxRssKiB) /
                                   static_cast<double>(base.maxRssKiB));
            }
            const auto [lo, hi] = std::minmax_element(pixelRatio.begin(), pixelRatio.end());
            std::printf("%-18s %9.1f %12.1f %8.1f %10.1f %12.3f   (%.2f..%.2f) %10.3f %10.3f\n",
                        programs[p].name.c_str(), Median(mapped), Median(pixel), Median(cpu),
                        Median(rss), Median(pixelRatio), *lo, *hi, Median(cpuRatio),
                        Median(rssRatio));
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "startup-bench: %s\n", e.what());
        return 1;
    }
    return 0;
}
