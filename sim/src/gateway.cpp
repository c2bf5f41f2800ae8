#include "gateway.h"

#include <algorithm>
#include <cctype>

namespace vasksim {

namespace {

std::string upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

void consider(int64_t& best, int64_t at) {
    if (at >= 0 && (best < 0 || at < best)) best = at;
}

}  // namespace

int LineSet::find(const std::string& name) const {
    for (size_t i = 0; i < size(); ++i)
        if (upper(name) == LineSet::name(i)) return static_cast<int>(i);
    return -1;
}

bool LineSet::resize(size_t count) {
    if (count < 1 || count > kMaxLines) return false;
    while (size() > count) extra_.pop_back();
    while (size() < count) {
        Bus& first = first_;
        extra_.push_back(std::make_unique<Bus>([&first] { return first.now(); }));
    }
    return true;
}

std::vector<Bus> LineSet::saveExtra() const {
    std::vector<Bus> copy;
    for (const auto& b : extra_) copy.push_back(*b);
    return copy;
}

void LineSet::restore(const std::vector<Bus>& extra) {
    extra_.clear();
    for (const Bus& b : extra) extra_.push_back(std::make_unique<Bus>(b));
}

void LineSet::advanceExtra() {
    Bytes dropped;
    for (auto& b : extra_) {
        b->advance();
        b->takeDue(dropped);
    }
}

int64_t LineSet::nextWake() const {
    int64_t best = -1;
    for (size_t i = 0; i < size(); ++i) {
        consider(best, at(i).nextGatewayDue());
        consider(best, at(i).nextBroadcast());
    }
    return best;
}

Bytes encodeGatewayFrame(const GatewayFrame& f) {
    size_t n = f.payload.size();
    Bytes b(4 + n);
    b[0] = f.type;
    b[1] = f.line;
    b[2] = static_cast<uint8_t>(n & 0xFF);
    b[3] = static_cast<uint8_t>((n >> 8) & 0xFF);
    std::copy(f.payload.begin(), f.payload.end(), b.begin() + 4);
    return b;
}

bool takeGatewayFrame(Bytes& buffer, GatewayFrame& out) {
    if (buffer.size() < 4) return false;
    size_t n = buffer[2] | (static_cast<size_t>(buffer[3]) << 8);
    if (buffer.size() < 4 + n) return false;
    out.type = buffer[0];
    out.line = buffer[1];
    out.payload.assign(buffer.begin() + 4, buffer.begin() + 4 + static_cast<long>(n));
    buffer.erase(buffer.begin(), buffer.begin() + 4 + static_cast<long>(n));
    return true;
}

int GatewaySide::open() {
    int id = nextId_++;
    conns_[id];
    return id;
}

void GatewaySide::close(int id) { conns_.erase(id); }

void GatewaySide::put(Connection& c, uint8_t type, uint8_t line, const Bytes& payload) {
    GatewayFrame f;
    f.type = type;
    f.line = line;
    f.payload = payload;
    Bytes b = encodeGatewayFrame(f);
    c.out.insert(c.out.end(), b.begin(), b.end());
}

bool GatewaySide::receive(int id, const uint8_t* data, size_t size) {
    auto it = conns_.find(id);
    if (it == conns_.end()) return false;
    Connection& c = it->second;
    c.in.insert(c.in.end(), data, data + size);
    GatewayFrame f;
    bool keep = true;
    while (keep && takeGatewayFrame(c.in, f)) handle(c, id, f, keep);
    return keep;
}

void GatewaySide::handle(Connection& c, int id, const GatewayFrame& f, bool& keep) {
    bool lineExists = f.line < lines_.size();
    switch (f.type) {
        case kGwHello: {
            if (f.payload.size() != 1 || f.payload[0] != kVersion) {
                keep = false;  // another protocol: nothing this side could say would be understood
                return;
            }
            Bytes list{static_cast<uint8_t>(lines_.size())};
            for (size_t i = 0; i < lines_.size(); ++i) {
                std::string n = LineSet::name(i);
                list.push_back(static_cast<uint8_t>(n.size()));
                list.insert(list.end(), n.begin(), n.end());
            }
            put(c, kGwLines, 0, list);
            return;
        }
        case kGwReadRecord: {
            if (!lineExists) return put(c, kGwRecord, f.line, {1});
            const LineRecord& r = lines_.at(f.line).record;
            Bytes p{0};
            p.insert(p.end(), r.begin(), r.end());
            return put(c, kGwRecord, f.line, p);
        }
        case kGwWriteRecord: {
            // Only the line's options are the client's to change; the gateway keeps its own
            // bytes.  Flags are 0 or 1 and the own address is a bus address of 0 to 14.
            const Bytes& p = f.payload;
            if (!lineExists || p.size() != 12 || p[7] > 1 || p[8] > 1 || p[9] > 14)
                return put(c, kGwRecordWritten, f.line, {1});
            LineRecord& r = lines_.at(f.line).record;
            r[7] = p[7];
            r[8] = p[8];
            r[9] = p[9];
            return put(c, kGwRecordWritten, f.line, {0});
        }
        case kGwTransmit: {
            const Bytes& p = f.payload;
            if (p.size() < 5) return;  // not even an id to answer to
            uint32_t tid = p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
            if (!lineExists) {
                return put(c, kGwTransmitDone, f.line,
                           {p[0], p[1], p[2], p[3], static_cast<uint8_t>(GatewayEvent::Failed)});
            }
            lines_.at(f.line).transmit(id, tid, p[4], Bytes(p.begin() + 5, p.end()));
            return;
        }
        default: return;  // unknown frames are ignored; the connection stays up
    }
}

void GatewaySide::pump() {
    std::vector<GatewayEvent> due;
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (!lines_.at(i).takeGatewayDue(due)) continue;
        uint8_t line = static_cast<uint8_t>(i);
        for (const GatewayEvent& e : due) {
            Bytes p;
            if (e.kind == GatewayEvent::TransmitDone) {
                for (int shift = 0; shift < 32; shift += 8)
                    p.push_back(static_cast<uint8_t>(e.id >> shift));
                p.push_back(e.status);
            } else {
                p.reserve(2 + e.body.size());
                p.push_back(e.source);
                p.push_back(e.second);
                p.insert(p.end(), e.body.begin(), e.body.end());
            }
            uint8_t type = e.kind == GatewayEvent::TransmitDone ? kGwTransmitDone : kGwReceived;
            if (e.connection < 0) {
                for (auto& [cid, c] : conns_) put(c, type, line, p);
            } else {
                auto it = conns_.find(e.connection);
                if (it != conns_.end())
                    put(it->second, type, line, p);  // a closed connection's reports are dropped
            }
        }
    }
}

bool GatewaySide::takeOutput(int id, Bytes& out) {
    out.clear();
    auto it = conns_.find(id);
    if (it == conns_.end()) return false;
    out.swap(it->second.out);
    return !out.empty();
}

}  // namespace vasksim
