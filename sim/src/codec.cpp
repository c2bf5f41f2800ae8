#include "codec.h"

#include <array>
#include <cstdio>

namespace vasksim {

namespace {
std::array<uint16_t, 256> makeTable() {
    std::array<uint16_t, 256> t{};
    for (unsigned i = 0; i < 256; ++i) {
        uint16_t v = static_cast<uint16_t>(i);
        for (int k = 0; k < 8; ++k)
            v = (v & 1) ? static_cast<uint16_t>((v >> 1) ^ 0xA001) : static_cast<uint16_t>(v >> 1);
        t[i] = v;
    }
    return t;
}
const std::array<uint16_t, 256> kCrcTable = makeTable();

void putStuffed(Bytes& out, uint8_t b) {
    out.push_back(b);
    if (b == DLE) out.push_back(DLE);
}
}  // namespace

uint16_t crc16(const uint8_t* data, size_t size, uint16_t crc) {
    for (size_t i = 0; i < size; ++i)
        crc = static_cast<uint16_t>((crc >> 8) ^ kCrcTable[(crc ^ data[i]) & 0xFF]);
    return crc;
}

std::string addressText(uint8_t address) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%d/%d", address >> 4, address & 0x0F);
    return buf;
}

static Bytes frameWithoutCrc(uint8_t destination, uint8_t source, const Bytes& body) {
    Bytes t{DLE, SOT};
    putStuffed(t, destination);
    putStuffed(t, source);
    for (uint8_t b : body) putStuffed(t, b);
    t.push_back(DLE);
    t.push_back(ETX);
    return t;
}

Bytes buildTelegramWithCrc(uint8_t destination, uint8_t source, const Bytes& body, uint16_t crc) {
    Bytes t = frameWithoutCrc(destination, source, body);
    t.push_back(static_cast<uint8_t>(crc & 0xFF));
    t.push_back(static_cast<uint8_t>(crc >> 8));
    return t;
}

Bytes buildTelegram(uint8_t destination, uint8_t source, const Bytes& body) {
    Bytes t = frameWithoutCrc(destination, source, body);
    uint16_t crc = crc16(t);
    t.push_back(static_cast<uint8_t>(crc & 0xFF));
    t.push_back(static_cast<uint8_t>(crc >> 8));
    return t;
}

void Deframer::reset() {
    state_ = Idle;
    raw_.clear();
    unstuffed_.clear();
}

bool Deframer::finish(Frame& out, Frame::Status st, const std::string& why) {
    out = Frame{};
    out.status = st;
    out.raw = raw_;
    out.problem = why;
    if (unstuffed_.size() >= 2) {
        out.destination = unstuffed_[0];
        out.source = unstuffed_[1];
        out.body.assign(unstuffed_.begin() + 2, unstuffed_.end());
    }
    reset();
    return true;
}

bool Deframer::push(uint8_t b, Frame& out) {
    switch (state_) {
        case Idle:
            if (b == DLE)
                state_ = IdleDle;
            else
                ++noise_;
            return false;
        case IdleDle:
            if (b == SOT) {
                raw_ = {DLE, SOT};
                unstuffed_.clear();
                state_ = Inside;
            } else {
                noise_ += 2;
                state_ = (b == DLE) ? IdleDle : Idle;
                if (b == DLE) --noise_;  // the second DLE may still open a telegram
            }
            return false;
        case Inside:
            raw_.push_back(b);
            if (b == DLE)
                state_ = InsideDle;
            else
                unstuffed_.push_back(b);
            break;
        case InsideDle:
            raw_.push_back(b);
            if (b == DLE) {
                unstuffed_.push_back(DLE);
                state_ = Inside;
            } else if (b == SOT) {
                // A new start inside a telegram: the sender gave up on the old one.
                noise_ += raw_.size() - 2;
                raw_ = {DLE, SOT};
                unstuffed_.clear();
                state_ = Inside;
            } else if (b == ETX) {
                state_ = Crc1;
            } else {
                return finish(out, Frame::Malformed, "DLE followed by an unexpected byte");
            }
            break;
        case Crc1:
            raw_.push_back(b);
            state_ = Crc2;
            return false;
        case Crc2: {
            raw_.push_back(b);
            uint16_t want = crc16(raw_.data(), raw_.size() - 2);
            uint16_t got =
                static_cast<uint16_t>(raw_[raw_.size() - 2] | (raw_[raw_.size() - 1] << 8));
            if (unstuffed_.size() < 2)
                return finish(out, Frame::Malformed, "telegram without both address bytes");
            if (want != got) return finish(out, Frame::BadCrc, "CRC mismatch");
            return finish(out, Frame::Ok, "");
        }
    }
    if (raw_.size() >= kMaxTelegram) return finish(out, Frame::Malformed, "telegram too long");
    return false;
}

std::string toHex(const uint8_t* p, size_t n) {
    static const char* d = "0123456789ABCDEF";
    std::string s;
    s.reserve(n * 2);
    for (size_t i = 0; i < n; ++i) {
        s.push_back(d[p[i] >> 4]);
        s.push_back(d[p[i] & 15]);
    }
    return s;
}
std::string toHex(const Bytes& b) { return toHex(b.data(), b.size()); }

bool fromHex(const std::string& text, Bytes& out) {
    out.clear();
    int hi = -1;
    for (char c : text) {
        int v;
        if (c == ' ' || c == ':' || c == '\t') continue;
        if (c >= '0' && c <= '9')
            v = c - '0';
        else if (c >= 'a' && c <= 'f')
            v = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            v = c - 'A' + 10;
        else
            return false;
        if (hi < 0)
            hi = v;
        else {
            out.push_back(static_cast<uint8_t>(hi * 16 + v));
            hi = -1;
        }
    }
    return hi < 0;
}

}  // namespace vasksim
