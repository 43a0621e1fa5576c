// Watches one program from outside through the X server it talks to: starts it, says how
// long it took until its first window was mapped, and counts what it sends the server from
// then on, so that the cost of a window can be compared with another program's.
//
//   bench_xwatch OUT -- program [arguments]
//
// OUT receives "mapped MS WINDOW PID" once the program's first window is mapped, then
// "painted MS" at the first drawing in it (MS from
// the start of the program, with microsecond resolution), then one line
//   "counts DAMAGE_EVENTS DAMAGE_RECTS DAMAGE_AREA REQUESTS REPLIES CLIP_RECTS IMAGES ATOMS"
// of running totals whenever this helper receives SIGUSR1, and "exited STATUS" at the end.
//
// Damage: the server reports every rectangle of the window that a drawing request
// changed (the raw-rectangles level), so a repaint clipped to 54 rectangles counts one
// repaint (DAMAGE_EVENTS: reports closer than 5 ms together) and 54 rectangles.
// Requests and replies come from the RECORD extension, attributed to the program by the
// resource-id base of its window: REPLIES are its round trips, CLIP_RECTS the rectangles it
// set as clip lists, IMAGES its PutImage and ShmPutImage requests, ATOMS its InternAtom
// requests. Without RECORD on the server those fields stay 0.
#include <poll.h>
#include <sys/socket.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <xcb/damage.h>
#include <xcb/record.h>
#include <xcb/xcb.h>
#include <xcb/xfixes.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

namespace {

double NowMs() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

struct RequestCounts {
  std::uint64_t requests = 0, replies = 0, clipRects = 0, images = 0, atoms = 0;
  // Requests by major opcode, and the opcodes of the requests that were answered, for
  // XWATCH_DETAIL.
  std::map<int, std::uint64_t> byOpcode;
};

// What the RECORD connection has seen, per client (keyed by resource-id base).
class Recorder {
 public:
  bool Start(const char* display) {
    data_ = xcb_connect(display, nullptr);
    control_ = xcb_connect(display, nullptr);
    if (xcb_connection_has_error(data_) || xcb_connection_has_error(control_)) return false;
    const xcb_query_extension_reply_t* record = xcb_get_extension_data(control_, &xcb_record_id);
    if (!record || !record->present) return false;
    const char shmName[] = "MIT-SHM";
    if (auto* shm =
            xcb_query_extension_reply(control_, xcb_query_extension(control_, sizeof shmName - 1, shmName), nullptr)) {
      shmMajor_ = shm->present ? shm->major_opcode : 0;
      std::free(shm);
    }
    auto* version = xcb_record_query_version_reply(control_, xcb_record_query_version(control_, 1, 13), nullptr);
    if (!version) return false;
    std::free(version);

    xcb_record_range_t range{};
    range.core_requests = {1, 127};
    range.core_replies = {1, 127};
    range.ext_requests.major = {128, 255};
    range.ext_requests.minor = {0, 0xFFFF};
    range.ext_replies.major = {128, 255};
    range.ext_replies.minor = {0, 0xFFFF};
    const xcb_record_client_spec_t clients = XCB_RECORD_CS_FUTURE_CLIENTS;
    const xcb_record_context_t context = xcb_generate_id(control_);
    xcb_generic_error_t* error =
        xcb_request_check(control_, xcb_record_create_context_checked(control_, context, 0, 1, 1, &clients, &range));
    if (error) {
      std::free(error);
      return false;
    }
    cookie_ = xcb_record_enable_context(data_, context);
    xcb_flush(data_);
    thread_ = std::thread([this] { Run(); });
    return true;
  }

  RequestCounts For(std::uint32_t base) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = counts_.find(base);
    return it == counts_.end() ? RequestCounts{} : it->second;
  }

  void Stop() {
    if (thread_.joinable()) {
      // Closing the data connection ends the reply stream the thread waits on.
      shutdown(xcb_get_file_descriptor(data_), SHUT_RDWR);
      thread_.join();
    }
    if (data_) xcb_disconnect(data_);
    if (control_) xcb_disconnect(control_);
  }

 private:
  void Run() {
    for (;;) {
      xcb_record_enable_context_reply_t* reply = xcb_record_enable_context_reply(data_, cookie_, nullptr);
      if (!reply) return;
      const auto* bytes = xcb_record_enable_context_data(reply);
      const int length = xcb_record_enable_context_data_length(reply);
      if (reply->category == 0 || reply->category == 1) Count(reply->xid_base, reply->category == 1, bytes, length);
      std::free(reply);
    }
  }

  static std::uint32_t Read32(const std::uint8_t* p) {
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
  }
  static std::uint16_t Read16(const std::uint8_t* p) {
    std::uint16_t v;
    std::memcpy(&v, p, 2);
    return v;
  }

  // One reply of the stream may hold several protocol elements, one after the other.
  void Count(std::uint32_t base, bool fromClient, const std::uint8_t* p, int length) {
    std::lock_guard<std::mutex> lock(mutex_);
    RequestCounts& c = counts_[base];
    int at = 0;
    while (at + 4 <= length) {
      const std::uint8_t* e = p + at;
      std::size_t size;
      if (fromClient) {
        std::size_t units = Read16(e + 2);
        if (units == 0 && at + 8 <= length) units = Read32(e + 4);  // BIG-REQUESTS
        size = units * 4;
        ++c.requests;
        ++c.byOpcode[e[0]];
        if (e[0] == XCB_SET_CLIP_RECTANGLES && size >= 12) c.clipRects += (size - 12) / 8;
        if (e[0] == XCB_PUT_IMAGE || (shmMajor_ && e[0] == shmMajor_ && e[1] == 3)) ++c.images;
        if (e[0] == XCB_INTERN_ATOM) ++c.atoms;
      } else {
        if (at + 8 > length) break;
        size = 32 + static_cast<std::size_t>(Read32(e + 4)) * 4;
        if (e[0] == 1) ++c.replies;
      }
      if (size == 0) break;
      at += static_cast<int>(size);
    }
  }

  xcb_connection_t* data_ = nullptr;
  xcb_connection_t* control_ = nullptr;
  xcb_record_enable_context_cookie_t cookie_{};
  std::uint8_t shmMajor_ = 0;
  std::thread thread_;
  std::mutex mutex_;
  std::map<std::uint32_t, RequestCounts> counts_;
};

// What the watch has seen of the program's first ordinary window: the repaints (damage
// events within 5 ms of each other count as one), the rectangles and their area.
class Watch {
 public:
  Watch(FILE* out, xcb_connection_t* c, std::uint32_t idMask, std::uint8_t damageNotify, double started, pid_t child)
      : out_(out), c_(c), idMask_(idMask), damageNotify_(damageNotify), started_(started), child_(child) {}

  // XWATCH_DETAIL=1 adds each damaged rectangle and a count of requests by opcode, to
  // find out what a program sends.
  bool detail = std::getenv("XWATCH_DETAIL") != nullptr;

  std::uint32_t Base() const { return base_; }

  void OnEvent(xcb_generic_event_t* ev) {
    const std::uint8_t type = ev->response_type & 0x7F;
    if (type == XCB_MAP_NOTIFY && window_ == XCB_NONE) {
      OnMap(reinterpret_cast<xcb_map_notify_event_t*>(ev));
    } else if (type == damageNotify_) {
      OnDamage(reinterpret_cast<xcb_damage_notify_event_t*>(ev));
    }
  }

  void ReportCounts(const RequestCounts& r) {
    std::fprintf(out_, "counts %llu %llu %llu %llu %llu %llu %llu %llu\n", static_cast<unsigned long long>(events_),
                 static_cast<unsigned long long>(rects_), static_cast<unsigned long long>(area_),
                 static_cast<unsigned long long>(r.requests), static_cast<unsigned long long>(r.replies),
                 static_cast<unsigned long long>(r.clipRects), static_cast<unsigned long long>(r.images),
                 static_cast<unsigned long long>(r.atoms));
    if (detail) {
      std::fprintf(out_, "opcodes");
      for (const auto& [op, n] : r.byOpcode) std::fprintf(out_, " %d:%llu", op, static_cast<unsigned long long>(n));
      std::fprintf(out_, "\n");
    }
  }

 private:
  void OnMap(const xcb_map_notify_event_t* map) {
    if (map->override_redirect) return;
    const double ms = NowMs() - started_;
    window_ = map->window;
    base_ = window_ & ~idMask_;
    const xcb_damage_damage_t damage = xcb_generate_id(c_);
    xcb_damage_create(c_, damage, window_, XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
    xcb_flush(c_);
    std::fprintf(out_, "mapped %.3f %u %d\n", ms, window_, static_cast<int>(child_));
  }

  void OnDamage(const xcb_damage_notify_event_t* d) {
    // One repaint reaches the server as one drawing request per rectangle, each reported
    // on its own; those that come within 5 ms of each other count as one repaint.
    const double now = NowMs();
    if (!painted_) {
      // The first drawing that reaches the window: the program's first paint after the map.
      painted_ = true;
      std::fprintf(out_, "painted %.3f\n", now - started_);
    }
    if (now - lastDamage_ > 5.0) ++events_;
    lastDamage_ = now;
    if (detail)
      std::fprintf(out_, "damage %.3f %d,%d %ux%u\n", NowMs() - started_, d->area.x, d->area.y, d->area.width,
                   d->area.height);
    ++rects_;
    area_ += static_cast<std::uint64_t>(d->area.width) * d->area.height;
  }

  FILE* out_;
  xcb_connection_t* c_;
  std::uint32_t idMask_;
  std::uint8_t damageNotify_;
  double started_;
  pid_t child_;
  xcb_window_t window_ = XCB_NONE;
  std::uint32_t base_ = 0;
  std::uint64_t events_ = 0, rects_ = 0, area_ = 0;
  double lastDamage_ = 0;
  bool painted_ = false;
};

// Listens to the root window's children and returns the event number of DAMAGE's notify;
// 0 when the server has no DAMAGE extension.
std::uint8_t PrepareDamage(xcb_connection_t* c, xcb_window_t root) {
  const xcb_query_extension_reply_t* damageExt = xcb_get_extension_data(c, &xcb_damage_id);
  if (!damageExt || !damageExt->present) return 0;
  std::free(xcb_xfixes_query_version_reply(c, xcb_xfixes_query_version(c, 5, 0), nullptr));
  std::free(xcb_damage_query_version_reply(c, xcb_damage_query_version(c, 1, 1), nullptr));
  const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
  std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
  return static_cast<std::uint8_t>(damageExt->first_event + XCB_DAMAGE_NOTIFY);
}

// Signals are read from a descriptor; blocked first, so that the recorder's thread
// inherits the mask and none is delivered to it.
int BlockSignals(sigset_t& signals) {
  sigemptyset(&signals);
  sigaddset(&signals, SIGUSR1);
  sigaddset(&signals, SIGCHLD);
  sigaddset(&signals, SIGTERM);
  sigaddset(&signals, SIGINT);
  sigprocmask(SIG_BLOCK, &signals, nullptr);
  return signalfd(-1, &signals, SFD_CLOEXEC);
}

pid_t StartProgram(char* argv[], const sigset_t& signals) {
  const pid_t child = fork();
  if (child == 0) {
    sigprocmask(SIG_UNBLOCK, &signals, nullptr);
    execvp(argv[0], argv);
    std::perror(argv[0]);
    _exit(127);
  }
  return child;
}

// The figures go out a line at a time, so that a reader sees each as soon as it is known.
FILE* OpenOutput(const char* path) {
  FILE* out = std::fopen(path, "w");
  if (!out) {
    std::perror(path);
    return nullptr;
  }
  setvbuf(out, nullptr, _IOLBF, 0);
  return out;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 4 || std::strcmp(argv[2], "--") != 0) {
    std::fprintf(stderr, "usage: %s OUT -- program [arguments]\n", argv[0]);
    return 2;
  }
  FILE* out = OpenOutput(argv[1]);
  if (!out) return 2;

  xcb_connection_t* c = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(c)) {
    std::fprintf(stderr, "xwatch: no X display\n");
    return 2;
  }
  const xcb_setup_t* setup = xcb_get_setup(c);
  const std::uint8_t damageNotify = PrepareDamage(c, xcb_setup_roots_iterator(setup).data->root);
  if (damageNotify == 0) {
    std::fprintf(stderr, "xwatch: the X server has no DAMAGE extension\n");
    return 2;
  }
  sigset_t signals;
  const int sfd = BlockSignals(signals);

  Recorder recorder;
  const bool recording = recorder.Start(nullptr);
  if (!recording) std::fprintf(stderr, "xwatch: no RECORD extension, requests are not counted\n");

  const double started = NowMs();
  const pid_t child = StartProgram(argv + 3, signals);
  Watch watch(out, c, setup->resource_id_mask, damageNotify, started, child);
  int status = 0;
  bool running = true;
  while (running) {
    pollfd fds[2] = {{xcb_get_file_descriptor(c), POLLIN, 0}, {sfd, POLLIN, 0}};
    if (poll(fds, 2, -1) < 0) continue;
    while (xcb_generic_event_t* ev = xcb_poll_for_event(c)) {
      watch.OnEvent(ev);
      std::free(ev);
    }
    if (xcb_connection_has_error(c)) break;
    if (!(fds[1].revents & POLLIN)) continue;
    signalfd_siginfo info{};
    if (read(sfd, &info, sizeof info) != sizeof info) continue;
    if (info.ssi_signo == SIGUSR1) {
      watch.ReportCounts(recording && watch.Base() ? recorder.For(watch.Base()) : RequestCounts{});
    } else if (info.ssi_signo == SIGCHLD) {
      if (waitpid(child, &status, WNOHANG) == child) running = false;
    } else {
      kill(child, SIGTERM);
      waitpid(child, &status, 0);
      running = false;
    }
  }
  std::fprintf(out, "exited %d\n", WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
  if (recording) recorder.Stop();
  xcb_disconnect(c);
  return 0;
}
