#include "bus.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace vasksim {

namespace {
const char* kFaultNames[] = {"silent", "nak",      "noreply", "reject",   "slow",
                             "badcrc", "wrongsrc", "garbage", "duplicate"};
constexpr int64_t kCycleMs = 500;
}  // namespace

bool parseFaultKind(const std::string& name, Fault::Kind& kind) {
    for (int i = 0; i < 9; ++i) {
        if (name == kFaultNames[i]) {
            kind = static_cast<Fault::Kind>(i);
            return true;
        }
    }
    return false;
}

const char* faultName(Fault::Kind kind) { return kFaultNames[static_cast<int>(kind)]; }

LineRecord defaultLineRecord() {
    // Bytes 0 to 6 and 10 to 11 are the gateway's own: a marker, the hardware revision and
    // the line's speed (9600, little-endian); the client writes them back unchanged.
    return {'V', 'G', 'W', 1, 0, 0, 0, 0, 0, 13, 0x80, 0x25};
}

std::string LogEntry::line() const {
    char head[160];
    const char* st = frame.status == Frame::Ok       ? "ok"
                     : frame.status == Frame::BadCrc ? "bad"
                                                     : "malformed";
    std::snprintf(head, sizeof head, "seq=%llu t=%lld to=%s from=%s crc=%s",
                  static_cast<unsigned long long>(seq), static_cast<long long>(timeMs),
                  addressText(frame.destination).c_str(), addressText(frame.source).c_str(), st);
    std::string s = head;
    if (viaGateway) s += " via=gateway";
    if (frame.body.size() >= 2) {
        char cmd[32];
        unsigned char letter = frame.body[0];
        if (letter > 0x20 && letter < 0x7F)
            std::snprintf(cmd, sizeof cmd, " cmd=%c fn=%d", letter, frame.body[1]);
        else
            std::snprintf(cmd, sizeof cmd, " cmd=%02X fn=%d", letter, frame.body[1]);
        s += cmd;
    }
    s += " action=" + (action.empty() ? std::string("none") : action);
    s += " sent=" + std::to_string(sent);
    s += " raw=" + toHex(frame.raw);
    s += " body=" + toHex(frame.body);
    if (!decoded.empty()) s += " values=" + decoded;
    return s;
}

Bus::Bus(Clock clock, Clock microClock)
    : clock_(std::move(clock)), microClock_(std::move(microClock)) {}

int64_t Bus::Run::nextEnd(int64_t nowUs, int64_t lastEndUs) {
    // A byte that finds the line idle starts a new run now.
    if (lastEndUs <= nowUs) {
        startUs = nowUs;
        bytes = 0;
    }
    ++bytes;
    return startUs + bytes * 1000000 / kBytesPerSecond;
}

void Bus::queue(int64_t due, Bytes bytes, uint8_t broadcaster) {
    queueUs(due * 1000, std::move(bytes), broadcaster);
}

void Bus::queueUs(int64_t dueUs, Bytes bytes, uint8_t broadcaster) {
    // Keep the queue ordered by due time; equal times keep their order.
    auto it = out_.end();
    while (it != out_.begin() && std::prev(it)->dueUs > dueUs) --it;
    out_.insert(it, Out{dueUs, std::move(bytes), broadcaster});
}

void Bus::schedule() {
    const int64_t us = lineNow();
    while (!out_.empty() && out_.front().dueUs <= us) {
        Out o = std::move(out_.front());
        out_.pop_front();
        const uint64_t number = ++telegrams_;
        for (uint8_t b : o.bytes) {
            // Without pacing the output is handed over at once, taking no time on the line.
            int64_t end = pace ? outRun_.nextEnd(us, line_.empty() ? 0 : line_.back().endUs) : us;
            line_.push_back(LineByte{end, b, o.broadcaster, number});
        }
        if (!pace || o.broadcaster == 0 || o.bytes.empty()) continue;
        const int64_t last = line_.back().endUs;
        Airing a{last - static_cast<int64_t>(o.bytes.size()) * 1000000 / kBytesPerSecond, last,
                 o.broadcaster, number, false};
        // The PC's bytes already on their way over the line meet it.
        for (LineByte& in : inbound_) {
            if (in.endUs - 1000000 / kBytesPerSecond < a.toUs && in.endUs > a.fromUs) {
                if (in.broadcaster == 0) in.broadcaster = a.broadcaster;
                garble(a);
            }
        }
        broadcasts_.push_back(a);
    }
}

void Bus::garble(Airing& a) {
    if (a.garbled) return;
    a.garbled = true;
    // The PC reads the broadcast with a CRC that does not fit: its last byte is spoiled.
    for (auto it = line_.rbegin(); it != line_.rend(); ++it) {
        if (it->telegram != a.telegram) continue;
        it->byte ^= 0x5A;
        return;
    }
}

uint8_t Bus::collide(int64_t fromUs, int64_t toUs) {
    uint8_t hit = 0;
    for (Airing& a : broadcasts_) {
        // A byte that is instantaneous (no input pacing) meets a broadcast it falls into.
        bool overlap = fromUs == toUs ? (fromUs >= a.fromUs && fromUs < a.toUs)
                                      : (fromUs < a.toUs && toUs > a.fromUs);
        if (!overlap) continue;
        garble(a);
        if (hit == 0) hit = a.broadcaster;
    }
    return hit;
}

bool Bus::takeDue(Bytes& out) {
    out.clear();
    schedule();
    const int64_t us = lineNow();
    while (!line_.empty() && line_.front().endUs <= us) {
        out.push_back(line_.front().byte);
        line_.pop_front();
    }
    return !out.empty();
}

int64_t Bus::nextDue() const {
    const int64_t us = nextDueUs();
    return us < 0 ? -1 : (us + 999) / 1000;
}

int64_t Bus::nextDueUs() const {
    int64_t best = -1;
    auto consider = [&best](int64_t us) {
        if (best < 0 || us < best) best = us;
    };
    if (!out_.empty()) consider(out_.front().dueUs);
    if (!line_.empty()) consider(line_.front().endUs);
    if (!inbound_.empty()) consider(inbound_.front().endUs);
    return best;
}

int64_t Bus::nextBroadcast() const {
    int64_t best = -1;
    int64_t t = now();
    for (const auto& [addr, d] : devices) {
        if (d.broadcastPhase < 0 || !d.switchOn(10)) continue;
        int64_t cycle = (t - d.broadcastPhase) / kCycleMs;
        int64_t next = (cycle + 1) * kCycleMs + d.broadcastPhase;
        if (best < 0 || next < best) best = next;
    }
    return best;
}

Bytes Bus::broadcastTelegram(int address, const Device& d, int64_t t) {
    return buildTelegram(addressByte(BROADCAST_DEVICE, 0), addressByte(address, 0),
                         replyBody(d.flags, d.state, 'k', 2, d.measuredValues(t)));
}

void Bus::advance() {
    const int64_t us = lineNow();
    // The PC's bytes that have crossed the line reach the devices.
    size_t whole = 0;
    while (whole < inbound_.size() && inbound_[whole].endUs <= us) ++whole;
    if (whole > 0) {
        std::vector<LineByte> bytes(inbound_.begin(), inbound_.begin() + static_cast<long>(whole));
        inbound_.erase(inbound_.begin(), inbound_.begin() + static_cast<long>(whole));
        deliver(bytes.data(), bytes.size());
    }
    int64_t t = now();
    for (auto& [addr, d] : devices) {
        if (d.broadcastPhase < 0 || !d.switchOn(10) || t < d.restartUntil) continue;
        int64_t cycle = (t - d.broadcastPhase) / kCycleMs;
        if (t < d.broadcastPhase) cycle = -1;
        if (d.lastBroadcastCycle < 0 || cycle < d.lastBroadcastCycle) {
            d.lastBroadcastCycle = cycle;  // first look: start with the next phase point
            continue;
        }
        if (cycle > d.lastBroadcastCycle) {
            d.lastBroadcastCycle = cycle;
            Bytes body = replyBody(d.flags, d.state, 'k', 2, d.measuredValues(t));
            queue(t, broadcastTelegram(addr, d, t), addressByte(addr, 0));
            GatewayEvent rx;  // a gateway passes every telegram on its line to its clients
            rx.kind = GatewayEvent::Received;
            rx.due = t;
            rx.source = addressByte(addr, 0);
            rx.second = addressByte(BROADCAST_DEVICE, 0);
            rx.body = body;
            queueEvent(rx);
        }
    }
    // A broadcast due now is on the line before a PC byte that arrives after this.
    schedule();
    // Broadcasts over and done cannot meet a byte still to come.
    while (!broadcasts_.empty() && broadcasts_.front().toUs <= us) broadcasts_.pop_front();
}

void Bus::receive(const uint8_t* data, size_t size) {
    const int64_t us = lineNow();
    const int64_t byteUs = 1000000 / kBytesPerSecond;
    schedule();
    if (paceInput) {
        for (size_t i = 0; i < size; ++i) {
            int64_t end = inRun_.nextEnd(us, inbound_.empty() ? 0 : inbound_.back().endUs);
            inbound_.push_back(LineByte{end, data[i], collide(end - byteUs, end), 0});
        }
        return;
    }
    std::vector<LineByte> bytes;
    bytes.reserve(size);
    for (size_t i = 0; i < size; ++i) bytes.push_back(LineByte{us, data[i], collide(us, us), 0});
    deliver(bytes.data(), bytes.size());
}

void Bus::deliver(const LineByte* bytes, size_t size) {
    if (echo && size > 0) {
        Bytes copy;
        for (size_t i = 0; i < size; ++i) copy.push_back(bytes[i].byte);
        queue(now(), copy);
    }
    Frame f;
    for (size_t i = 0; i < size; ++i) {
        // A telegram collided when any byte from its start to its end did.
        if (!deframer_.inTelegram()) frameHit_ = 0;
        if (frameHit_ == 0) frameHit_ = bytes[i].broadcaster;
        if (!deframer_.push(bytes[i].byte, f)) continue;
        uint8_t hit = frameHit_;
        frameHit_ = 0;
        handleFrame(f, nullptr, hit, bytes[i].endUs);
    }
}

Fault* Bus::matchFault(Fault::Kind kind, int device, char letter, int function) {
    for (Fault& f : faults) {
        if (f.kind != kind || f.remaining == 0) continue;
        if (f.device != 0 && f.device != device) continue;
        if (f.onLetter && (f.onLetter != letter || (f.onFunction >= 0 && f.onFunction != function)))
            continue;
        return &f;
    }
    return nullptr;
}

bool Bus::consume(Fault::Kind kind, int device, char letter, int function, Fault* copy) {
    Fault* f = matchFault(kind, device, letter, function);
    if (!f) return false;
    if (copy) *copy = *f;
    if (f->remaining > 0) --f->remaining;
    return true;
}

void Bus::handleFrame(const Frame& f, const Origin* gateway, uint8_t collidedWith,
                      int64_t endUs) {
    LogEntry e;
    e.seq = ++seq_;
    e.timeMs = now();
    e.frame = f;
    e.viaGateway = gateway != nullptr;
    int64_t t = e.timeMs;
    // What the devices say about this telegram, they say after their reaction time.
    const int64_t answerAt = t + reactionMs;
    int device = f.destination >> 4;
    int channel = f.destination & 0x0F;
    char letter = f.body.size() >= 1 ? static_cast<char>(f.body[0]) : 0;
    int function = f.body.size() >= 2 ? f.body[1] : -1;
    auto record = [&](const std::string& action) {
        e.action = action;
        if (log_.size() >= kLogLimit) log_.erase(log_.begin(), log_.begin() + kLogLimit / 10);
        log_.push_back(e);
    };
    // Output for the line, counted for the log. The devices' times count from the end of
    // the telegram's last byte, to the microsecond when the line knows it.
    auto line = [&](int64_t due, Bytes bytes) {
        e.sent += bytes.size();
        if (endUs >= 0)
            queueUs(endUs + (due - t) * 1000, std::move(bytes));
        else
            queue(due, std::move(bytes));
    };
    // On the line the PC sees DLE ACK, DLE NAK or nothing; a gateway reports each of these
    // as the status of the transmit.
    auto done = [&](uint8_t status) {
        if (!gateway) return;
        GatewayEvent d;
        d.kind = GatewayEvent::TransmitDone;
        d.due = answerAt;
        d.connection = gateway->connection;
        d.id = gateway->id;
        d.status = status;
        queueEvent(d);
    };
    auto ack = [&] {
        if (gateway)
            done(GatewayEvent::Done);
        else
            line(answerAt, ackBytes());
    };
    auto nak = [&] {
        if (gateway)
            done(GatewayEvent::Failed);
        else
            line(answerAt, nakBytes());
    };
    auto silence = [&] { done(GatewayEvent::NoAck); };

    // Garbled on the line by a device's broadcast: no device makes anything of it.
    if (collidedWith != 0) return record("collision:" + addressText(collidedWith));
    if (f.status == Frame::Malformed) return record("dropped:" + f.problem);
    auto it = devices.find(device);
    if (device == BROADCAST_DEVICE) {
        done(GatewayEvent::Done);  // nobody acknowledges a broadcast; the gateway has sent it
        if (f.status != Frame::Ok || f.body.size() < 2) return record("ignored");
        Bytes params(f.body.begin() + 2, f.body.end());
        for (auto& [addr, d] : devices) d.handleBroadcast(letter, function, params, t);
        return record("broadcast");
    }
    if (it == devices.end()) {
        silence();
        return record("ignored:no-device");
    }
    Device& d = it->second;
    if (t < d.restartUntil) {
        silence();
        return record("silent:restarting");
    }
    if (f.status == Frame::BadCrc) {
        nak();
        return record("nak:crc");
    }
    if (f.body.size() < 2) {
        nak();
        return record("nak:short");
    }
    if (consume(Fault::Silent, device, letter, function)) {
        silence();
        return record("silent");
    }
    if (consume(Fault::Nak, device, letter, function)) {
        nak();
        return record("nak");
    }
    std::string action = "ack";
    Response r;
    Fault rejectFault;
    if (consume(Fault::Reject, device, letter, function, &rejectFault)) {
        r = Device::rejection(rejectFault.code, "injected");
    } else {
        Bytes params(f.body.begin() + 2, f.body.end());
        r = d.handle(letter, function, channel, params, t);
        Values vs;
        std::string rej, why;
        if (decodeRequest(letter, function, params, vs, rej, why) && !vs.empty())
            e.decoded = describe(vs);
    }
    if (!r.note.empty()) action += "," + r.note;
    // A device restarting after a download goes quiet at once: not even the reset is
    // acknowledged.
    if (r.kind == Response::Restart) {
        silence();
        return record("silent," + r.note);
    }
    ack();
    if (r.kind == Response::NoReply) return record(action);
    if (consume(Fault::NoReply, device, letter, function)) return record(action + ",noreply");

    Bytes body = replyBody(d.flags, d.state, r.letter, r.function, r.params);
    uint8_t dst = pcAddressByte ? pcAddressByte : f.source;
    uint8_t src = f.destination;
    int64_t due = answerAt;
    Fault fault;
    if (consume(Fault::WrongSource, device, letter, function, &fault)) {
        src = fault.arg ? static_cast<uint8_t>(fault.arg) : addressByte((device % 12) + 1, channel);
        action += ",wrongsrc";
    }
    Bytes telegram = buildTelegram(dst, src, body);
    // A gateway checks the CRC itself and passes on only intact telegrams, without the
    // noise around them.
    bool corrupt = false;
    if (consume(Fault::BadCrc, device, letter, function)) {
        telegram[telegram.size() - 1] ^= 0x5A;
        corrupt = true;
        action += ",badcrc";
    }
    if (consume(Fault::Slow, device, letter, function, &fault)) {
        due += fault.arg;
        action += ",slow";
    }
    if (consume(Fault::Garbage, device, letter, function, &fault)) {
        Bytes junk;
        int n = fault.arg > 0 ? fault.arg : 8;
        for (int i = 0; i < n; ++i)
            junk.push_back(static_cast<uint8_t>(0xA5 ^ (i * 37)));  // never DLE
        for (uint8_t& b : junk)
            if (b == DLE) b = 0x11;
        if (!gateway) line(due, junk);
        action += ",garbage";
    }
    auto deliver = [&] {
        if (!gateway) return line(due, telegram);
        if (corrupt) return;
        GatewayEvent rx;
        rx.kind = GatewayEvent::Received;
        rx.due = due;
        rx.connection = gateway->connection;
        rx.source = src;
        rx.second = dst;
        rx.body = body;
        queueEvent(rx);
    };
    deliver();
    action += ",reply";
    if (consume(Fault::Duplicate, device, letter, function)) {
        deliver();
        action += ",duplicate";
    }
    record(action);
}

void Bus::transmit(int connection, uint32_t id, uint8_t destination, const Bytes& body) {
    Frame f;
    f.status = Frame::Ok;
    f.destination = destination;
    f.source = addressByte(record[9], 0);
    f.body = body;
    f.raw = buildTelegram(f.destination, f.source, body);  // as the gateway puts it on the line
    Origin o{connection, id};
    handleFrame(f, &o);
}

void Bus::queueEvent(GatewayEvent e) {
    auto it = gatewayOut_.end();
    while (it != gatewayOut_.begin() && std::prev(it)->due > e.due) --it;
    gatewayOut_.insert(it, std::move(e));
}

bool Bus::takeGatewayDue(std::vector<GatewayEvent>& out) {
    out.clear();
    int64_t t = now();
    while (!gatewayOut_.empty() && gatewayOut_.front().due <= t) {
        out.push_back(std::move(gatewayOut_.front()));
        gatewayOut_.pop_front();
    }
    return !out.empty();
}

int64_t Bus::nextGatewayDue() const { return gatewayOut_.empty() ? -1 : gatewayOut_.front().due; }

}  // namespace vasksim
