// Times another program's windows from outside, through the X server alone, so the figures hold
// for the real binary with nothing compiled into it.
//
//   window_probe startup COMMAND [ARGS...]
//     Starts COMMAND and prints the time from exec to its first top-level window being mapped
//     and to that window's first paint, and its peak resident memory (VmHWM) one second after
//     the map:  map_ms=.. paint_ms=.. vmhwm_kib=..
//
//   window_probe response [--rounds N] [--clicks K] [--seed S] COMMAND [ARGS...]
//     Starts the game, answers "Large Screen?" with "n", then for each round clicks K random
//     covered cells, moves the board's cursor K times by an arrow key, asks for a hint (Ctrl+H)
//     and presses F2. A click is timed until the clicked cell's pixels change, an arrow until
//     the board's pixels change (the cursor's outline moved), the hint until its box has
//     painted, F2 until every cell looks covered again. A click that meets a mine opens a box
//     before the cell changes; it is answered and left out. Prints every sample and the medians.
//     The board has the keyboard only for the arrows: Tab reaches it after the strip's four
//     controls and leaves it for "Rule1" again, so that the clicks, F2 and the hint meet the
//     board as a player who never tabs to it has it.
//
//   window_probe sizes [--rounds N] [--seed S] COMMAND [ARGS...]
//     Starts the game like response, then for each round chooses from the Game menu, by its
//     keys, Beginner, Intermediate, Expert and Custom... (60 x 40, 480 mines, typed into the
//     box), each timed from the key that makes the choice (the item's letter, or Return in the
//     Custom box) until the report of the drawing after which the window looks exactly as that
//     new board did when it first settled in an untimed round before. On the 60 x 40 board it then
//     opens a cell and times Ctrl+H until the hint's box has painted. Prints every sample and the
//     medians.
//
//   window_probe guesses [--rounds N] [--seed S] COMMAND [ARGS...]
//     Starts the game like response and plays until N hints have been timed at a guess: opens a
//     cell near the middle, runs "Complete Logic" from the Rules menu until it stands still (no
//     cell is then certain, so the hint is a guess), times Ctrl+H until its box has painted,
//     answers it and opens the hinted cell (found by its outline), and so on; a won game or a
//     mine hit ends the game and F2 starts the next. Prints every sample and the median.
//
// Run it on an X server of its own (DISPLAY): it takes the first top-level window it sees to be
// the command's, and it moves the pointer and the keyboard focus.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <X11/keysym.h>
#include <poll.h>
#include <signal.h>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

double NowMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

void SleepMs(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

[[noreturn]] void Fail(const std::string& message) {
    std::fprintf(stderr, "window_probe: %s\n", message.c_str());
    std::exit(1);
}

// Windows come and go while we look at them; a request on one that is gone is not an error here.
// The count lets a caller see whether a request of its own failed.
int xErrors = 0;
int CountXErrors(Display*, XErrorEvent*) {
    ++xErrors;
    return 0;
}

double Median(std::vector<double> values) {
    if (values.empty()) {
        return 0.0;
    }
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 == 1 ? values[mid] : (values[mid - 1] + values[mid]) / 2.0;
}

// Pixels of a rectangle of a window, read through shared memory when the server offers it:
// reading a whole board that way costs well under a millisecond.
class Snapshot {
  public:
    // shared: through shared memory, which costs round trips to set up but makes every read
    // cheap; without it (or when the server refuses it) each read is a plain XGetImage.
    Snapshot(Display* display, int width, int height, bool shared = true)
        : display_(display), width_(width), height_(height) {
        if (shared && XShmQueryExtension(display)) {
            AttachShared();
        }
    }
    ~Snapshot() {
        if (image_ != nullptr) {
            XShmDetach(display_, &shm_);
            XDestroyImage(image_);
            shmdt(shm_.shmaddr);
        }
    }
    Snapshot(const Snapshot&) = delete;
    Snapshot& operator=(const Snapshot&) = delete;

    // Reads the rectangle whose top-left is (x, y) of window; false when it could not be read.
    bool Take(Window window, int x, int y) {
        if (image_ != nullptr) {
            if (!XShmGetImage(display_, window, image_, x, y, AllPlanes)) {
                return false;
            }
            Copy(image_);
            return true;
        }
        XImage* image = XGetImage(display_, window, x, y, static_cast<unsigned>(width_),
                                  static_cast<unsigned>(height_), AllPlanes, ZPixmap);
        if (image == nullptr) {
            return false;
        }
        Copy(image);
        XDestroyImage(image);
        return true;
    }

    const std::vector<unsigned long>& Pixels() const { return pixels_; }
    unsigned long Pixel(int x, int y) const {
        return pixels_.at(static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                          static_cast<std::size_t>(x));
    }
    int Width() const { return width_; }
    int Height() const { return height_; }

  private:
    void AttachShared() {
        const int screen = DefaultScreen(display_);
        image_ =
            XShmCreateImage(display_, DefaultVisual(display_, screen),
                            static_cast<unsigned>(DefaultDepth(display_, screen)), ZPixmap, nullptr,
                            &shm_, static_cast<unsigned>(width_), static_cast<unsigned>(height_));
        if (image_ == nullptr) {
            return;
        }
        const auto bytes =
            static_cast<std::size_t>(image_->bytes_per_line) * static_cast<std::size_t>(height_);
        shm_.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
        void* memory = shm_.shmid < 0 ? nullptr : shmat(shm_.shmid, nullptr, 0);
        if (shm_.shmid >= 0) {
            shmctl(shm_.shmid, IPC_RMID, nullptr);  // freed once both sides detach
        }
        if (memory == nullptr || memory == reinterpret_cast<void*>(-1)) {
            XDestroyImage(image_);  // an XShm image does not own its data
            image_ = nullptr;
            return;
        }
        shm_.shmaddr = image_->data = static_cast<char*>(memory);
        shm_.readOnly = False;
        const int errorsBefore = xErrors;
        XShmAttach(display_, &shm_);
        XSync(display_, False);
        if (xErrors != errorsBefore) {  // e.g. a server on another machine
            XDestroyImage(image_);
            shmdt(memory);
            image_ = nullptr;
        }
    }

    void Copy(XImage* image) {
        pixels_.resize(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));
        std::size_t k = 0;
        if (image->bits_per_pixel == 32) {  // the usual case: read rows directly, it is timed
            for (int y = 0; y < height_; ++y) {
                const char* row =
                    image->data + static_cast<std::ptrdiff_t>(y) * image->bytes_per_line;
                for (int x = 0; x < width_; ++x) {
                    std::uint32_t value = 0;
                    std::memcpy(&value, row + 4 * x, sizeof value);
                    pixels_[k++] = value & 0xFFFFFFu;
                }
            }
            return;
        }
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                pixels_[k++] = XGetPixel(image, x, y) & 0xFFFFFFul;
            }
        }
    }

    Display* display_;
    XImage* image_ = nullptr;
    XShmSegmentInfo shm_{};
    int width_ = 0;
    int height_ = 0;
    std::vector<unsigned long> pixels_;
};

// The X side: top-level windows as they appear, each watched for damage from its creation on,
// so its first paint cannot slip by unseen.
class Server {
  public:
    Server() {
        display_ = XOpenDisplay(nullptr);
        if (display_ == nullptr) {
            Fail("cannot open the display (is DISPLAY set?)");
        }
        XSetErrorHandler(CountXErrors);
        root_ = DefaultRootWindow(display_);
        int error = 0;
        if (!XDamageQueryExtension(display_, &damageBase_, &error)) {
            Fail("the X server has no DAMAGE extension");
        }
        int major = 0;
        int minor = 0;
        if (!XTestQueryExtension(display_, &error, &error, &major, &minor)) {
            Fail("the X server has no XTEST extension");
        }
        XSelectInput(display_, root_, SubstructureNotifyMask);
        XSync(display_, False);
    }
    ~Server() { XCloseDisplay(display_); }

    Display* display() const { return display_; }
    Window root() const { return root_; }

    // The next event, or nothing once deadline (NowMs) has passed. Damage is cleared as it is
    // reported, so every later drawing reports again.
    std::optional<XEvent> Next(double deadline) {
        while (XPending(display_) == 0) {
            const double left = deadline - NowMs();
            if (left <= 0) {
                return std::nullopt;
            }
            pollfd fd{ConnectionNumber(display_), POLLIN, 0};
            poll(&fd, 1, static_cast<int>(left) + 1);
        }
        XEvent event;
        XNextEvent(display_, &event);
        if (event.type == CreateNotify && event.xcreatewindow.parent == root_ &&
            !event.xcreatewindow.override_redirect) {
            damages_[event.xcreatewindow.window] =
                XDamageCreate(display_, event.xcreatewindow.window, XDamageReportNonEmpty);
            XFlush(display_);
        } else if (event.type == damageBase_ + XDamageNotify) {
            XDamageSubtract(display_, DamageOf(event), None, None);
            XFlush(display_);
        }
        return event;
    }

    bool IsDamage(const XEvent& event, Window window) const {
        return event.type == damageBase_ + XDamageNotify &&
               reinterpret_cast<const XDamageNotifyEvent&>(event).drawable == window;
    }
    // A top-level window of the program mapped (not a menu or tooltip).
    static bool IsTopLevelMap(const XEvent& event, Window root) {
        return event.type == MapNotify && event.xmap.event == root && !event.xmap.override_redirect;
    }

    std::string Title(Window window) const {
        for (const char* name : {"_NET_WM_NAME", "WM_NAME"}) {
            Atom type = None;
            int format = 0;
            unsigned long count = 0;
            unsigned long after = 0;
            unsigned char* data = nullptr;
            const Atom property = XInternAtom(display_, name, False);
            if (XGetWindowProperty(display_, window, property, 0, 1024, False, AnyPropertyType,
                                   &type, &format, &count, &after, &data) == Success &&
                data != nullptr) {
                std::string title(reinterpret_cast<char*>(data), count);
                XFree(data);
                if (format == 8 && !title.empty()) {
                    return title;
                }
            }
        }
        return {};
    }

    void Key(KeySym keysym) {
        const KeyCode code = XKeysymToKeycode(display_, keysym);
        XTestFakeKeyEvent(display_, code, True, CurrentTime);
        XTestFakeKeyEvent(display_, code, False, CurrentTime);
        XFlush(display_);
    }

    // A key with a modifier held, e.g. Ctrl+H.
    void KeyWith(KeySym modifier, KeySym keysym) {
        const KeyCode held = XKeysymToKeycode(display_, modifier);
        XTestFakeKeyEvent(display_, held, True, CurrentTime);
        Key(keysym);
        XTestFakeKeyEvent(display_, held, False, CurrentTime);
        XFlush(display_);
    }

    // Without a window manager nothing hands the keyboard to a new window; do it as one would,
    // and give the program a moment to take the focus in before keys arrive.
    void Focus(Window window) {
        XSetInputFocus(display_, window, RevertToPointerRoot, CurrentTime);
        XSync(display_, False);
        Settle(nullptr, 60);
    }

    // Lets events pass for ms milliseconds; returns false if window (when given) drew meanwhile.
    bool Settle(const Window* window, int ms) {
        bool quiet = true;
        const double deadline = NowMs() + ms;
        while (auto event = Next(deadline)) {
            if (window != nullptr && IsDamage(*event, *window)) {
                quiet = false;
            }
        }
        return quiet;
    }

    // Waits until window has drawn nothing for ms milliseconds.
    void WaitQuiet(Window window, int ms, double timeoutMs = 5000) {
        const double deadline = NowMs() + timeoutMs;
        while (!Settle(&window, ms)) {
            if (NowMs() > deadline) {
                Fail("the window kept drawing");
            }
        }
    }

  private:
    Damage DamageOf(const XEvent& event) const {
        return reinterpret_cast<const XDamageNotifyEvent&>(event).damage;
    }

    Display* display_ = nullptr;
    Window root_ = 0;
    int damageBase_ = 0;
    std::map<Window, Damage> damages_;
};

pid_t Launch(char** argv) {
    const pid_t pid = fork();
    if (pid < 0) {
        Fail("fork failed");
    }
    if (pid == 0) {
        execvp(argv[0], argv);
        std::perror(argv[0]);
        _exit(127);
    }
    return pid;
}

void Stop(pid_t pid) {
    kill(pid, SIGTERM);
    for (int k = 0; k < 100; ++k) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) {
            return;
        }
        SleepMs(20);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

long VmHwmKib(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::strtol(line.c_str() + 6, nullptr, 10);
        }
    }
    return -1;
}

struct Geometry {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

Geometry GeometryOf(Display* display, Window window) {
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display, window, &attributes)) {
        return {};
    }
    return {attributes.x, attributes.y, attributes.width, attributes.height};
}

// An image the size of the whole screen.
Snapshot ScreenSized(Server& server) {
    Display* display = server.display();
    const int screen = DefaultScreen(display);
    return Snapshot(display, DisplayWidth(display, screen), DisplayHeight(display, screen));
}

// Waits for the next top-level window to be mapped; returns it and the time of the map.
std::pair<Window, double> WaitMap(Server& server, double deadline) {
    while (auto event = server.Next(deadline)) {
        if (Server::IsTopLevelMap(*event, server.root())) {
            return {event->xmap.window, NowMs()};
        }
    }
    Fail("no window was mapped in time");
}

// Waits until window shows pixels of its own: its first reported drawing whose pixels differ
// from what lay on the screen before it (a window without a background shows what is under it).
double WaitFirstPaint(Server& server, Window window, const Snapshot& before, double deadline) {
    const Geometry size = GeometryOf(server.display(), window);
    // Plain reads: setting up shared memory here would delay noticing the first drawing.
    Snapshot shot(server.display(), size.width, size.height, false);
    while (auto event = server.Next(deadline)) {
        if (!server.IsDamage(*event, window)) {
            continue;
        }
        const double at = NowMs();
        if (!shot.Take(window, 0, 0)) {
            continue;
        }
        for (int y = 0; y < size.height && size.y + y < before.Height(); ++y) {
            for (int x = 0; x < size.width && size.x + x < before.Width(); ++x) {
                if (shot.Pixel(x, y) != before.Pixel(size.x + x, size.y + y)) {
                    return at;
                }
            }
        }
    }
    Fail("the window never painted");
}

int Startup(char** command) {
    Server server;
    Snapshot screenBefore = ScreenSized(server);
    if (!screenBefore.Take(server.root(), 0, 0)) {
        Fail("cannot read the screen");
    }
    const double start = NowMs();
    const pid_t pid = Launch(command);
    const auto [window, mapped] = WaitMap(server, start + 30000);
    const double painted = WaitFirstPaint(server, window, screenBefore, mapped + 30000);
    server.Settle(nullptr, static_cast<int>(std::max(0.0, mapped + 1000 - NowMs())));
    const long hwm = VmHwmKib(pid);
    Stop(pid);
    std::printf("map_ms=%.2f paint_ms=%.2f vmhwm_kib=%ld\n", mapped - start, painted - start, hwm);
    return 0;
}

// ---- response -------------------------------------------------------------------------------

int Twips(int twips) {
    return static_cast<int>(twips / 15.0 + 0.5);
}

constexpr int kRows = 16;
constexpr int kCols = 30;
constexpr int kCellTwips = 255;
constexpr int kGridLeftTwips = 60;
constexpr int kGridTopTwips = 120;
constexpr int kPanelTopTwips = 540;

struct Rect {
    int x;
    int y;
    int width;
    int height;
};

// The board as it lies in the main window, found from the black border of the first cell.
struct Grid {
    int panelX = 0;
    int panelY = 0;
    unsigned long coveredColour = 0;

    Rect Cell(int row, int col) const {
        const int left = kCellTwips * (col - 1) + kGridLeftTwips;
        const int top = kCellTwips * (row - 1) + kGridTopTwips;
        return {panelX + Twips(left), panelY + Twips(top), Twips(left + kCellTwips) - Twips(left),
                Twips(top + kCellTwips) - Twips(top)};
    }
    Rect All() const {
        const Rect first = Cell(1, 1);
        const Rect last = Cell(kRows, kCols);
        return {first.x, first.y, last.x + last.width - first.x, last.y + last.height - first.y};
    }
};

Grid FindGrid(const Snapshot& shot) {
    const unsigned long black = 0x000000;
    const unsigned long white = 0xFFFFFF;
    const int x = Twips(kGridLeftTwips);
    for (int y = Twips(kPanelTopTwips); y + 3 < shot.Height(); ++y) {
        const unsigned long inside = shot.Pixel(x + 3, y + 3);
        if (shot.Pixel(x, y) == black && shot.Pixel(x + 3, y) == black &&
            shot.Pixel(x, y + 3) == black && inside != black && inside != white) {
            return Grid{0, y - Twips(kGridTopTwips), inside};
        }
    }
    Fail("no covered cell found in the main window");
}

struct Game {
    Server& server;
    pid_t pid;
    Window main;
    Grid grid;
};

// Answers an open box with Return and waits until it has closed and the game is quiet again.
void CloseBox(Game& game, Window box) {
    game.server.Focus(box);
    game.server.Key(XK_Return);
    const double deadline = NowMs() + 5000;
    while (auto event = game.server.Next(deadline)) {
        if ((event->type == UnmapNotify && event->xunmap.window == box) ||
            (event->type == DestroyNotify && event->xdestroywindow.window == box)) {
            game.server.Focus(game.main);
            game.server.WaitQuiet(game.main, 150);
            return;
        }
    }
    Fail("the box did not close");
}

// A box opened while the game was being timed (a mine was hit): answer it and let the game
// settle back.
void AnswerBox(Game& game, Window box, const Snapshot& screenBefore) {
    WaitFirstPaint(game.server, box, screenBefore, NowMs() + 5000);
    CloseBox(game, box);
}

// Ctrl+H, timed until the hint's box shows pixels of its own; the box is then answered. The
// screen as it was before the keys tells the box's first paint from what lay under it.
double TimeHint(Game& game) {
    Snapshot under = ScreenSized(game.server);
    under.Take(game.server.root(), 0, 0);
    game.server.Focus(game.main);
    const double start = NowMs();
    game.server.KeyWith(XK_Control_L, XK_h);
    const auto [box, mapped] = WaitMap(game.server, start + 5000);
    const double painted = WaitFirstPaint(game.server, box, under, mapped + 5000);
    CloseBox(game, box);
    return painted - start;
}

bool SameAs(const Snapshot& shot, const std::vector<unsigned long>& pixels) {
    return shot.Pixels() == pixels;
}

// Sends an input and waits until the rectangle's pixels satisfy done; returns the time taken,
// or nothing when a box came up first (it has been answered).
template <typename Send, typename Done>
std::optional<double> TimeResponse(Game& game, const Rect& rect, Send&& send, Done&& done,
                                   const Snapshot& screenBefore) {
    Snapshot shot(game.server.display(), rect.width, rect.height);
    const double start = NowMs();
    send();
    const double deadline = start + 5000;
    while (auto event = game.server.Next(deadline)) {
        if (Server::IsTopLevelMap(*event, game.server.root()) && event->xmap.window != game.main) {
            AnswerBox(game, event->xmap.window, screenBefore);
            return std::nullopt;
        }
        if (!game.server.IsDamage(*event, game.main)) {
            continue;
        }
        if (shot.Take(game.main, rect.x, rect.y) && done(shot)) {
            return NowMs() - start;
        }
    }
    Fail("no response within 5 s");
}

// A left click on a cell, the pointer moved there first, timed until the cell changes; nullopt
// when a box opened instead (the cell held a mine).
void PointAt(Display* display, const Rect& cell) {
    XTestFakeMotionEvent(display, DefaultScreen(display), cell.x + cell.width / 2,
                         cell.y + cell.height / 2, CurrentTime);
}

void LeftClick(Display* display) {
    XTestFakeButtonEvent(display, 1, True, CurrentTime);
    XTestFakeButtonEvent(display, 1, False, CurrentTime);
    XFlush(display);
}

std::optional<double> TimeCellClick(Game& game, const Rect& cell, const Snapshot& screenBefore) {
    Display* display = game.server.display();
    Snapshot before(display, cell.width, cell.height);
    before.Take(game.main, cell.x, cell.y);
    const std::vector<unsigned long> look = before.Pixels();
    PointAt(display, cell);
    XSync(display, False);
    game.server.Settle(nullptr, 30);
    return TimeResponse(
        game, cell, [&] { LeftClick(display); },
        [&](const Snapshot& shot) { return !SameAs(shot, look); }, screenBefore);
}

struct Started {
    pid_t pid;
    Window main;
};

// Starts the game, answers the start question with normal cells and waits for the main window's
// first paint.
// screenBefore: the screen before the game started.
Started StartWithNormalCells(Server& server, const Snapshot& screenBefore, char** command) {
    const pid_t pid = Launch(command);
    const auto [box, boxMapped] = WaitMap(server, NowMs() + 30000);
    WaitFirstPaint(server, box, screenBefore, boxMapped + 30000);
    server.Focus(box);
    server.Key(XK_n);
    for (;;) {
        const auto [window, at] = WaitMap(server, NowMs() + 30000);
        if (server.Title(window) == "Dravik 2000") {
            WaitFirstPaint(server, window, screenBefore, at + 30000);
            return {pid, window};
        }
    }
}

// Starts the game with normal cells, waits until it has settled, gives it the keyboard and finds
// its board.
Game StartGame(Server& server, const Snapshot& screenBefore, char** command) {
    const auto [pid, main] = StartWithNormalCells(server, screenBefore, command);
    server.WaitQuiet(main, 500, 10000);
    server.Focus(main);
    const Geometry size = GeometryOf(server.display(), main);
    Snapshot whole(server.display(), size.width, size.height);
    whole.Take(main, 0, 0);
    return Game{server, pid, main, FindGrid(whole)};
}

int Response(int rounds, int clicks, unsigned seed, char** command) {
    Server server;
    Display* display = server.display();
    Snapshot screenBefore = ScreenSized(server);
    screenBefore.Take(server.root(), 0, 0);
    Game game = StartGame(server, screenBefore, command);
    const Window main = game.main;
    Snapshot whole(display, GeometryOf(display, main).width, GeometryOf(display, main).height);
    const Rect all = game.grid.All();
    Snapshot fresh(display, all.width, all.height);
    fresh.Take(main, all.x, all.y);
    const std::vector<unsigned long> covered = fresh.Pixels();

    std::mt19937 random(seed);
    std::vector<double> clickTimes;
    std::vector<double> replayTimes;
    std::vector<double> hintTimes;
    std::vector<double> keyTimes;
    Snapshot board(display, all.width, all.height);
    int cursorCol = 1;  // it keeps its cell while the board does not have the keyboard
    int mineHits = 0;
    for (int round = 0; round < rounds; ++round) {
        for (int k = 0; k < clicks; ++k) {
            whole.Take(main, 0, 0);
            std::vector<Rect> candidates;
            for (int row = 1; row <= kRows; ++row) {
                for (int col = 1; col <= kCols; ++col) {
                    const Rect cell = game.grid.Cell(row, col);
                    if (whole.Pixel(cell.x + 3, cell.y + 3) == game.grid.coveredColour) {
                        candidates.push_back(cell);
                    }
                }
            }
            if (candidates.empty()) {
                break;
            }
            const Rect cell = candidates[random() % candidates.size()];
            const auto taken = TimeCellClick(game, cell, screenBefore);
            if (taken) {
                clickTimes.push_back(*taken);
                std::printf("click_ms=%.3f\n", *taken);
            } else {
                ++mineHits;
                std::printf("click hit a mine: left out\n");
            }
            server.WaitQuiet(main, 150);
        }
        for (int k = 0; k < 4; ++k) {
            server.Key(XK_Tab);
        }
        server.WaitQuiet(main, 150);
        for (int k = 0; k < clicks; ++k) {
            // Toward the middle, so that the cursor never stands at an edge it cannot pass.
            const bool right = cursorCol < kCols / 2;
            cursorCol += right ? 1 : -1;
            board.Take(main, all.x, all.y);
            const std::vector<unsigned long> look = board.Pixels();
            const auto taken = TimeResponse(
                game, all, [&] { server.Key(right ? XK_Right : XK_Left); },
                [&](const Snapshot& shot) { return !SameAs(shot, look); }, screenBefore);
            if (!taken) {
                Fail("an arrow key opened a box");
            }
            keyTimes.push_back(*taken);
            std::printf("key_ms=%.3f\n", *taken);
            server.WaitQuiet(main, 150);
        }
        server.Key(XK_Tab);
        server.WaitQuiet(main, 150);
        hintTimes.push_back(TimeHint(game));
        std::printf("hint_ms=%.3f\n", hintTimes.back());
        server.Focus(main);
        const auto taken = TimeResponse(
            game, all, [&] { server.Key(XK_F2); },
            [&](const Snapshot& shot) { return SameAs(shot, covered); }, screenBefore);
        if (!taken) {
            Fail("F2 opened a box");
        }
        replayTimes.push_back(*taken);
        std::printf("f2_ms=%.3f\n", *taken);
        server.WaitQuiet(main, 150);
    }
    Stop(game.pid);
    std::printf(
        "click_median_ms=%.3f clicks=%zu mine_hits=%d key_median_ms=%.3f keys=%zu "
        "f2_median_ms=%.3f f2s=%zu hint_median_ms=%.3f\n",
        Median(clickTimes), clickTimes.size(), mineHits, Median(keyTimes), keyTimes.size(),
        Median(replayTimes), replayTimes.size(), Median(hintTimes));
    return 0;
}

// ---- sizes ----------------------------------------------------------------------------------

struct Choice {
    const char* name;
    KeySym item;  // the letter of the Game menu's item
};

constexpr Choice kChoices[] = {
    {"beginner", XK_b}, {"intermediate", XK_i}, {"expert", XK_e}, {"custom_60x40", XK_c}};

// Replaces a field's text: its label's letter with Alt, then the old text erased from its end.
void TypeField(Server& server, KeySym letter, const std::string& text) {
    server.KeyWith(XK_Alt_L, letter);
    server.Key(XK_End);
    for (int k = 0; k < 4; ++k) {
        server.Key(XK_BackSpace);
    }
    for (const char digit : text) {
        server.Key(XK_0 + (digit - '0'));
    }
}

// Opens the Game menu and makes the choice up to its last key, which is returned unsent: the
// item's letter, or Return once the Custom box has its three numbers.
KeySym PrepareChoice(Server& server, Window main, const Choice& choice) {
    server.Focus(main);
    server.KeyWith(XK_Alt_L, XK_g);
    server.Settle(nullptr, 150);  // the menu is open
    if (choice.item != XK_c) {
        return choice.item;
    }
    server.Key(XK_c);
    const auto [box, mapped] = WaitMap(server, NowMs() + 5000);
    server.WaitQuiet(box, 150);
    server.Focus(box);
    TypeField(server, XK_c, "60");
    TypeField(server, XK_r, "40");
    TypeField(server, XK_m, "480");
    server.WaitQuiet(box, 150);
    return XK_Return;
}

struct Look {
    int width = 0;
    int height = 0;
    std::vector<unsigned long> pixels;
};

Look LookOf(Display* display, Window window) {
    const Geometry size = GeometryOf(display, window);
    Snapshot shot(display, size.width, size.height);
    if (!shot.Take(window, 0, 0)) {
        Fail("cannot read the main window");
    }
    return {size.width, size.height, shot.Pixels()};
}

// Sends key and waits until the window has the size and every pixel of look.
double TimeUntilLooks(Server& server, Window main, KeySym key, const Look& look) {
    Display* display = server.display();
    Snapshot shot(display, look.width, look.height);
    const double start = NowMs();
    server.Key(key);
    const double deadline = start + 5000;
    // Reading a window of 60 x 40 cells back from the server takes longer than the game takes
    // to draw it, so the time is that of the drawing's report, as for a first paint, and the
    // read only confirms it; it is done once the reports queued so far have been taken. A report
    // queued during a read is dated by the server's clock from the first one, which the probe
    // met waiting.
    double drawnAt = -1;  // none yet
    double firstAt = -1;
    Time firstServerTime = 0;
    while (auto event = server.Next(deadline)) {
        if (Server::IsTopLevelMap(*event, server.root()) && event->xmap.window != main) {
            Fail("a box opened instead of the new board");
        }
        if (server.IsDamage(*event, main)) {
            const Time at = reinterpret_cast<const XDamageNotifyEvent&>(*event).timestamp;
            if (firstAt < 0) {
                firstAt = NowMs();
                firstServerTime = at;
            }
            drawnAt = firstAt + static_cast<double>(at - firstServerTime);
        }
        if (drawnAt < 0 || XPending(display) > 0) {
            continue;
        }
        const Geometry size = GeometryOf(display, main);
        if (size.width == look.width && size.height == look.height && shot.Take(main, 0, 0) &&
            SameAs(shot, look.pixels)) {
            return drawnAt - start;
        }
        drawnAt = -1;
    }
    Fail("the new board did not paint within 5 s");
}

// Opens a cell near the middle of the board, then times Ctrl+H; a cell that meets a mine is
// answered, the game started again and another cell tried.
double HintOnBoard(Game& game, int rows, int cols, std::mt19937& random,
                   const Snapshot& screenBefore) {
    for (;;) {
        const Rect cell = game.grid.Cell(rows / 4 + static_cast<int>(random() % (rows / 2)) + 1,
                                         cols / 4 + static_cast<int>(random() % (cols / 2)) + 1);
        const auto opened = TimeCellClick(game, cell, screenBefore);
        game.server.WaitQuiet(game.main, 150);
        if (opened) {
            return TimeHint(game);
        }
        game.server.Focus(game.main);
        game.server.Key(XK_F2);
        game.server.WaitQuiet(game.main, 150);
    }
}

int Sizes(int rounds, unsigned seed, char** command) {
    Server server;
    Display* display = server.display();
    Snapshot screenBefore = ScreenSized(server);
    screenBefore.Take(server.root(), 0, 0);
    const auto [pid, main] = StartWithNormalCells(server, screenBefore, command);
    server.WaitQuiet(main, 500, 10000);

    // Untimed: how each new board looks once it has settled.
    std::map<std::string, Look> looks;
    for (const Choice& choice : kChoices) {
        server.Key(PrepareChoice(server, main, choice));
        server.WaitQuiet(main, 500, 10000);
        looks[choice.name] = LookOf(display, main);
    }

    std::mt19937 random(seed);
    std::map<std::string, std::vector<double>> times;
    std::vector<double> hintTimes;
    for (int round = 0; round < rounds; ++round) {
        for (const Choice& choice : kChoices) {
            const KeySym last = PrepareChoice(server, main, choice);
            const double taken = TimeUntilLooks(server, main, last, looks[choice.name]);
            times[choice.name].push_back(taken);
            std::printf("%s_ms=%.3f\n", choice.name, taken);
            server.WaitQuiet(main, 150);
        }
        Snapshot whole(display, looks["custom_60x40"].width, looks["custom_60x40"].height);
        whole.Take(main, 0, 0);
        Game game{server, pid, main, FindGrid(whole)};
        hintTimes.push_back(HintOnBoard(game, 40, 60, random, screenBefore));
        std::printf("hint_60x40_ms=%.3f\n", hintTimes.back());
    }
    Stop(pid);
    for (const Choice& choice : kChoices) {
        std::printf("%s_median_ms=%.3f ", choice.name, Median(times[choice.name]));
    }
    std::printf("hint_60x40_median_ms=%.3f rounds=%d\n", Median(hintTimes), rounds);
    return 0;
}

// ---- guesses --------------------------------------------------------------------------------

// Lets the game settle, answering any box that opens meanwhile (a mine hit, a won game); returns
// how many were answered.
int SettleAnsweringBoxes(Game& game, const Snapshot& screenBefore) {
    int answered = 0;
    for (;;) {
        bool quiet = true;
        const double deadline = NowMs() + 300;
        while (auto event = game.server.Next(deadline)) {
            if (Server::IsTopLevelMap(*event, game.server.root()) &&
                event->xmap.window != game.main) {
                AnswerBox(game, event->xmap.window, screenBefore);
                ++answered;
                quiet = false;
                break;
            }
            if (game.server.IsDamage(*event, game.main)) {
                quiet = false;
            }
        }
        if (quiet) {
            return answered;
        }
    }
}

// The cell the hint's outline is drawn on, if one is.
std::optional<Rect> HintedCell(Game& game) {
    const unsigned long orange = 0xFF8000;
    Display* display = game.server.display();
    const Rect all = game.grid.All();
    Snapshot board(display, all.width, all.height);
    board.Take(game.main, all.x, all.y);
    for (int row = 1; row <= kRows; ++row) {
        for (int col = 1; col <= kCols; ++col) {
            const Rect cell = game.grid.Cell(row, col);
            if (board.Pixel(cell.x - all.x + 1, cell.y - all.y + cell.height / 2) == orange) {
                return cell;
            }
        }
    }
    return std::nullopt;
}

void ClickAt(Game& game, const Rect& cell) {
    PointAt(game.server.display(), cell);
    LeftClick(game.server.display());
}

int Guesses(int rounds, unsigned seed, char** command) {
    Server server;
    Snapshot screenBefore = ScreenSized(server);
    screenBefore.Take(server.root(), 0, 0);
    Game game = StartGame(server, screenBefore, command);
    const Window main = game.main;
    std::mt19937 random(seed);
    std::vector<double> hintTimes;
    int games = 0;
    bool fresh = true;
    while (static_cast<int>(hintTimes.size()) < rounds) {
        if (fresh) {
            ++games;
            ClickAt(game, game.grid.Cell(kRows / 4 + static_cast<int>(random() % (kRows / 2)) + 1,
                                         kCols / 4 + static_cast<int>(random() % (kCols / 2)) + 1));
            fresh = false;
        }
        if (SettleAnsweringBoxes(game, screenBefore) == 0) {
            server.Focus(main);
            server.KeyWith(XK_Alt_L, XK_r);
            server.Settle(nullptr, 150);
            server.Key(XK_c);
            if (SettleAnsweringBoxes(game, screenBefore) == 0) {
                hintTimes.push_back(TimeHint(game));
                std::printf("guess_hint_ms=%.3f\n", hintTimes.back());
                if (const auto cell = HintedCell(game)) {
                    ClickAt(game, *cell);
                    continue;
                }
            }
        }
        // A box (a mine, a win) or no hinted cell: the next game.
        server.Focus(main);
        server.Key(XK_F2);
        server.WaitQuiet(main, 150);
        fresh = true;
    }
    Stop(game.pid);
    std::printf("guess_hint_median_ms=%.3f hints=%zu games=%d\n", Median(hintTimes),
                hintTimes.size(), games);
    return 0;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: window_probe startup COMMAND [ARGS...]\n"
                 "       window_probe response [--rounds N] [--clicks K] [--seed S] COMMAND "
                 "[ARGS...]\n"
                 "       window_probe sizes [--rounds N] [--seed S] COMMAND [ARGS...]\n"
                 "       window_probe guesses [--rounds N] [--seed S] COMMAND [ARGS...]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        return Usage();
    }
    const std::string mode = argv[1];
    if (mode == "startup") {
        return Startup(argv + 2);
    }
    if (mode != "response" && mode != "sizes" && mode != "guesses") {
        return Usage();
    }
    int rounds = 25;
    int clicks = 4;
    unsigned seed = 1;
    int at = 2;
    for (; at + 1 < argc && std::strncmp(argv[at], "--", 2) == 0; at += 2) {
        const std::string option = argv[at];
        const int value = std::atoi(argv[at + 1]);
        if (option == "--rounds") {
            rounds = value;
        } else if (option == "--clicks") {
            clicks = value;
        } else if (option == "--seed") {
            seed = static_cast<unsigned>(value);
        } else {
            return Usage();
        }
    }
    if (at >= argc) {
        return Usage();
    }
    if (mode == "sizes") {
        return Sizes(rounds, seed, argv + at);
    }
    if (mode == "guesses") {
        return Guesses(rounds, seed, argv + at);
    }
    return Response(rounds, clicks, seed, argv + at);
}
