// korvanga_bench: KorvanGA.exe itself against the analyzer simulator, driven from outside as
// the end-to-end test drives it. Twelve analyzers (the showroom's four models repeated at
// addresses 1 to 12) on COM1, the line paced at 960 bytes per second both ways, a device
// reaction time of 5 ms. While it measures:
//   - input: now and then a click on an analyzer of the tree, or an arrow key to it, put
//     into the display's input with SendInput as a user's hand puts it, and the time until
//     its effect shows (the title names that analyzer, and the tree has it selected). An
//     input whose effect has not shown once two refreshes have begun after it is lost: the
//     window thread went back to its message loop, where a waiting input comes before the
//     timer that starts a refresh, and did not carry it out;
//   - answering: a thread of its own sends WM_GETTEXT to the main window every 10 ms
//     (--ping) and notes how long each one waits for its answer. The window thread answers
//     sent messages inside its waits for the bus too, so this says nothing about input;
//   - CPU: of every thread of the program, of the driver's own probes and of the set-up's
//     processes (cpuaccount.h).
// A message box that reports a failed device read is closed as a user would close it (and
// counted).
//
// Each run starts the program, logs in, waits for the analyzers and then measures:
//   link       "&Link Instrument": elapsed time from the command (from the end of a refresh
//              that holds it up) until the window answers again, against the bus bound of the
//              telegrams it put on the line (bytes at 960 per second, the reaction times, the
//              acknowledgement waits of empty addresses and the 400 ms duplicate test of
//              every analyzer found); the program's CPU time meanwhile
//   healthy    the refresh with every analyzer answering
//   silent     10 of the 12 analyzers silent (the two that the input selects answer: the
//              tree refuses to select one that does not)
//   silent-3   3 of the 12 silent (10, 11 and 12)
//   storm      every answer with a broken CRC for the storm's time, then healthy again
//   late-800   every answer 800 ms late (within the 1000 ms time-out), for three phases' time
//   late-300   every answer 300 ms late, as long
// and the program's resident memory after the link and, in the last run, after the minutes.
// Every figure is printed as min / median / max over the runs (refresh periods and telegrams
// per refresh over every refresh of every run).
//
//   korvanga_bench [--repeat N] [--seconds S] [--storm S] [--minutes M] [--links N]
//                  [--reaction MS] [--ping MS] [--dump FOLDER] [--phases healthy,silent,...]
//
// --seconds: length of each refresh phase (30); --storm: length of the bad-CRC storm (15),
// measured with as long again after it; --minutes: when the second memory figure is taken,
// counted from the last run's first link (10); --links: links per run (2); --dump: a folder that gets
// the telegrams of each measurement with the times at which the driver's messages were
// sent and answered and its inputs given and carried out, all in the driver's clock;
// --ping: the WM_GETTEXT rhythm in ms (0: none during the phases).
//
// A refresh begins where the line has been free for kRefreshGapMs since every earlier
// exchange was over (refreshes.h); the reads of a selection the user made begin none.
//
// Input: clicks on the tree's items and arrow keys in the tree select the first analyzer and
// the second in turn; an input took effect when the title names the analyzer it selects. An
// input whose analyzer did not answer the program's last request to it before the input, or
// one while the input waited, is refused by the program (the tree keeps its selection), and
// is counted apart from the lost ones.
//
// The link goes in once a refresh has ended: the bus has been quiet for a while after a
// refresh's telegrams.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "cpuaccount.h"
#include "program_driver.h"
#include "refreshes.h"
#include "resource.h"
#include "vasksim_client.h"
#include "windowinput.h"
#include "wirebound.h"

namespace {

const int kAnalyzers = 12;
const int kMarkerAddress = 1;      // the first analyzer, asked first after a link; never silenced
const int kOtherTarget = 2;        // the input selects it and the marker in turn
// The analyzers of the input's targets, in the order of WindowInput::Targets().
const int kTargetAddresses[] = {kMarkerAddress, kOtherTarget};
const double kStallMs = 100.0;     // a message not answered within this is a stall
const double kDuplicateTestMs = 400.0;
const double kByteMs = bench::kLineByteMs;
// Between two refreshes the bus is quiet for about a second; within one, never this long.
const double kQuietAfterRefreshMs = 250.0;
// A refresh begins once the line has been free this long (the timer leaves about a second).
const double kRefreshGapMs = 600.0;
// A selection's reads begin at most this long after its effect showed (the title).
const double kSelectionReadsMs = 300.0;
// The pause before each input, drawn at random so that inputs meet every part of a refresh.
const double kInputPauseMinMs = 400.0, kInputPauseMaxMs = 1600.0;
// An input whose effect has not shown by then counts as lost even if no refresh came.
const double kInputGiveUpMs = 180000.0;
// The bus is busy at a moment when a telegram or its answer ended at most this long before
// and the next telegram began at most this long after: within a refresh's run of requests.
const double kBusyGapMs = 100.0;
// The program's wait for an answer, from the end of its telegram (ms).
const double kReplyTimeoutMs = 1000.0;
// How many telegrams before an input are searched for the last one to its analyzer.
const unsigned long long kLookBack = 400;

struct Options {
    int repeat = 3;
    int links = 2;
    int seconds = 30;
    int storm = 15;
    int minutes = 10;
    int reaction = 5;
    int ping = 10;     // ms between the driver's WM_GETTEXT in the phases; 0: none
    std::string dump;  // a folder for the telegrams and answers of each measurement
    std::string phases = "healthy,silent,silent-3,storm,late-800,late-300";
    bool Wants(const char* phase) const {
        return ("," + phases + ",").find("," + std::string(phase) + ",") != std::string::npos;
    }
};

double NowMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return (double)now.QuadPart * 1000.0 / (double)frequency.QuadPart;
}

void Say(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::vprintf(format, args);
    va_end(args);
    std::fflush(stdout);
}

// ---- the simulated bus ----------------------------------------------------------------------

struct Ping {
    double sent, answered;
};

// One input of the user's hand: when it was given, when its effect showed (0: lost).
struct Input {
    double sent = 0;
    double shown = 0;
    bool key = false;
    bool treeAgrees = true;      // the tree had the analyzer selected that the title named
    bool busBusy = false;        // given while the bus was busy (kBusyGapMs)
    bool refused = false;        // its analyzer did not answer (see above)
};

struct Model {
    int type, components, ranges;
    const char* name;
    const char* meas;  // SET a meas 0 ...
    const char* unit;  // SET a unit 0 ... (null: the default)
    const char* gas;
};
// The showroom's analyzers (sim/scenarios/showroom.txt), in the order of their addresses.
const Model kModels[4] = {
    {1, 2, 4, "Sindor Kiln", "412 25 40000", nullptr, nullptr},
    {2, 1, 2, "Parvel Stack", "20.9 0.3 30000", "11", "12"},
    {7, 1, 4, "Lorvix H2", "45 5 60000", nullptr, nullptr},
    {3, 1, 4, "Quenta THC", "120 30 50000", nullptr, nullptr},
};

std::string AnalyzerName(int address) {
    return std::string(kModels[(address - 1) % 4].name) + " " + std::to_string(address);
}

class Bus {
public:
    bool Connect() {
        std::string error;
        if (sim_.Connect(&error)) return true;
        Say("the simulator cannot be reached: %s\n", error.c_str());
        return false;
    }
    bool Command(const std::string& line, std::string* message = nullptr) {
        std::string text;
        if (sim_.Command(line, nullptr, &text)) {
            if (message) *message = text;
            return true;
        }
        Say("simulator: %s: %s\n", line.c_str(), text.c_str());
        return false;
    }
    bool Prepare(int reaction) {
        if (!Command("SCENARIO empty") || !Command("CLEARFAULTS")) return false;
        for (int a = 1; a <= kAnalyzers; ++a) {
            const Model& m = kModels[(a - 1) % 4];
            const std::string address = std::to_string(a);
            if (!Command("DEVICE " + address + " type=" + std::to_string(m.type) +
                         " components=" + std::to_string(m.components) +
                         " ranges=" + std::to_string(m.ranges)) ||
                !Command("SET " + address + " name " + AnalyzerName(a)) ||
                !Command("SET " + address + " meas 0 " + m.meas))
                return false;
            if (m.unit && !Command("SET " + address + " unit 0 " + m.unit)) return false;
            if (m.gas && !Command("SET " + address + " gas 0 " + m.gas)) return false;
        }
        return Command("PACE both") && Command("REACTION " + std::to_string(reaction)) &&
               Command("ECHO off");
    }
    bool LogCount(unsigned long long& count) {
        std::string message;
        if (!Command("LOGCOUNT", &message)) return false;
        count = std::strtoull(message.c_str(), nullptr, 10);
        return true;
    }
    // The telegrams received after `from`, up to `to` (0: all).
    bool Telegrams(unsigned long long from, unsigned long long to,
                   std::vector<vasksim::SimLogEntry>& out) {
        out.clear();
        std::vector<vasksim::SimLogEntry> entries;
        if (!sim_.Log(entries, from + 1)) {
            Say("simulator: LOG: %s\n", sim_.LastError().c_str());
            return false;
        }
        for (const vasksim::SimLogEntry& e : entries)
            if (to == 0 || e.seq <= to) out.push_back(e);
        return true;
    }
    // The simulator's clock less the driver's, from the quickest of a few round trips.
    bool SyncClock() {
        double best = 1e9;
        for (int i = 0; i < 8; ++i) {
            std::string message;
            const double before = NowMs();
            if (!Command("CLOCK", &message)) return false;
            const double after = NowMs();
            if (after - before < best) {
                best = after - before;
                offset_ = std::atof(message.c_str()) - (before + after) / 2;
            }
        }
        return true;
    }
    // A time of the simulator's log in the driver's clock.
    double ToDriver(double simMs) const { return simMs - offset_; }

private:
    vasksim::SimClient sim_;
    double offset_ = 0;
};

// The analyzer a telegram went to ("3/1": analyzer 3, its component 1).
int AddressOf(const vasksim::SimLogEntry& e) { return std::atoi(e.to.c_str()); }

bench::WireTelegram ToWire(const vasksim::SimLogEntry& e) {
    bench::WireTelegram t;
    t.timeMs = e.timeMs;
    t.pcBytes = (int)(e.raw.size() / 2);
    t.deviceBytes = e.sent < 0 ? 0 : e.sent;
    t.device = AddressOf(e);
    t.command = e.command;
    t.function = e.function;
    t.action = e.action;
    return t;
}

bool Answered(const vasksim::SimLogEntry& e) {
    return e.action.find("reply") != std::string::npos &&
           e.action.find("badcrc") == std::string::npos &&
           e.action.find("wrongsrc") == std::string::npos;
}

// ---- the program's windows ------------------------------------------------------------------

// The telegrams of a measurement, the answers to the driver's messages and its inputs, in
// the driver's clock from `start` (ms): "t <end of the telegram> <bytes> <device bytes> <to>
// <message> <action>", "m <sent> <answered>", "i <given> <shown, -1: lost> click|key" and
// "b <seen> <pressed> <text>" for the error boxes.
struct BoxSeen {
    double seen, pressed;
    std::string text;
};
void Dump(const std::string& path, double start, const std::vector<vasksim::SimLogEntry>& entries,
          const std::vector<double>& driverTimes, const std::vector<Ping>& pings,
          const std::vector<Input>& inputs = {}, const std::vector<BoxSeen>& boxes = {}) {
    FILE* f = std::fopen(path.c_str(), "w");
    if (f == NULL) return;
    for (const Input& i : inputs)
        std::fprintf(f, "i %.1f %.1f %s\n", i.sent - start, i.shown > 0 ? i.shown - start : -1.0,
                     i.key ? "key" : "click");
    for (const BoxSeen& b : boxes)
        if (b.seen >= start)
            std::fprintf(f, "b %.1f %.1f %s\n", b.seen - start, b.pressed - start, b.text.c_str());
    size_t p = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        for (; p < pings.size() && pings[p].sent <= driverTimes[i]; ++p)
            std::fprintf(f, "m %.1f %.1f\n", pings[p].sent - start, pings[p].answered - start);
        const vasksim::SimLogEntry& e = entries[i];
        std::fprintf(f, "t %.1f %zu %d %s %c%d %s\n", driverTimes[i] - start, e.raw.size() / 2,
                     e.sent, e.to.c_str(), e.command ? e.command : '-', e.function,
                     e.action.c_str());
    }
    for (; p < pings.size(); ++p)
        std::fprintf(f, "m %.1f %.1f\n", pings[p].sent - start, pings[p].answered - start);
    std::fclose(f);
}

// Names the calling thread of the driver for the CPU account.
void NameThisThread(const char* name) {
    HANDLE self = NULL;
    DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &self, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
    bench::CpuAccount::NameOwnThread(self, name);
}

// Sends WM_GETTEXT to a window in a rhythm from a thread of its own, each after the last one
// was answered, and keeps when each was sent and answered.
class Pinger {
public:
    void Start(HWND hWnd, double everyMs) {
        stop_ = false;
        thread_ = std::thread([this, hWnd, everyMs] {
            NameThisThread("WM_GETTEXT probe");
            while (!stop_) {
                char text[256];
                DWORD_PTR result = 0;
                const double sent = NowMs();
                const LRESULT ok = SendMessageTimeoutA(hWnd, WM_GETTEXT, sizeof text,
                                                       (LPARAM)text, SMTO_NORMAL, 600000, &result);
                const double answered = NowMs();
                {
                    std::lock_guard<std::mutex> lock(mutex_);
                    pings_.push_back({sent, answered});
                }
                if (!ok && !IsWindow(hWnd)) break;
                // One sleep to the next message: a loop of short sleeps wakes the driver a
                // thousand times a second, which on a busy machine costs it seconds a minute.
                const double left = sent + everyMs - NowMs();
                if (left >= 1) Sleep((DWORD)left);
            }
        });
    }
    // Waits for the answer to the message on its way.
    std::vector<Ping> Stop() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
        std::lock_guard<std::mutex> lock(mutex_);
        std::vector<Ping> pings;
        pings.swap(pings_);
        return pings;
    }
    // The first answer at or after `t`; 0 when none yet.
    double AnsweredAfter(double t) {
        std::lock_guard<std::mutex> lock(mutex_);
        for (const Ping& p : pings_)
            if (p.answered >= t) return p.answered;
        return 0;
    }
    ~Pinger() { Stop(); }

private:
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<Ping> pings_;
};

// The value-bars pane (it shows while an analyzer is selected): a visible progress bar among
// the main window's descendants. Asks the window manager only, never the program's thread.
bool BarsShowing(HWND hMain) {
    bool found = false;
    EnumChildWindows(
        hMain,
        [](HWND hWnd, LPARAM p) -> BOOL {
            char name[64] = "";
            GetClassNameA(hWnd, name, sizeof name);
            if (std::string(name) == "msctls_progress32" && IsWindowVisible(hWnd)) {
                *(bool*)p = true;
                return FALSE;
            }
            return TRUE;
        },
        (LPARAM)&found);
    return found;
}

bool WaitUntil(const std::function<bool()>& done, double timeoutMs, double stepMs = 20) {
    const double end = NowMs() + timeoutMs;
    while (NowMs() < end) {
        if (done()) return true;
        Sleep((DWORD)stepMs);
    }
    return done();
}

double ResidentMb(HANDLE hProcess) {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(hProcess, &counters, sizeof counters)) return -1;
    return (double)counters.WorkingSetSize / (1024.0 * 1024.0);
}

// ---- figures --------------------------------------------------------------------------------

struct Figures {
    std::vector<double> values;
    void Add(double v) { values.push_back(v); }
    bool Empty() const { return values.empty(); }
    double Min() const { return *std::min_element(values.begin(), values.end()); }
    double Max() const { return *std::max_element(values.begin(), values.end()); }
    double Median() const {
        std::vector<double> v = values;
        std::sort(v.begin(), v.end());
        const size_t n = v.size();
        return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
    }
};

std::string Format(double v, const char* format = "%.2f") {
    char text[32];
    std::snprintf(text, sizeof text, format, v);
    return text;
}

void PrintFigures(const char* what, const Figures& f, const char* format, double scale = 1.0) {
    std::string line = std::string("   %-40s ") + format + " / " + format + " / " + format +
                       "   (%zu)\n";
    if (f.Empty()) {
        Say("   %-40s -\n", what);
        return;
    }
    Say(line.c_str(), what, f.Min() * scale, f.Median() * scale, f.Max() * scale,
        f.values.size());
}

struct LinkFigures {
    Figures elapsed, bound, ratio, telegrams, perAnalyzer, before, after, idle, cpu, memory;
};

struct PhaseFigures {
    Figures period, perRefresh, longest, share, cpu, perMinute, cameBack, boxes;
    std::map<std::string, double> kinds;  // telegrams of a kind, summed over the refreshes
    int refreshes = 0;
    // The inputs of every run: how long each one carried out took (s), and those lost.
    Figures inputDelay;
    int inputs = 0, keys = 0, lost = 0, keysLost = 0, busBusy = 0, lostBusBusy = 0, refused = 0;
    int treeDisagrees = 0;
    // CPU s per minute by what used it (cpuaccount.h), one figure per run.
    std::map<std::string, Figures> cpuBy;
};


// A user at the program: presses OK in the message boxes that report a failed device read
// ("Error." ...) or a lost connection, as they come, and counts them.
class BoxCloser {
public:
    void Start(e2e::Program& program) {
        stop_ = false;
        thread_ = std::thread([this, &program] {
            NameThisThread("error-box closer");
            while (!stop_) {
                for (HWND hWnd : program.Windows()) {
                    char name[32] = "";
                    GetClassNameA(hWnd, name, sizeof name);
                    if (std::string(name) != "#32770") continue;
                    for (const std::string& text : e2e::ChildTexts(hWnd))
                        if (text.compare(0, 6, "Error.") == 0 ||
                            text.find("is interrupted") != std::string::npos) {
                            const double seen = NowMs();
                            e2e::Press(hWnd, IDOK);
                            ++count_;
                            {
                                std::lock_guard<std::mutex> lock(mutex_);
                                seen_.push_back({seen, NowMs(), text});
                            }
                            // Until it has gone: the same box is counted once.
                            for (int i = 0; i < 200 && IsWindow(hWnd) && IsWindowVisible(hWnd); ++i)
                                Sleep(10);
                            break;
                        }
                }
                Sleep(100);
            }
        });
    }
    void Stop() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
    }
    int Count() const { return count_; }
    // The boxes pressed so far, for the dump.
    std::vector<BoxSeen> Seen() {
        std::lock_guard<std::mutex> lock(mutex_);
        return seen_;
    }
    ~BoxCloser() { Stop(); }

private:
    std::mutex mutex_;
    std::vector<BoxSeen> seen_;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::atomic<int> count_{0};
};

// ---- one run --------------------------------------------------------------------------------

class Run {
public:
    Run(const Options& options, Bus& bus) : options_(options), bus_(bus) {}

    bool Start() {
        if (!bus_.Prepare(options_.reaction)) return false;
        e2e::ClearProfile();
        folder_.reset(new e2e::ProgramFolder(e2e::OwnFolder()));
        if (!folder_->Ok() || !e2e::WriteComNetwork(folder_->Path(), "Bench", 1)) {
            Say("the program folder or its network could not be written\n");
            return false;
        }
        if (!program_.Start(folder_->Exe(), "-nologo", folder_->BinFolder())) {
            Say("KorvanGA.exe did not start\n");
            return false;
        }
        HWND hLogin =
            program_.WaitFor([&] { return program_.FindCaption("Access Authorization"); }, 60000);
        if (hLogin == NULL) {
            Say("no login window\n");
            return false;
        }
        e2e::Press(hLogin, IDOK);
        boxes_.Start(program_);
        hMain_ = program_.WaitFor([&] { return program_.MainWindow(); }, 60000);
        if (hMain_ == NULL || !WaitForAnalyzers(180000)) {
            Say("the analyzers did not come up in the tree; it shows:\n");
            for (const std::string& item : program_.TreeItems()) Say("     %s\n", item.c_str());
            ShowWindows();
            return false;
        }
        return bus_.SyncClock();
    }

    bool Link(LinkFigures& out) {
        if (!WaitUntil([&] { return BarsShowing(hMain_); }, 30000)) {
            Say("link: no analyzer selected before the link\n");
            return false;
        }
        // The command goes in right after a refresh: the next one is about a second away, and
        // the link neither waits for one nor carries one's telegrams.
        if (!WaitForRefreshEnd(30000)) {
            Say("link: no refresh ended within 30 s\n");
            return false;
        }
        Pinger pinger;
        // Back to back: the answer right after the link comes before the next tick's refresh.
        pinger.Start(hMain_, 0);
        unsigned long long from = 0, to = 0;
        if (!bus_.LogCount(from)) return false;
        const double cpu = ProgramCpuMs();
        const double posted = NowMs();
        PostMessageA(hMain_, WM_COMMAND, ID_LINK_INSTRUMENT, 0);
        // The user's wait begins with the command: the refresh has ended, and the window
        // thread takes it at once (the link's first steps answer no message for tens of ms).
        const double start = posted;
        // The selection goes with the old analyzers and comes back with the first new one:
        // the value bars go and return (a link of analyzers takes seconds; a moment without
        // them is something else). The link is over when the window answers after that.
        bool back = false;
        for (int glimpse = 0; glimpse < 5 && !back; ++glimpse) {
            if (!WaitUntil([&] { return !BarsShowing(hMain_); }, 60000, 1)) break;
            const double goneAt = NowMs();
            back = WaitUntil([&] { return BarsShowing(hMain_); }, 180000, 1) &&
                   NowMs() - goneAt > 2000;
        }
        double end = 0;
        if (back) {
            const double barsAt = NowMs();
            WaitUntil([&] { return (end = pinger.AnsweredAfter(barsAt)) != 0; }, 60000, 1);
        }
        const bool counted = bus_.LogCount(to);
        const double cpuUsed = ProgramCpuMs() - cpu;
        const std::vector<Ping> pings = pinger.Stop();
        if (!back || end == 0 || !counted) {
            Say("link: the link did not end as expected\n");
            return false;
        }
        std::vector<vasksim::SimLogEntry> entries;
        if (!bus_.Telegrams(from, to, entries)) return false;
        // A telegram of the refresh after the link may have come in before the count; one
        // that began before the command is not the link's either.
        while (!entries.empty() && bus_.ToDriver((double)entries.back().timeMs) > end)
            entries.pop_back();
        while (!entries.empty() && bus_.ToDriver((double)entries.front().timeMs -
                                                 entries.front().raw.size() / 2 * kByteMs) < start) {
            Say("   a telegram that began before the command is left out of the link: %c%d to %s\n",
                entries.front().command ? entries.front().command : '-', entries.front().function,
                entries.front().to.c_str());
            entries.erase(entries.begin());
        }
        std::vector<bench::WireTelegram> telegrams;
        std::vector<double> times;
        std::vector<bool> found(16, false);
        for (const vasksim::SimLogEntry& e : entries) {
            telegrams.push_back(ToWire(e));
            times.push_back(bus_.ToDriver((double)e.timeMs));
            // Each analyzer found had its duplicate test after its version answer.
            if (e.command == 'k' && e.function == 6 && Answered(e))
                found[AddressOf(e) & 15] = true;
        }
        const int analyzers = (int)std::count(found.begin(), found.end(), true);
        if (!options_.dump.empty())
            Dump(options_.dump + "\\link-" + std::to_string(++dumps_) + ".txt", start, entries,
                 times, pings);
        bench::WireBound b = bench::ComputeWireBound(telegrams, options_.reaction, {}, {}, false);
        b.fixedMs = kDuplicateTestMs * analyzers;
        const double elapsed = end - start;
        out.elapsed.Add(elapsed / 1000);
        out.bound.Add(b.TotalMs() / 1000);
        out.ratio.Add(elapsed / b.TotalMs());
        out.telegrams.Add(b.telegrams);
        if (analyzers > 0) out.perAnalyzer.Add((double)b.telegrams / analyzers);
        if (!entries.empty()) {
            const vasksim::SimLogEntry& first = entries.front();
            const vasksim::SimLogEntry& last = entries.back();
            const double firstStart =
                bus_.ToDriver((double)first.timeMs - first.raw.size() / 2 * kByteMs);
            const bench::WireTelegram lastWire = ToWire(last);
            double lastEnd = bus_.ToDriver((double)last.timeMs);
            lastEnd += lastWire.deviceBytes > 0
                           ? options_.reaction + lastWire.deviceBytes * kByteMs
                           : std::max(0.0, bench::AckWaitFor(lastWire) - lastWire.pcBytes * kByteMs);
            out.before.Add(firstStart - start);
            out.after.Add(end - lastEnd);
            // What is left besides the bound and the two ends lies between the telegrams.
            out.idle.Add((elapsed - b.TotalMs() - (firstStart - start) - (end - lastEnd)) /
                         b.telegrams);
        }
        out.memory.Add(ResidentMb(ProcessHandle()));
        out.cpu.Add(cpuUsed / 1000);
        Say("   link: %.3f s, bound %.3f s (line %.3f, reaction %.3f, ack waits %.3f, duplicate "
            "tests %.3f), ratio %.3f, %d telegrams for %d analyzers\n",
            elapsed / 1000, b.TotalMs() / 1000, b.lineMs / 1000, b.reactionMs / 1000,
            b.ackWaitMs / 1000, b.fixedMs / 1000, elapsed / b.TotalMs(), b.telegrams, analyzers);
        if (linkedAt_ == 0) linkedAt_ = end;
        // The tree holds the new analyzers before anything else is measured.
        return WaitForAnalyzers(60000);
    }

    // A phase: `begin` at its start, `at` (when given) after `atMs`, `end` at its end. An
    // input still waiting for its effect holds the end back until it shows or is lost.
    bool Phase(const char* name, double ms, PhaseFigures& out, const std::function<bool()>& begin,
               double atMs = 0, const std::function<bool()>& at = nullptr,
               const std::function<bool()>& end = nullptr) {
        if (!PrepareInput()) return false;
        Pinger pinger;
        unsigned long long from = 0;
        if (!bus_.LogCount(from)) return false;
        const int boxes = boxes_.Count();
        bench::CpuAccount account(program_.Pid(), input_.WindowThread(), "KorvanGA.exe");
        const bench::CpuTimes cpuBefore = account.Take();
        const double cpu = ProgramCpuMs();
        const double start = NowMs();
        if (options_.ping > 0) pinger.Start(hMain_, options_.ping);
        if (!begin()) return false;
        bool done = false;
        std::vector<Input> inputs;
        InputTurn turn;
        turn.next = start + Pause();
        while (NowMs() - start < ms || turn.pending) {
            if (at && !done && NowMs() - start >= atMs) {
                if (!at()) return false;
                done = true;
            }
            if (!program_.Running()) return false;
            if (!GiveOrFollowInput(turn, NowMs() - start < ms, inputs)) return false;
            Sleep(turn.pending && NowMs() - turn.input.sent < 50 ? 1 : 5);
        }
        if (end && !end()) return false;
        // The probe's thread ends with Stop: its time is taken before.
        const bench::CpuTimes cpuBy = bench::CpuUsed(cpuBefore, account.Take());
        const double cpuUsed = ProgramCpuMs() - cpu;
        const std::vector<Ping> pings = pinger.Stop();
        const double stop = std::max(NowMs(), start + ms);
        unsigned long long to = 0;
        std::vector<vasksim::SimLogEntry> entries;
        if (!bus_.LogCount(to) || !bus_.Telegrams(from, to, entries)) return false;

        std::vector<double> times;
        for (const vasksim::SimLogEntry& e : entries) times.push_back(bus_.ToDriver((double)e.timeMs));
        const std::vector<bench::Exchange> exchanges = Exchanges(entries);
        // Whether each input came while the bus was busy: while a telegram or its answer (a
        // late one included) was awaited, or between two such of which the one ended at most
        // kBusyGapMs before it and the next began at most as long after.
        for (Input& in : inputs) {
            double before = -1e12, after = 1e12;
            bool inside = false;
            for (size_t i = 0; i < entries.size(); ++i) {
                const double began = exchanges[i].began, over = exchanges[i].over;
                if (began <= in.sent) before = std::max(before, over);
                if (began > in.sent) after = std::min(after, began);
                inside = inside || (began <= in.sent && in.sent <= over);
            }
            in.busBusy = inside || (in.sent - before <= kBusyGapMs && after - in.sent <= kBusyGapMs);
        }
        if (!options_.dump.empty())
            Dump(options_.dump + "\\" + name + "-" + std::to_string(++dumps_) + ".txt", start,
                 entries, times, pings, inputs, boxes_.Seen());
        double longest = 0, stalled = 0;
        for (const Ping& p : pings) {
            const double waited = p.answered - p.sent;
            longest = std::max(longest, waited);
            if (waited > kStallMs) stalled += waited;
        }
        const double minutes = (stop - start) / 60000;
        if (!pings.empty()) {
            out.longest.Add(longest / 1000);
            out.share.Add(stalled / (stop - start));
        }
        if (cpuUsed >= 0) out.cpu.Add(cpuUsed / 1000 / minutes);
        for (const auto& c : cpuBy) out.cpuBy[c.first].Add(c.second / 1000 / minutes);
        out.perMinute.Add(entries.size() / minutes);

        // The reads of each selection the user made begin no refresh.
        std::vector<std::pair<double, double>> selections;
        for (const Input& in : inputs)
            if (in.shown > 0) selections.push_back({in.sent, in.shown + kSelectionReadsMs});
        const std::vector<size_t> starts =
            bench::RefreshStarts(exchanges, kRefreshGapMs, start, selections);
        for (size_t k = 0; k + 1 < starts.size(); ++k) {
            out.period.Add((entries[starts[k + 1]].timeMs - entries[starts[k]].timeMs) / 1000.0);
            out.perRefresh.Add((double)(starts[k + 1] - starts[k]));
            for (size_t i = starts[k]; i < starts[k + 1]; ++i) {
                const vasksim::SimLogEntry& e = entries[i];
                out.kinds[std::string(1, e.command ? e.command : '-') + " " +
                          std::to_string(e.function)] += 1;
            }
            ++out.refreshes;
        }
        out.boxes.Add(boxes_.Count() - boxes);
        Figures delays;
        int lost = 0, refused = 0;
        for (const Input& in : inputs) {
            ++out.inputs;
            out.keys += in.key;
            out.busBusy += in.busBusy;
            out.treeDisagrees += !in.treeAgrees;
            if (in.shown > 0) {
                out.inputDelay.Add((in.shown - in.sent) / 1000);
                delays.Add((in.shown - in.sent) / 1000);
            } else if (in.refused) {
                ++refused;
                ++out.refused;
            } else {
                ++lost;
                ++out.lost;
                out.keysLost += in.key;
                out.lostBusBusy += in.busBusy;
            }
        }
        Say("   %s: %zu telegrams, %zu refreshes, longest stall %.2f s, not answering %.0f %% of "
            "the time, CPU %.2f s per minute, %d error boxes\n",
            name, entries.size(), starts.empty() ? 0 : starts.size() - 1, longest / 1000,
            100 * stalled / (stop - start), cpuUsed / 1000 / minutes, boxes_.Count() - boxes);
        Say("      %zu inputs, %d lost, %d refused (not answering); carried out after %s s (min / "
            "median / max)\n",
            inputs.size(), lost, refused,
            delays.Empty() ? "-"
                           : (Format(delays.Min()) + " / " + Format(delays.Median()) + " / " +
                              Format(delays.Max()))
                                 .c_str());
        return true;
    }

    // How late the devices answer in the phase about to run (the simulator's log says only
    // that an answer was late).
    void SetAnswerDelay(double ms) { answerDelayMs_ = ms; }

    // After a fault is cleared: how long until every analyzer answers a refresh's status read
    // again.
    bool ComeBack(PhaseFigures& out) {
        unsigned long long from = 0;
        if (!bus_.LogCount(from)) return false;
        const double start = NowMs();
        double back = 0;
        while (NowMs() - start < 120000 && back == 0) {
            Sleep(500);
            std::vector<vasksim::SimLogEntry> entries;
            if (!bus_.Telegrams(from, 0, entries)) return false;
            std::vector<bool> answered(kAnalyzers + 1, false);
            for (const vasksim::SimLogEntry& e : entries)
                if (e.command == 'k' && e.function == 23 && Answered(e))
                    answered[AddressOf(e) % (kAnalyzers + 1)] = true;
            if (std::count(answered.begin() + 1, answered.end(), true) == kAnalyzers)
                back = NowMs() - start;
        }
        if (back == 0) {
            Say("   the analyzers did not come back within 2 minutes; the program shows:\n");
            ShowWindows();
            return false;
        }
        out.cameBack.Add(back / 1000);
        Say("   every analyzer answers again after %.1f s\n", back / 1000);
        return true;
    }

    // Healthy until the run's minutes since the first link are over; the resident memory then.
    bool RestUntilMinutes(Figures& memory) {
        const double end = linkedAt_ + options_.minutes * 60000.0;
        while (NowMs() < end) {
            if (!program_.Running()) return false;
            Sleep(200);
        }
        const double mb = ResidentMb(ProcessHandle());
        memory.Add(mb);
        Say("   resident memory after %d minutes: %.1f MB\n", options_.minutes, mb);
        return true;
    }

    bool Close() {
        boxes_.Stop();
        PostMessageA(hMain_, WM_CLOSE, 0, 0);
        HWND hQuestion = program_.WaitFor(
            [&] { return program_.FindDialogWithText("Do you really want to exit"); }, 60000);
        if (hQuestion != NULL) e2e::Press(hQuestion, IDYES);
        const bool ended = program_.WaitExit(60000) != -1;
        e2e::ClearProfile();
        return hQuestion != NULL && ended;
    }

private:
    // An input on its way: given, its effect not yet seen nor the input lost.
    struct InputTurn {
        bool pending = false;
        double next = 0;  // when the next input is due (driver clock)
        Input input;
        size_t target = 0;  // the index of the analyzer it selects (input_.Targets())
        unsigned long long logFrom = 0;
        double nextLogLook = 0;
    };

    double Pause() {
        std::uniform_real_distribution<double> pause(kInputPauseMinMs, kInputPauseMaxMs);
        return pause(random_);
    }

    // The tree's marker analyzer and the one below it, where clicks and arrow keys select
    // them in turn; the window in the foreground and the tree with the keyboard focus.
    bool PrepareInput() {
        std::string error;
        if (!input_.Prepare(hMain_,
                            {AnalyzerName(kTargetAddresses[0]), AnalyzerName(kTargetAddresses[1])},
                            &error)) {
            Say("input: %s\n", error.c_str());
            return false;
        }
        const std::vector<bench::TreeTarget>& targets = input_.Targets();
        if ((HTREEITEM)SendMessageA(input_.Tree(), TVM_GETNEXTITEM, TVGN_NEXT,
                                    (LPARAM)targets[0].item) != targets[1].item) {
            Say("input: \"%s\" is not right below \"%s\" in the tree, as the arrow keys need\n",
                targets[1].text.c_str(), targets[0].text.c_str());
            return false;
        }
        const size_t shown = input_.TitleShows(targets[1]) ? 1 : 0;
        if (!input_.TakeFocus(targets[shown], 10000)) {
            Say("input: the tree does not take the keyboard focus\n");
            return false;
        }
        return true;
    }

    // Gives the next input when it is due (and `more`), or follows the one on its way: its
    // effect shown, or lost once two refreshes have begun after it.
    bool GiveOrFollowInput(InputTurn& turn, bool more, std::vector<Input>& inputs) {
        const std::vector<bench::TreeTarget>& targets = input_.Targets();
        const double now = NowMs();
        if (!turn.pending) {
            if (!more || now < turn.next) return true;
            const bool key = inputs.size() % 2 == 1;
            // A box of the program over the window takes the input, as it would a user's:
            // the input waits until the window is the user's again.
            if (!input_.Ready(key)) {
                if (IsWindowEnabled(hMain_) && program_.FindDialogWithText("") == NULL &&
                    !input_.TakeFocus(targets[input_.TitleShows(targets[1]) ? 1 : 0], 2000))
                    Say("input: the window or the tree does not take the focus\n");
                turn.next = NowMs() + 100;
                return true;
            }
            turn.target = input_.TitleShows(targets[0]) ? 1 : 0;
            if (!bus_.LogCount(turn.logFrom)) return false;
            turn.input = Input();
            turn.input.key = key;
            turn.input.sent = NowMs();
            const bool given = key ? input_.Key(turn.target == 1 ? VK_DOWN : VK_UP)
                                   : input_.Click(targets[turn.target]);
            if (!given) {
                Say("input: SendInput refused the input\n");
                return false;
            }
            turn.pending = true;
            turn.nextLogLook = turn.input.sent + 100;
            // The program's last request to the analyzer before the input.
            std::vector<vasksim::SimLogEntry> before;
            if (turn.logFrom > 0 &&
                !bus_.Telegrams(turn.logFrom > kLookBack ? turn.logFrom - kLookBack : 0,
                                turn.logFrom, before))
                return false;
            for (auto e = before.rbegin(); e != before.rend(); ++e)
                if (AddressOf(*e) == kTargetAddresses[turn.target]) {
                    turn.input.refused = !Answered(*e);
                    break;
                }
            return true;
        }
        if (input_.TitleShows(targets[turn.target])) {
            turn.input.shown = now;
            turn.input.treeAgrees = input_.Selected() == targets[turn.target].item;
        } else if (now >= turn.nextLogLook) {
            turn.nextLogLook = now + 100;
            std::vector<vasksim::SimLogEntry> entries;
            if (!bus_.Telegrams(turn.logFrom, 0, entries)) return false;
            for (const vasksim::SimLogEntry& e : entries)
                if (AddressOf(e) == kTargetAddresses[turn.target] && !Answered(e))
                    turn.input.refused = true;
            // From the input on: the line was busy or free when it was given.
            const size_t starts =
                bench::RefreshStarts(Exchanges(entries), kRefreshGapMs, turn.input.sent).size();
            if (starts < 2 && now - turn.input.sent < kInputGiveUpMs) return true;
        } else {
            return true;
        }
        inputs.push_back(turn.input);
        turn.pending = false;
        turn.next = NowMs() + Pause();
        return true;
    }

    // Each telegram's exchange on the driver's clock: when it began on the line, and when it
    // was over (its answer received, a late one included, or the program's wait given up).
    std::vector<bench::Exchange> Exchanges(const std::vector<vasksim::SimLogEntry>& entries) {
        std::vector<bench::Exchange> exchanges;
        for (const vasksim::SimLogEntry& e : entries) {
            const double at = bus_.ToDriver((double)e.timeMs);
            const bench::WireTelegram t = ToWire(e);
            const double late = t.action.find("slow") != std::string::npos ? answerDelayMs_ : 0;
            double over = at + (t.deviceBytes > 0
                                    ? options_.reaction + late + t.deviceBytes * kByteMs
                                    : bench::AckWaitFor(t) - t.pcBytes * kByteMs);
            // An answer the program cannot take (a broken CRC, another sender) does not end
            // its wait: it waits for a good one until its time-out.
            if (t.deviceBytes > 0 && !Answered(e)) over = std::max(over, at + kReplyTimeoutMs);
            exchanges.push_back({at - t.pcBytes * kByteMs, over});
        }
        return exchanges;
    }

    // Until a refresh has ended: one began since the call (the first analyzer's extended
    // status), every analyzer's extended status followed, and then no telegram for a while.
    // A pause within a refresh (the window thread busy between two requests) is not its end.
    bool WaitForRefreshEnd(double timeoutMs) {
        unsigned long long first = 0;
        if (!bus_.LogCount(first)) return false;
        unsigned long long last = first;
        double changed = NowMs();
        const double end = NowMs() + timeoutMs;
        while (NowMs() < end) {
            unsigned long long count = 0;
            if (!bus_.LogCount(count)) return false;
            if (count != last) {
                last = count;
                changed = NowMs();
            } else if (last != first && NowMs() - changed >= kQuietAfterRefreshMs) {
                std::vector<vasksim::SimLogEntry> entries;
                if (!bus_.Telegrams(first, last, entries)) return false;
                std::vector<bool> asked(kAnalyzers + 1, false);
                bool begun = false;
                for (const vasksim::SimLogEntry& e : entries) {
                    if (e.command != 'k' || e.function != 23) continue;
                    const int address = AddressOf(e);
                    if (address == kMarkerAddress) begun = true;
                    if (begun && address >= 1 && address <= kAnalyzers) asked[address] = true;
                }
                if (std::count(asked.begin() + 1, asked.end(), true) == kAnalyzers) return true;
            }
            Sleep(5);
        }
        return false;
    }

    void ShowWindows() {
        for (HWND hWnd : program_.Windows()) {
            Say("   window \"%s\"\n", e2e::Text(hWnd).c_str());
            for (const std::string& text : e2e::ChildTexts(hWnd))
                if (!text.empty()) Say("     %s\n", text.c_str());
        }
    }
    // The analyzers are the tree's items below the converter (the third level; a Quenta
    // takes the name of its variant).
    bool WaitForAnalyzers(DWORD timeoutMs) {
        return program_.WaitFor(
                   [&]() -> HWND {
                       const std::vector<std::string> items = program_.TreeItems();
                       const long analyzers =
                           std::count_if(items.begin(), items.end(), [](const std::string& i) {
                               return i.compare(0, 4, "    ") == 0;
                           });
                       return analyzers >= kAnalyzers &&
                                      program_.FindDialogWithText("Searching for device") == NULL
                                  ? hMain_
                                  : NULL;
                   },
                   timeoutMs) != NULL;
    }
    // The program's CPU time so far (ms), from its Unix process: under Wine, GetProcessTimes
    // answers with the caller's own times whatever process it is asked about.
    double ProgramCpuMs() {
        if (unixPid_ == 0) unixPid_ = bench::FindPrefixProcess("KorvanGA.exe");
        return unixPid_ != 0 ? bench::UnixProcessMs(unixPid_) : -1;
    }
    HANDLE ProcessHandle() {
        if (hProcess_ == NULL)
            hProcess_ = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE,
                                    program_.Pid());
        return hProcess_;
    }

public:
    ~Run() {
        if (hProcess_ != NULL) CloseHandle(hProcess_);
    }

private:
    const Options& options_;
    Bus& bus_;
    std::unique_ptr<e2e::ProgramFolder> folder_;
    e2e::Program program_;
    HWND hMain_ = NULL;
    HANDLE hProcess_ = NULL;
    unsigned long unixPid_ = 0;
    double linkedAt_ = 0;
    int dumps_ = 0;
    double answerDelayMs_ = 0;  // how late the devices answer in a phase of late answers
    BoxCloser boxes_;
    bench::WindowInput input_;
    std::mt19937 random_{71};
};

bool ParseInt(const char* text, int& out, int least) {
    char* end = nullptr;
    const long v = std::strtol(text, &end, 10);
    if (end == text || *end != 0 || v < least || v > 100000) return false;
    out = (int)v;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--phases" && i + 1 < argc) {
            options.phases = argv[++i];
            continue;
        }
        if (arg == "--dump" && i + 1 < argc) {
            options.dump = argv[++i];
            CreateDirectoryA(options.dump.c_str(), NULL);
            continue;
        }
        int* target = arg == "--repeat"    ? &options.repeat
                      : arg == "--links"   ? &options.links
                      : arg == "--seconds" ? &options.seconds
                      : arg == "--storm"   ? &options.storm
                      : arg == "--minutes" ? &options.minutes
                      : arg == "--reaction" ? &options.reaction
                      : arg == "--ping"    ? &options.ping
                                            : nullptr;
        if (target == nullptr || i + 1 >= argc ||
            !ParseInt(argv[i + 1], *target, target == &options.ping ? 0 : 1)) {
            std::fprintf(stderr,
                         "usage: korvanga_bench [--repeat N] [--seconds S] [--storm S] "
                         "[--minutes M] [--links N] [--reaction MS] [--ping MS] [--dump FOLDER] "
                         "[--phases healthy,silent,silent-3,storm,late-800,late-300]\n");
            return 2;
        }
        ++i;
    }
    NameThisThread("inputs, bus log and the rest");
    Bus bus;
    if (!bus.Connect()) return 1;
    Say("KorvanGA.exe with %d analyzers on COM1, paced line, %d ms reaction; %d runs, phases of "
        "%d s, a storm of %d s, memory after %d minutes\n",
        kAnalyzers, options.reaction, options.repeat, options.seconds, options.storm,
        options.minutes);

    LinkFigures link;
    Figures memoryLater;
    const char* const kPhases[] = {"healthy", "silent", "silent-3", "storm", "late-800", "late-300"};
    std::map<std::string, PhaseFigures> phases;
    const double phaseMs = options.seconds * 1000.0;
    int failed = 0;
    for (int r = 1; r <= options.repeat; ++r) {
        Say("== run %d\n", r);
        Run run(options, bus);
        auto fault = [&](const std::string& spec) { return bus.Command("FAULT " + spec); };
        auto clear = [&] { return bus.Command("CLEARFAULTS"); };
        bool ok = run.Start();
        for (int l = 0; ok && l < options.links; ++l) ok = run.Link(link);
        if (options.Wants("healthy"))
            ok = ok && run.Phase("healthy", phaseMs, phases["healthy"], [] { return true; });
        if (options.Wants("silent")) {
            ok = ok && run.Phase("silent", phaseMs, phases["silent"], [&] {
                for (int a = 1; a <= kAnalyzers; ++a)
                    if (a != kMarkerAddress && a != kOtherTarget &&
                        !fault(std::to_string(a) + " silent always"))
                        return false;
                return true;
            });
            ok = ok && clear() && run.ComeBack(phases["silent"]);
        }
        if (options.Wants("silent-3")) {
            ok = ok && run.Phase("silent-3", phaseMs, phases["silent-3"], [&] {
                for (int a = kAnalyzers - 2; a <= kAnalyzers; ++a)
                    if (!fault(std::to_string(a) + " silent always")) return false;
                return true;
            });
            ok = ok && clear() && run.ComeBack(phases["silent-3"]);
        }
        if (options.Wants("storm")) {
            ok = ok && run.Phase("storm", 2000.0 * options.storm, phases["storm"],
                                 [&] { return fault("0 badcrc always"); }, 1000.0 * options.storm,
                                 clear);
            ok = ok && run.ComeBack(phases["storm"]);
        }
        for (int late : {800, 300}) {
            const std::string name = "late-" + std::to_string(late);
            if (!options.Wants(name.c_str())) continue;
            // A refresh of late answers takes tens of seconds: three phases' time holds more
            // than one of them.
            run.SetAnswerDelay(late);
            ok = ok && run.Phase(name.c_str(), 3 * phaseMs, phases[name],
                                 [&] { return fault("0 slow always " + std::to_string(late)); },
                                 0, nullptr, clear);
            run.SetAnswerDelay(0);
        }
        // The program's memory later: once, in the last run, which alone lasts the minutes.
        if (r == options.repeat) ok = ok && run.RestUntilMinutes(memoryLater);
        ok = run.Close() && ok;
        if (!ok) {
            ++failed;
            Say("   run %d FAILED\n", r);
            clear();
        }
    }

    Say("\n== \"&Link Instrument\", %d analyzers (min / median / max)\n", kAnalyzers);
    PrintFigures("elapsed s", link.elapsed, "%.3f");
    PrintFigures("bus bound s", link.bound, "%.3f");
    PrintFigures("elapsed / bound", link.ratio, "%.3f");
    PrintFigures("telegrams", link.telegrams, "%.0f");
    PrintFigures("telegrams per analyzer", link.perAnalyzer, "%.1f");
    PrintFigures("before the first telegram ms", link.before, "%.0f");
    PrintFigures("after the last answer ms", link.after, "%.0f");
    PrintFigures("idle between telegrams ms each", link.idle, "%.1f");
    PrintFigures("program CPU s", link.cpu, "%.2f");
    PrintFigures("resident memory after the link MB", link.memory, "%.1f");
    PrintFigures("resident memory later MB", memoryLater, "%.1f");
    // One healthy refresh: the median period of the healthy phase.
    const double healthyPeriod =
        phases["healthy"].period.Empty() ? 0.0 : phases["healthy"].period.Median();
    for (const char* name : kPhases) {
        if (!options.Wants(name)) continue;
        const PhaseFigures& p = phases[name];
        Say("== %s (min / median / max)\n", name);
        PrintFigures("refresh period s", p.period, "%.2f");
        PrintFigures("telegrams per refresh", p.perRefresh, "%.0f");
        PrintFigures("telegrams per minute", p.perMinute, "%.0f");
        PrintFigures("longest stall s", p.longest, "%.2f");
        PrintFigures("share of time not answering %", p.share, "%.1f", 100.0);
        PrintFigures("program CPU s per minute", p.cpu, "%.2f");
        PrintFigures("all answer again after s", p.cameBack, "%.1f");
        PrintFigures("error boxes the user closed", p.boxes, "%.0f");
        if (p.refreshes > 0) {
            std::string kinds;
            for (const auto& k : p.kinds) {
                char one[48];
                std::snprintf(one, sizeof one, "%s\"%c\" %s x%.1f", kinds.empty() ? "" : ", ",
                              k.first[0], k.first.c_str() + 2, k.second / p.refreshes);
                kinds += one;
            }
            Say("   telegrams of a refresh: %s\n", kinds.c_str());
        }
        // Input: the goal is that every one takes effect within one healthy refresh.
        int within = 0;
        for (double d : p.inputDelay.values) within += d <= healthyPeriod;
        Say("   inputs given: %d (%d clicks, %d keys), %d while the bus was busy\n", p.inputs,
            p.inputs - p.keys, p.keys, p.busBusy);
        Say("   lost: %d (%d clicks, %d keys; %d of those given while the bus was busy)\n", p.lost,
            p.lost - p.keysLost, p.keysLost, p.lostBusBusy);
        if (p.refused > 0)
            Say("   refused, its analyzer not answering: %d\n", p.refused);
        PrintFigures("carried out after s", p.inputDelay, "%.3f");
        if (p.inputs > 0 && healthyPeriod > 0)
            Say("   carried out within one healthy refresh (%.2f s): %d of %d\n", healthyPeriod,
                within, p.inputs);
        if (p.treeDisagrees > 0)
            Say("   the title named the analyzer but the tree selected another: %d times\n",
                p.treeDisagrees);
        if (!p.cpuBy.empty()) {
            Say("   CPU s per minute by what used it (min / median / max over the runs):\n");
            for (const auto& c : p.cpuBy)
                if (c.second.Max() >= 0.005) PrintFigures(c.first.c_str(), c.second, "%.2f");
        }
    }
    if (failed) Say("\n%d of %d runs FAILED\n", failed, options.repeat);
    return failed ? 1 : 0;
}
