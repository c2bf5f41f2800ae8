#include "control.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace vasksim {

namespace {

std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> w;
    std::string s;
    while (in >> s) w.push_back(s);
    return w;
}

std::string upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

bool toInt(const std::string& s, long& v) {
    if (s.empty()) return false;
    char* end = nullptr;
    v = std::strtol(s.c_str(), &end, 0);
    return end && *end == 0;
}

bool toDouble(const std::string& s, double& v) {
    if (s.empty()) return false;
    char* end = nullptr;
    v = std::strtod(s.c_str(), &end);
    return end && *end == 0;
}

Control::Result ok(const std::string& msg = "") {
    Control::Result r;
    r.message = msg;
    return r;
}

Control::Result err(const std::string& msg) {
    Control::Result r;
    r.ok = false;
    r.message = msg;
    return r;
}

// Text after the first `n` words of a line, leading blanks removed.
std::string restAfter(const std::string& line, size_t n) {
    size_t p = 0;
    for (size_t i = 0; i < n; ++i) {
        while (p < line.size() && std::isspace(static_cast<unsigned char>(line[p]))) ++p;
        while (p < line.size() && !std::isspace(static_cast<unsigned char>(line[p]))) ++p;
    }
    while (p < line.size() && std::isspace(static_cast<unsigned char>(line[p]))) ++p;
    std::string s = line.substr(p);
    while (!s.empty() && (s.back() == '\r' || s.back() == '\n')) s.pop_back();
    return s;
}

bool deviceAddress(const std::string& s, long& a) { return toInt(s, a) && a >= 1 && a <= 12; }

const char* kBuiltinDefault =
    "DEVICE 1 type=1 components=2 ranges=4\n"
    "SET 1 name Sindor Kanal 1\n"
    "DEVICE 2 type=2 components=1 ranges=2\n"
    "SET 2 unit 0 11\n"
    "SET 2 gas 0 12\n"
    "SET 2 meas 0 20.9 0.1 30000\n"
    "SET 2 name Parvel O2\n";

}  // namespace

Control::Control(Bus& bus)
    : ownLines_(std::make_unique<LineSet>(bus)), lines_(ownLines_.get()), bus_(&bus) {}

Control::Control(LineSet& lines) : lines_(&lines), bus_(&lines.at(0)) {}

bool parseMessageName(const std::string& text, char& letter, int& function) {
    if (text.size() < 2) return false;
    long fn;
    if (!toInt(text.substr(1), fn) || fn < 0 || fn > 255) return false;
    letter = text[0];
    function = static_cast<int>(fn);
    return true;
}

std::string Control::Result::text() const {
    std::string s;
    for (const std::string& l : lines) s += l + "\n";
    s += ok ? "OK" : "ERR";
    if (!message.empty()) s += " " + message;
    s += "\n";
    return s;
}

bool Control::loadScenario(const std::string& name, std::string& why) {
    std::string script;
    if (name == "empty") {
        script = "";
    } else if (name == "default") {
        script = kBuiltinDefault;
    } else {
        std::ifstream in(name);
        if (!in) {
            why = "cannot open scenario " + name;
            return false;
        }
        std::stringstream ss;
        ss << in.rdbuf();
        script = ss.str();
    }
    // A scenario that fails half way leaves the bus as it was.
    std::map<int, Device> devices = bus_->devices;
    std::vector<Fault> faults = bus_->faults;
    bool echo = bus_->echo, pace = bus_->pace, paceInput = bus_->paceInput;
    int reactionMs = bus_->reactionMs;
    LineRecord lineRecord = bus_->record;
    std::vector<Bus> extraLines = lines_->saveExtra();
    auto restore = [&] {
        bus_->devices = devices;
        bus_->faults = faults;
        bus_->echo = echo;
        bus_->pace = pace;
        bus_->paceInput = paceInput;
        bus_->reactionMs = reactionMs;
        bus_->record = lineRecord;
        lines_->restore(extraLines);
    };
    bus_->devices.clear();
    bus_->faults.clear();
    bus_->echo = false;
    bus_->pace = false;
    bus_->paceInput = false;
    bus_->reactionMs = 0;
    bus_->pcAddressByte = 0;
    bus_->record = defaultLineRecord();
    lines_->resize(1);  // a scenario names the further gateway lines it wants
    std::istringstream lines(script);
    std::string line;
    int n = 0;
    while (std::getline(lines, line)) {
        ++n;
        std::vector<std::string> w = words(line);
        if (w.empty() || w[0][0] == '#') continue;
        std::string cmd = upper(w[0]);
        if (cmd == "SCENARIO" || cmd == "RESET" || cmd == "QUIT" || cmd == "WAITLOG") {
            why = "line " + std::to_string(n) + ": " + cmd + " is not allowed in a scenario";
            restore();
            return false;
        }
        Result r = execute(line);
        if (!r.ok) {
            why = "line " + std::to_string(n) + ": " + r.message;
            restore();
            return false;
        }
    }
    scenario_ = name;
    return true;
}

Control::Result Control::execute(const std::string& line) {
    std::vector<std::string> w = words(line);
    if (w.empty()) return err("empty command");
    std::string cmd = upper(w[0]);
    long a = 0;

    if (cmd == "PING") return ok("vasksim");
    if (cmd == "QUIT") {
        Result r = ok("bye");
        r.quit = true;
        return r;
    }
    if (cmd == "RESET") {
        std::string why;
        bus_->resetLine();
        bus_->resetLog();
        if (!loadScenario(scenario_, why)) return err(why);
        return ok(scenario_);
    }
    if (cmd == "SCENARIO") {
        if (w.size() < 2) return err("usage: SCENARIO name|file");
        std::string why, name = restAfter(line, 1);
        if (!loadScenario(name, why)) return err(why);
        return ok(name);
    }
    if (cmd == "DEVICE") return device(w);
    if (cmd == "LINES") return lines(w);
    if (cmd == "LINE") return onLine(w, line);
    if (cmd == "RECORD") return lineRecord(w, line);
    if (cmd == "REMOVE") {
        if (w.size() != 2 || !deviceAddress(w[1], a)) return err("usage: REMOVE address");
        if (!bus_->devices.erase(static_cast<int>(a))) return err("no device at that address");
        return ok();
    }
    if (cmd == "DEVICES") {
        Result r = ok();
        for (const auto& [addr, d] : bus_->devices) r.lines.push_back(d.status());
        return r;
    }
    if (cmd == "STATUS") {
        if (w.size() != 2 || !deviceAddress(w[1], a) || !bus_->devices.count(static_cast<int>(a)))
            return err("usage: STATUS address (of a device)");
        Result r = ok();
        r.lines.push_back(bus_->devices.at(static_cast<int>(a)).status());
        return r;
    }
    if (cmd == "SET") return set(w, line);
    if (cmd == "STORE" || cmd == "READ") {
        long ch;
        char letter;
        int fn;
        size_t need = cmd == "STORE" ? 4 : 4;
        if (w.size() < need || !deviceAddress(w[1], a) || !toInt(w[2], ch) || ch < 0 || ch > 15 ||
            !parseMessageName(w[3], letter, fn))
            return err("usage: " + cmd + " address channel message" +
                       (cmd == "STORE" ? " hex" : ""));
        auto it = bus_->devices.find(static_cast<int>(a));
        if (it == bus_->devices.end()) return err("no device at that address");
        if (!replyInfo(letter, fn).known) return err("no such message");
        if (cmd == "READ") {
            Result r = ok();
            r.lines.push_back(toHex(encode(it->second.stored(letter, fn, static_cast<int>(ch)))));
            return r;
        }
        Bytes params;
        if (!fromHex(restAfter(line, 4), params)) return err("bad hex");
        std::string why;
        if (!it->second.setStored(letter, fn, static_cast<int>(ch), params, why)) return err(why);
        return ok();
    }
    if (cmd == "MEMORY") {
        if (w.size() < 2 || !deviceAddress(w[1], a) || !bus_->devices.count(static_cast<int>(a)))
            return err("usage: MEMORY address [hex]");
        Device& d = bus_->devices.at(static_cast<int>(a));
        if (w.size() == 2) {
            Result r = ok(std::to_string(d.memory.size()));
            r.lines.push_back(toHex(d.memory));
            return r;
        }
        Bytes m;
        if (!fromHex(restAfter(line, 2), m)) return err("bad hex");
        if (m.size() > Device::kMemoryLimit)
            return err("parameter memory holds at most 10000 bytes");
        d.memory = m;
        return ok(std::to_string(m.size()));
    }
    if (cmd == "LOGBOOK") {
        // LOGBOOK a: one data line per entry; LOGBOOK a clear; LOGBOOK a add number second
        // flags [minute hour day month year]: an entry at the end.
        if (w.size() < 2 || !deviceAddress(w[1], a) || !bus_->devices.count(static_cast<int>(a)))
            return err("usage: LOGBOOK address [clear|add number second flags [min h d m y]]");
        Device& d = bus_->devices.at(static_cast<int>(a));
        if (w.size() == 2) {
            Result r = ok(std::to_string(d.logbook.size()));
            for (const LogbookEntry& e : d.logbook)
                r.lines.push_back("number=" + std::to_string(e.first) + " second=" +
                                  std::to_string(e.second) + " flags=" + std::to_string(e.flags));
            return r;
        }
        if (upper(w[2]) == "CLEAR" && w.size() == 3) {
            d.logbook.clear();
            return ok();
        }
        long v[8] = {0, 0, 0, 30, 14, 1, 7, 5};
        if (upper(w[2]) != "ADD" || (w.size() != 6 && w.size() != 11))
            return err("usage: LOGBOOK address [clear|add number second flags [min h d m y]]");
        for (size_t i = 3; i < w.size(); ++i)
            if (!toInt(w[i], v[i - 3]) || v[i - 3] < 0 || v[i - 3] > 255)
                return err("logbook values are 0 to 255");
        if (d.logbook.size() >= 255) return err("the logbook is full");
        d.logbook.push_back({static_cast<int>(v[0]), static_cast<int>(v[1]), static_cast<int>(v[2]),
                             static_cast<int>(v[3]), static_cast<int>(v[4]), static_cast<int>(v[5]),
                             static_cast<int>(v[6]), static_cast<int>(v[7])});
        return ok(std::to_string(d.logbook.size()));
    }
    if (cmd == "FAULT") return fault(w);
    if (cmd == "CLEARFAULTS") {
        if (w.size() == 1) {
            bus_->faults.clear();
            return ok();
        }
        if (!deviceAddress(w[1], a)) return err("usage: CLEARFAULTS [address]");
        std::vector<Fault> keep;
        for (const Fault& f : bus_->faults)
            if (f.device != a) keep.push_back(f);
        bus_->faults = keep;
        return ok();
    }
    if (cmd == "FAULTS") {
        Result r = ok();
        for (const Fault& f : bus_->faults) {
            std::ostringstream s;
            s << "device=" << f.device << " kind=" << faultName(f.kind)
              << " remaining=" << f.remaining << " arg=" << f.arg;
            if (!f.code.empty()) s << " code=" << f.code;
            if (f.onLetter)
                s << " on=" << f.onLetter
                  << (f.onFunction >= 0 ? std::to_string(f.onFunction) : "");
            r.lines.push_back(s.str());
        }
        return r;
    }
    if (cmd == "ECHO") {
        if (w.size() != 2 || (upper(w[1]) != "ON" && upper(w[1]) != "OFF"))
            return err("usage: ECHO on|off");
        bus_->echo = upper(w[1]) == "ON";
        return ok();
    }
    if (cmd == "PACE") {
        std::string how = w.size() == 2 ? upper(w[1]) : "";
        if (how != "ON" && how != "OFF" && how != "BOTH") return err("usage: PACE on|both|off");
        bus_->pace = how != "OFF";
        bus_->paceInput = how == "BOTH";
        return ok();
    }
    if (cmd == "REACTION") {
        long ms;
        if (w.size() != 2 || !toInt(w[1], ms) || ms < 0 || ms > 1000)
            return err("usage: REACTION ms (0 to 1000)");
        bus_->reactionMs = static_cast<int>(ms);
        return ok();
    }
    if (cmd == "BROADCAST") {
        if (w.size() < 2 || w.size() > 3 || !deviceAddress(w[1], a) ||
            !bus_->devices.count(static_cast<int>(a)))
            return err("usage: BROADCAST address [phase|off]");
        Device& d = bus_->devices.at(static_cast<int>(a));
        if (w.size() == 2) {
            // How long the device's broadcast is on a 9600-baud line, as it would go out now.
            Result r = ok();
            r.lines.push_back(
                (d.broadcastPhase < 0 ? std::string("phase=off")
                                      : "phase=" + std::to_string(d.broadcastPhase)) +
                " bytes=" +
                std::to_string(Bus::broadcastTelegram(static_cast<int>(a), d, bus_->now()).size()));
            return r;
        }
        long phase;
        if (upper(w[2]) == "OFF") {
            d.broadcastPhase = -1;
            d.setSwitch(10, false);
            return ok();
        }
        if (!toInt(w[2], phase) || phase < 0 || phase > 499) return err("phase is 0 to 499 ms");
        d.broadcastPhase = static_cast<int>(phase);
        d.lastBroadcastCycle = -1;
        d.setSwitch(10, true);
        return ok();
    }
    if (cmd == "LOG") {
        long from = 0;
        if (w.size() > 2 || (w.size() == 2 && (!toInt(w[1], from) || from < 0)))
            return err("usage: LOG [from-seq]");
        Result r = ok();
        for (const LogEntry& e : bus_->log())
            if (e.seq >= static_cast<uint64_t>(from)) r.lines.push_back(e.line());
        r.message = std::to_string(r.lines.size());
        return r;
    }
    if (cmd == "CLEARLOG") {
        bus_->clearLog();
        return ok();
    }
    if (cmd == "LOGCOUNT") return ok(std::to_string(bus_->logCount()));
    if (cmd == "CLOCK") return ok(std::to_string(bus_->now()));
    if (cmd == "NOISE") return ok(std::to_string(bus_->noiseBytes()));
    if (cmd == "WAITLOG") {
        long n, ms;
        if (w.size() != 3 || !toInt(w[1], n) || n < 0 || !toInt(w[2], ms) || ms < 0 || ms > 600000)
            return err("usage: WAITLOG count timeout-ms");
        Result r = ok();
        if (bus_->logCount() >= static_cast<uint64_t>(n)) {
            r.message = std::to_string(bus_->logCount());
            return r;
        }
        r.wait = true;
        r.waitCount = static_cast<uint64_t>(n);
        r.waitDeadline = bus_->now() + ms;
        r.waitLine = lineIndex_;
        return r;
    }
    if (cmd == "HELP") {
        Result r = ok();
        r.lines = {"PING",
                   "RESET",
                   "SCENARIO name|file",
                   "DEVICE address [key=value ...]",
                   "REMOVE address",
                   "DEVICES",
                   "STATUS address",
                   "SET address key value...",
                   "STORE address channel message hex",
                   "READ address channel message",
                   "MEMORY address [hex]",
                   "LOGBOOK address [clear|add number second flags [min h d m y]]",
                   "FAULT address|0 kind [count|always] [arg] [on=message]",
                   "CLEARFAULTS [address]",
                   "FAULTS",
                   "ECHO on|off",
                   "PACE on|both|off",
                   "REACTION ms",
                   "BROADCAST address [phase|off]",
                   "LOG [from-seq]",
                   "CLEARLOG",
                   "LOGCOUNT",
                   "CLOCK",
                   "WAITLOG count timeout-ms",
                   "NOISE",
                   "LINES [count]",
                   "LINE name command...",
                   "RECORD [hex]",
                   "QUIT"};
        return r;
    }
    return err("unknown command " + w[0]);
}

Control::Result Control::lines(const std::vector<std::string>& w) {
    if (w.size() == 1) {
        Result r = ok(std::to_string(lines_->size()));
        for (size_t i = 0; i < lines_->size(); ++i) {
            const Bus& b = lines_->at(i);
            LineRecord rec = b.record;
            r.lines.push_back("name=" + LineSet::name(i) +
                              " devices=" + std::to_string(b.devices.size()) +
                              " record=" + toHex(rec.data(), rec.size()));
        }
        return r;
    }
    long n;
    if (w.size() != 2 || !toInt(w[1], n) || n < 1 || n > static_cast<long>(LineSet::kMaxLines))
        return err("usage: LINES [count], count 1 to " + std::to_string(LineSet::kMaxLines));
    lines_->resize(static_cast<size_t>(n));
    return ok(std::to_string(n));
}

Control::Result Control::onLine(const std::vector<std::string>& w, const std::string& line) {
    if (w.size() < 3) return err("usage: LINE name command...");
    int index = lines_->find(w[1]);
    if (index < 0) return err("no line " + w[1]);
    std::string inner = upper(w[2]);
    if (inner == "LINE" || inner == "LINES" || inner == "SCENARIO" || inner == "RESET" ||
        inner == "QUIT")
        return err(inner + " acts on the whole simulator, not on one line");
    Bus* outer = bus_;
    size_t outerIndex = lineIndex_;
    bus_ = &lines_->at(static_cast<size_t>(index));
    lineIndex_ = static_cast<size_t>(index);
    Result r = execute(restAfter(line, 2));
    bus_ = outer;
    lineIndex_ = outerIndex;
    return r;
}

Control::Result Control::lineRecord(const std::vector<std::string>& w, const std::string& line) {
    if (w.size() == 1) {
        Result r = ok();
        r.lines.push_back(toHex(bus_->record.data(), bus_->record.size()));
        return r;
    }
    Bytes b;
    if (!fromHex(restAfter(line, 1), b) || b.size() != bus_->record.size())
        return err("usage: RECORD [hex of 12 bytes]");
    std::copy(b.begin(), b.end(), bus_->record.begin());
    return ok();
}

Control::Result Control::device(const std::vector<std::string>& w) {
    long a;
    if (w.size() < 2 || !deviceAddress(w[1], a))
        return err("usage: DEVICE address [type=n components=n ranges=n]");
    long type = 1, comps = 1, ranges = 4;
    for (size_t i = 2; i < w.size(); ++i) {
        size_t eq = w[i].find('=');
        long v;
        if (eq == std::string::npos || !toInt(w[i].substr(eq + 1), v))
            return err("bad setting " + w[i]);
        std::string key = w[i].substr(0, eq);
        if (key == "type" && v >= 0 && v <= 255)
            type = v;
        else if (key == "components" && v >= 1 && v <= 16)
            comps = v;
        else if (key == "ranges" && v >= 0 && v <= 30)
            ranges = v;
        else
            return err("bad setting " + w[i]);
    }
    bus_->devices.erase(static_cast<int>(a));
    bus_->devices.emplace(static_cast<int>(a),
                          Device(static_cast<int>(a), static_cast<int>(type),
                                 static_cast<int>(comps), static_cast<int>(ranges)));
    return ok();
}

Control::Result Control::set(const std::vector<std::string>& w, const std::string& line) {
    long a;
    if (w.size() < 3 || !deviceAddress(w[1], a) || !bus_->devices.count(static_cast<int>(a)))
        return err("usage: SET address key value (of a device)");
    Device& d = bus_->devices.at(static_cast<int>(a));
    std::string key = w[2];
    std::string text = restAfter(line, 3);
    long v = 0;
    bool haveInt = w.size() == 4 && toInt(w[3], v);
    auto needInt = [&](long lo, long hi) { return haveInt && v >= lo && v <= hi; };

    std::string* textField = key == "serial"     ? &d.serial
                             : key == "software" ? &d.software
                             : key == "hardware" ? &d.hardware
                             : key == "order"    ? &d.order
                             : key == "firmware" ? &d.firmware
                             : key == "extra"    ? &d.extra
                             : key == "name"     ? &d.name
                                                 : nullptr;
    if (textField) {
        *textField = text;
        return ok();
    }
    if (key == "type") {
        if (!needInt(0, 255)) return err("type is 0 to 255");
        d.setType(static_cast<int>(v));
        return ok();
    }
    if (key == "components") {
        if (!needInt(1, 16)) return err("components is 1 to 16");
        d.setComponents(static_cast<int>(v));
        return ok();
    }
    if (key == "ranges") {
        if (!needInt(0, 30)) return err("ranges is 0 to 30");
        d.setRanges(static_cast<int>(v));
        return ok();
    }
    if (key == "flags") {
        if (!needInt(0, 255)) return err("flags is 0 to 255");
        d.flags = static_cast<uint8_t>(v);
        return ok();
    }
    if (key == "state") {
        if (!needInt(0, 255)) return err("state is 0 to 255");
        d.state = static_cast<uint8_t>(v);
        return ok();
    }
    if (key == "remote") {
        if (!needInt(0, 1)) return err("remote is 0 or 1");
        d.setSwitch(1, v != 0);
        return ok();
    }
    if (key == "requireremote") {
        if (!needInt(0, 1)) return err("requireremote is 0 or 1");
        d.requireRemote = v != 0;
        return ok();
    }
    if (key == "restartms") {
        if (!needInt(0, 600000)) return err("restartms is 0 to 600000");
        d.restartMs = static_cast<int>(v);
        return ok();
    }
    if (key == "dlfaults") {
        if (!needInt(0, 127)) return err("dlfaults is 0 to 127");
        d.downloadFaults = static_cast<int>(v);
        d.stored('k', 24, 0)[0].byte = static_cast<int>(v);
        return ok();
    }
    if (key == "writewarning") {
        if (!needInt(0, 8)) return err("writewarning is 0, 6, 7 or 8");
        d.writeWarning = static_cast<int>(v);
        return ok();
    }
    if (key == "blocksize") {
        if (!needInt(1, 200)) return err("blocksize is 1 to 200");
        d.blockSize = static_cast<int>(v);
        return ok();
    }
    if (key == "optioncard") {
        if (!needInt(1, 5)) return err("optioncard is 1 to 5");
        d.stored('s', 33, 0) = {Value::makeByte(static_cast<int>(v))};
        return ok();
    }
    if (key == "switch") {
        long n, on;
        if (w.size() != 5 || !toInt(w[3], n) || n < 1 || n > 255 || !toInt(w[4], on))
            return err("usage: SET address switch n 0|1");
        d.setSwitch(static_cast<int>(n), on != 0);
        return ok();
    }
    if (key == "meas" || key == "unit" || key == "gas") {
        long c;
        if (w.size() < 5 || !toInt(w[3], c) || c < 0 || c >= d.components)
            return err("usage: SET address " + key + " component value (component counted from 0)");
        Device::Component& comp = d.comps[static_cast<size_t>(c)];
        if (key == "meas") {
            double base, amp = 0.0, period = comp.periodMs;
            if (!toDouble(w[4], base) || (w.size() > 5 && !toDouble(w[5], amp)) ||
                (w.size() > 6 && (!toDouble(w[6], period) || period <= 0)))
                return err("usage: SET address meas component base [amplitude [period-ms]]");
            comp.base = base;
            comp.amplitude = amp;
            comp.periodMs = period;
            return ok();
        }
        long code;
        if (w.size() != 5 || !toInt(w[4], code) || code < 1 || code > 255)
            return err(key + " code is 1 to 255");
        if (key == "unit")
            d.setUnit(static_cast<int>(c), static_cast<int>(code));
        else
            comp.gas = static_cast<int>(code);
        return ok();
    }
    if (key == "range") {
        long c, r;
        double lower, upper;
        if (w.size() != 7 || !toInt(w[3], c) || !toInt(w[4], r) || !toDouble(w[5], lower) ||
            !toDouble(w[6], upper))
            return err("usage: SET address range component range lower upper");
        if (c < 0 || c >= d.components) return err("no such component (counted from 0)");
        if (r < 1 || r > d.ranges) return err("no such range (counted from 1)");
        if (!(lower < upper)) return err("the lower limit must be below the upper one");
        d.setRange(static_cast<int>(c), static_cast<int>(r - 1), lower, upper);
        return ok();
    }
    return err("unknown setting " + key);
}

Control::Result Control::fault(const std::vector<std::string>& w) {
    long a;
    Fault f;
    if (w.size() < 3 || !toInt(w[1], a) || a < 0 || a > 12 || !parseFaultKind(w[2], f.kind))
        return err(
            "usage: FAULT address|0 "
            "silent|nak|noreply|reject|slow|badcrc|wrongsrc|garbage|duplicate "
            "[count|always] [arg] [on=message]");
    f.device = static_cast<int>(a);
    size_t i = 3;
    long v;
    if (i < w.size() && w[i].find('=') == std::string::npos) {
        if (w[i] == "always")
            f.remaining = -1;
        else if (toInt(w[i], v) && v >= 1)
            f.remaining = static_cast<int>(v);
        else
            return err("count is a number from 1 or \"always\"");
        ++i;
    }
    if (i < w.size() && w[i].find('=') == std::string::npos) {
        if (f.kind == Fault::Reject) {
            std::string code = upper(w[i]);
            static const char* kCodes[] = {"??", "BS", "CE", "DE", "SE", "OF"};
            bool known = false;
            for (const char* c : kCodes) known = known || code == c;
            if (!known) return err("rejection is one of ?? BS CE DE SE OF");
            f.code = code;
        } else if (toInt(w[i], v) && v >= 0 && v <= 600000) {
            f.arg = static_cast<int>(v);
        } else {
            return err("bad argument " + w[i]);
        }
        ++i;
    }
    if (f.kind == Fault::Reject && f.code.empty())
        return err("reject needs a code: ?? BS CE DE SE OF");
    for (; i < w.size(); ++i) {
        if (w[i].compare(0, 3, "on=") != 0) return err("bad argument " + w[i]);
        std::string m = w[i].substr(3);
        if (m.size() == 1)
            f.onLetter = m[0];
        else if (!parseMessageName(m, f.onLetter, f.onFunction))
            return err("bad message " + m);
    }
    bus_->faults.push_back(f);
    return ok();
}

}  // namespace vasksim
