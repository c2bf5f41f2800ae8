#include "device.h"

#include <cmath>
#include <cstdio>
#include <sstream>

namespace vasksim {

namespace {
constexpr double kPi = 3.14159265358979323846;

bool isWrite(char letter, int function) {
    switch (letter) {
        case 'Z':
        case 'S':
        case 'W':
        case 'K': return true;
        case 'F': return function != 1;  // remote itself must always be reachable
        default: return false;
    }
}
}  // namespace

Device::Device(int address_, int type_, int components_, int ranges_)
    : address(address_), type(type_), components(0), ranges(0) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "S%07d", 1000 + address_);
    serial = buf;
    std::snprintf(buf, sizeof buf, "Analyzer %d", address_);
    name = buf;
    setComponents(components_);
    setRanges(ranges_);
    for (int i = 0; i < 64; ++i) memory.push_back(static_cast<uint8_t>((i * 7 + address_) & 0xFF));
    logbook.push_back({12, 1, 0, 30, 14, 1, 7, 5});
    logbook.push_back({27, 2, 1, 5, 9, 24, 12, 99});
    // Settings that count from 1 or name "no source" start sensibly.
    for (int ch = 0; ch < 4; ++ch) {
        for (int fn : {23, 38})
            stored('s', fn, ch) = {Value::makeByte(0xFF), Value::makeByte(0xFF)};
        stored('s', 39, ch) = {Value::makeByte(0x00)};
        stored('s', 41, ch) = {Value::makeByte(0x80)};
    }
    setDiagnosticDefaults();
    // The air pressure and the chopper's or magnetic field's frequency, as a device reads them.
    for (int ch = 0; ch < 4; ++ch) {
        stored('w', 18, ch) = {Value::makeFloat(Value::UFloat, 1013.0, kHectopascal)};
        stored('w', 21, ch) = {Value::makeFloat(Value::UFloat, 12.5, kHertz)};
    }
    stored('s', 33, 0) = {Value::makeByte(1)};
    stored('k', 17, 0) = {Value::makeByte(1)};
    stored('k', 24, 0) = {Value::makeByte(0), Value::makeByte(1)};
    stored('k', 26, 0) = {Value::makeByte(0)};
    Values relays;
    for (int i = 1; i <= 3; ++i) relays.push_back(Value::makeByte(i));
    stored('s', 4, 0) = relays;
}

namespace {

// What a diagnostic code ("h" 1 to 17) reads: a number and its unit.
struct DiagValue {
    double value;
    int unit;
};

// The codes that the program reads of a channel type (the type of the device's version
// record: 1 Sindor 6, 2 Parvel 6, 3 Quenta 6, 4 Sindor 23, 7 Lorvix 6, 8 Parvel 64,
// 9 Lorvix 62) for its diagnostic pages, and what they are there.
struct TypeDiagValue {
    int type, code;
    DiagValue value;
};
const TypeDiagValue kTypeDiagValues[] = {
    // Sindor 6: heating and receiving chamber, chopper deviation, display, control reserve.
    {1, 1, {60.2, kCelsius}}, {1, 2, {55.1, kCelsius}}, {1, 4, {0.8, kPercent}},
    {1, 5, {31.5, kCelsius}}, {1, 6, {86, kPercent}},
    // Parvel 6: physics and measuring head, chamber, magnetic field, display, reserve.
    {2, 1, {55.3, kCelsius}}, {2, 2, {60.4, kCelsius}}, {2, 3, {1250, kMillivolt}},
    {2, 4, {92.5, kPercent}}, {2, 5, {31.5, kCelsius}}, {2, 6, {81, kPercent}},
    // Lorvix 6: the thermal-conductivity cell's temperature and raw signals, display.
    {7, 1, {60.1, kCelsius}}, {7, 3, {512, kMillivolt}}, {7, 4, {498, kMillivolt}},
    {7, 5, {31.5, kCelsius}},
    // Sindor 23: chamber and radiator, source, display, reserve, O2 probe.
    {4, 1, {50.2, kCelsius}}, {4, 2, {72.5, kCelsius}}, {4, 4, {2140, kMillivolt}},
    {4, 5, {31.5, kCelsius}}, {4, 6, {88, kPercent}}, {4, 7, {12.4, kMillivolt}},
    // Quenta 6: physics, oven, chamber signal, catalyst, display, flame, analog input,
    // electronics, burn gas and air, the adapter board's voltages.
    {3, 1, {45.3, kCelsius}}, {3, 2, {190.2, kCelsius}}, {3, 3, {1.85, kPicoampere}},
    {3, 4, {300.4, kCelsius}}, {3, 5, {31.5, kCelsius}}, {3, 6, {410.7, kCelsius}},
    {3, 7, {4.2, kMilliampere}}, {3, 8, {40.6, kCelsius}}, {3, 9, {1100, kMillibar}},
    {3, 10, {1150, kMillibar}}, {3, 11, {2.5, kVolt}}, {3, 12, {-15.1, kVolt}},
    {3, 13, {15.0, kVolt}}, {3, 14, {24.2, kVolt}},
    // Parvel 64: sensor temperature and voltage, display, gas pressure and flow.
    {8, 1, {60.3, kCelsius}}, {8, 4, {1180, kMillivolt}}, {8, 5, {31.5, kCelsius}},
    {8, 8, {1013, kHectopascal}}, {8, 9, {1.2, kLitrePerMinute}},
    // Lorvix 62: sensor and gas lane temperatures, sensor voltage, display, electronics.
    {9, 1, {62.1, kCelsius}}, {9, 2, {45.4, kCelsius}}, {9, 4, {1480, kMillivolt}},
    {9, 5, {31.5, kCelsius}}, {9, 8, {40.6, kCelsius}},
};

// Any other code: what the message catalogue names it (flow, analog inputs, air pressure,
// chamber and radiator temperatures, supply and radiator voltages, raw value, probes' and
// bridge's voltages).
const DiagValue kCatalogueDiagValues[17] = {
    {1.2, kLitrePerMinute}, {4.1, kMilliampere}, {12.3, kMilliampere}, {1013, kHectopascal},
    {55.2, kCelsius},       {56.3, kCelsius},    {57.4, kCelsius},     {70.5, kCelsius},
    {71.6, kCelsius},       {24.1, kVolt},       {6.2, kVolt},         {6.3, kVolt},
    {812, kMillivolt},      {12.4, kMillivolt},  {310, kMillivolt},    {305, kMillivolt},
    {5.0, kVolt}};

DiagValue DiagnosticValue(int type, int code) {
    for (const TypeDiagValue& d : kTypeDiagValues)
        if (d.type == type && d.code == code) return d.value;
    return kCatalogueDiagValues[code - 1];
}

}  // namespace

void Device::setType(int type_) {
    type = type_;
    setDiagnosticDefaults();
}

void Device::setDiagnosticDefaults() {
    // Each value in the unit of what it is: temperatures in degrees Celsius, voltages,
    // currents, pressures, flows, reserves in percent, by what the channel type's code means.
    for (int ch = 0; ch < 4; ++ch) {
        for (int fn = 1; fn <= 17; ++fn) {
            const DiagValue d = DiagnosticValue(type, fn);
            stored('h', fn, ch) = {Value::makeFloat(Value::UFloat, d.value, d.unit)};
        }
        // The temperatures of the physics and of the measuring head.
        for (int fn = 1; fn <= 2; ++fn)
            stored('i', fn, ch) = {Value::makeFloat(Value::UFloat, 50.0 + fn, kCelsius)};
        // Air pressure, chamber and radiator temperatures, supply voltage, raw value of the
        // chamber, O2 probe's voltage, analog output.
        static const DiagValue kJ[7] = {{1013, kHectopascal}, {55.2, kCelsius}, {70.3, kCelsius},
                                        {24.1, kVolt},        {812, kMillivolt}, {12.4, kMillivolt},
                                        {12.0, kMilliampere}};
        for (int fn = 1; fn <= 7; ++fn)
            stored('j', fn, ch) = {Value::makeFloat(Value::UFloat, kJ[fn - 1].value, kJ[fn - 1].unit)};
    }
}

void Device::setRange(int component, int range, double lower, double upper) {
    const int unit = comps[static_cast<size_t>(component)].unit;
    store_[{'w', 1, component}][static_cast<size_t>(range)] =
        Value::makeFloat(Value::UFloat, lower, unit);
    store_[{'w', 2, component}][static_cast<size_t>(range)] =
        Value::makeFloat(Value::UFloat, upper, unit);
    store_[{'w', 3, component}][static_cast<size_t>(range)] =
        Value::makeFloat(Value::UFloat, upper * 0.8, unit);
}

void Device::setUnit(int component, int unit) {
    comps[static_cast<size_t>(component)].unit = unit;
    // The ranges and the span gas are in the unit of the measured value.
    for (int fn : {1, 2, 3})
        for (Value& v : store_[{'w', fn, component}]) v.unit = unit;
}

void Device::setComponents(int n) {
    if (n < 1) n = 1;
    if (n > 16) n = 16;
    components = n;
    static const int gases[] = {2, 3, 12, 7};   // CO, CO2, O2, NO
    static const int units[] = {2, 11, 11, 2};  // ppm, %vol, %vol, ppm
    while (static_cast<int>(comps.size()) < n) {
        size_t i = comps.size();
        Component c;
        c.base = 10.0 * static_cast<double>(i + 1);
        c.amplitude = 0.5;
        c.periodMs = 20000.0 + 5000.0 * static_cast<double>(i);
        c.unit = units[i % 4];
        c.gas = gases[i % 4];
        comps.push_back(c);
    }
    comps.resize(static_cast<size_t>(n));
}

void Device::setRanges(int n) {
    if (n < 0) n = 0;
    if (n > 30) n = 30;
    ranges = n;
    for (int ch = 0; ch < 16; ++ch) {
        int unit = ch < static_cast<int>(comps.size()) ? comps[static_cast<size_t>(ch)].unit : 2;
        Values lower, upper, span;
        for (int r = 0; r < n; ++r) {
            double end = 10.0 * std::pow(10.0, r);
            lower.push_back(Value::makeFloat(Value::UFloat, 0.0, unit));
            upper.push_back(Value::makeFloat(Value::UFloat, end, unit));
            span.push_back(Value::makeFloat(Value::UFloat, end * 0.8, unit));
        }
        store_[{'w', 1, ch}] = lower;
        store_[{'w', 2, ch}] = upper;
        store_[{'w', 3, ch}] = span;
    }
}

bool Device::switchOn(int number) const {
    auto it = switches_.find(number);
    return it != switches_.end() && it->second;
}

bool Device::deviceLevel(char letter, int function) const {
    if (letter == 'k') return function != 1 && function != 4 && function != 8 && function != 9;
    if (letter == 's')
        return function >= 4 && function <= 7 ? true : function == 21 || function == 33;
    if (letter == 'w') return function == 6 || function == 16 || function == 18;
    return false;
}

Values& Device::stored(char letter, int function, int channel) {
    char key = static_cast<char>(letter | 0x20);  // 'W' writes what 'w' reads
    if (letter == 'k' || letter == 'K') key = 'k';
    if (deviceLevel(key, function)) channel = 0;
    auto k = std::make_tuple(key, function, channel);
    auto it = store_.find(k);
    if (it == store_.end()) it = store_.emplace(k, defaultValues(key, function)).first;
    return it->second;
}

bool Device::setStored(char letter, int function, int channel, const Bytes& params,
                       std::string& why) {
    MessageInfo info = replyInfo(letter, function);
    if (!info.known) {
        why = "no such message";
        return false;
    }
    Values vs;
    if (!decode(params, info.reply, false, vs, why)) return false;
    stored(letter, function, channel) = vs;
    return true;
}

double Device::measured(int component, int64_t nowMs) const {
    const Component& c = comps[static_cast<size_t>(component)];
    if (c.amplitude == 0.0 || c.periodMs <= 0.0) return c.base;
    return c.base + c.amplitude * std::sin(2.0 * kPi * static_cast<double>(nowMs) / c.periodMs);
}

Bytes Device::measuredValues(int64_t nowMs) const {
    Values vs;
    for (int i = 0; i < components; ++i) {
        const Component& c = comps[static_cast<size_t>(i)];
        vs.push_back(Value::makeFloat(Value::UQFloat, measured(i, nowMs), c.unit, c.gas));
    }
    return encode(vs);
}

Response Device::rejection(const std::string& code, const std::string& why) {
    Response r;
    r.letter = code.size() > 0 ? code[0] : '?';
    r.function = code.size() > 1 ? static_cast<unsigned char>(code[1]) : '?';
    r.note = "reject " + code + (why.empty() ? "" : " (" + why + ")");
    return r;
}

Response Device::reply(char letter, int function, const Values& vs, const std::string& note) {
    Response r;
    r.letter = letter;
    r.function = function;
    r.params = encode(vs);
    r.note = note;
    return r;
}

// The switch record: 21 flags in three bytes (bit 7 of each a marker) and a closing byte.
Values Device::switchRecord(int64_t) {
    Values vs = stored('k', 3, 0);
    static const struct {
        int field, sw;
    } kMap[] = {{1, 5}, {2, 1}, {3, 10}, {9, 11}, {18, 23}, {20, 28}};
    for (const auto& m : kMap) {
        int byte = (m.field - 1) / 7, bit = (m.field - 1) % 7;
        Value& v = vs[static_cast<size_t>(byte)];
        v.byte = (v.byte & ~(1 << bit)) | (switchOn(m.sw) ? (1 << bit) : 0) | 0x80;
    }
    return vs;
}

void Device::handleBroadcast(char letter, int function, const Bytes& params, int64_t nowMs) {
    Values req;
    std::string rej, why;
    if (letter == 'F' && decodeRequest(letter, function, params, req, rej, why))
        setSwitch(function, req[0].byte == '1');
    (void)nowMs;
}

Response Device::handle(char letter, int function, int channel, const Bytes& params,
                        int64_t nowMs) {
    MessageInfo info = replyInfo(letter, function);
    if (!info.known || letter == 'b') return rejection("??", "unknown message");
    if (channel >= components) return rejection("CE", "component out of range");
    Values req;
    std::string code, why;
    if (!decodeRequest(letter, function, params, req, code, why)) return rejection(code, why);

    if (download == Download::MainBoard || download == Download::MainLoaded) {
        bool passes =
            letter == 'K' || letter == 'Z' || (letter == 'k' && (function == 20 || function == 24));
        if (!passes) return rejection("BS", "download in progress");
    }
    if (requireRemote && isWrite(letter, function) && !switchOn(1))
        return rejection("OF", "not in remote");

    switch (letter) {
        case 'Z':
            if (function == 1 && download == Download::MainLoaded) {
                Response r;
                r.kind = Response::Restart;
                r.note = "reset after download: restarting";
                download = Download::Idle;
                restartUntil = nowMs + restartMs;
                return r;
            }
            if (function == 6 && (req[0].byte < 1 || req[0].byte > ranges))
                return rejection("DE", "no such range");
            if (function >= 2 && function <= 4) state = static_cast<uint8_t>(function);
            if (function == 1) state = 4;
            // A calibration or adjustment command puts the channel in the state it names
            // until its stage has run or the PC returns it to measuring.
            if (function >= 5 && function <= 21) {
                state = static_cast<uint8_t>(function);
                return reply('Z', function, {}, "state " + std::to_string(function));
            }
            return reply('Z', function, {});
        case 'F': {
            bool on = req[0].byte == '1';
            setSwitch(function, on);
            return reply('F', function, {}, on ? "on" : "off");
        }
        case 'S': {
            Values& target = stored('s', function, channel);
            if (function == 4 && static_cast<int>(req.size()) > 8)
                return rejection("SE", "too many relays");
            target = req;
            // The calibration stage runs at once: the channel measures again.
            if (function == 13 && state >= 5 && state <= 21) {
                state = 4;
                return reply('S', function, {}, "stage run");
            }
            return reply('S', function, {});
        }
        case 'W': {
            if (function >= 1 && function <= 3 && static_cast<int>(req.size()) != ranges)
                return rejection("SE", "one value per measuring range expected");
            Values& target = stored('w', function, channel);
            if (target.size() < req.size())
                target.resize(req.size(), Value::makeFloat(Value::UFloat, 0.0));
            for (size_t i = 0; i < req.size(); ++i) {
                target[i].kind = Value::UFloat;
                target[i].text = req[i].text;
                if (req[i].kind == Value::UFloat) target[i].unit = req[i].unit;
            }
            return reply('W', function, {});
        }
        case 'K': return handleK(function, req, nowMs);
        case 'J': return reply('J', function, {});
        default: return handleRead(letter, function, channel, req, nowMs);
    }
}

Response Device::handleRead(char letter, int function, int channel, const Values& req,
                            int64_t nowMs) {
    if (letter == 'k') {
        switch (function) {
            case 1: {
                const Component& c = comps[static_cast<size_t>(channel)];
                return reply(
                    'k', 1,
                    {Value::makeFloat(Value::UQFloat, measured(channel, nowMs), c.unit, c.gas)});
            }
            case 2: {
                Response r = reply('k', 2, {});
                r.params = measuredValues(nowMs);
                return r;
            }
            case 3: return reply('k', 3, switchRecord(nowMs));
            case 4: {
                Values vs = stored('k', 4, channel);
                vs[0].byte = (vs[0].byte & ~0x06) | (switchOn(3) ? 0x02 : 0) |
                             (switchOn(4) ? 0x04 : 0) | 0x80;
                return reply('k', 4, vs);
            }
            case 6:
                return reply(
                    'k', 6,
                    {Value::makeByte(type), Value::makeText(Value::UStr, serial),
                     Value::makeText(Value::UStr, software), Value::makeText(Value::UStr, hardware),
                     Value::makeText(Value::UStr, order), Value::makeText(Value::UStr, firmware),
                     Value::makeText(Value::UStr, extra)});
            case 10: {
                int entry = req.empty() ? 1 : req[0].byte;
                if (entry < 1) return rejection("DE", "no such logbook entry");
                // Past its last entry the logbook answers message number 255, its end mark.
                static const LogbookEntry kEnd = {255, 0, 0, 0, 0, 0, 0, 0};
                const LogbookEntry& e = entry > static_cast<int>(logbook.size())
                                            ? kEnd
                                            : logbook[static_cast<size_t>(entry - 1)];
                return reply('k', 10,
                             {Value::makeByte(e.first), Value::makeByte(e.second),
                              Value::makeByte(e.flags), Value::makeFloat(Value::UFloat, e.minute),
                              Value::makeFloat(Value::UFloat, e.hour),
                              Value::makeFloat(Value::UFloat, e.day),
                              Value::makeFloat(Value::UFloat, e.month),
                              Value::makeFloat(Value::UFloat, e.year)});
            }
            case 11: {
                Values vs;
                for (int i = 0; i < components; ++i)
                    vs.push_back(Value::makeFloat(Value::Float, measured(i, nowMs)));
                vs.push_back(Value::makeFloat(Value::Float, 1.0));  // lambda
                return reply('k', 11, vs);
            }
            case 16: return reply('k', 16, {Value::makeText(Value::UStr, name)});
            case 20: return reply('k', 20, {Value::makeByte(0x80 | (downloadFaults & 0x07))});
            case 26: return reply('k', 26, {Value::makeByte(paramStatus)});
            case 27: {
                if (paramSet != ParamSet::Reading)
                    return rejection("BS", "no parameter-set read started");
                size_t left = memory.size() - readOffset;
                size_t n =
                    left <= static_cast<size_t>(blockSize) ? left : static_cast<size_t>(blockSize);
                bool last = left <= static_cast<size_t>(blockSize);
                Value block;
                block.kind = Value::Block;
                block.data.assign(memory.begin() + static_cast<long>(readOffset),
                                  memory.begin() + static_cast<long>(readOffset + n));
                int number = last ? 255 : nextBlock;
                readOffset += n;
                ++nextBlock;
                if (last) paramSet = ParamSet::Idle;
                char note[48];
                std::snprintf(note, sizeof note, "block %d, %zu bytes", number, n);
                return reply('k', 27, {Value::makeByte(number), block}, note);
            }
            default: break;
        }
    }
    return reply(letter, function, stored(letter, function, channel));
}

Response Device::handleK(int function, const Values& req, int64_t nowMs) {
    (void)nowMs;
    switch (function) {
        case 10: {
            int entry = req[0].byte;
            if (entry < 1 || entry > static_cast<int>(logbook.size()))
                return rejection("DE", "no such logbook entry");
            logbook[static_cast<size_t>(entry - 1)].flags |= 2;
            return reply('K', 10, {});
        }
        case 14: {
            // Transfer between the working data and the stored user or factory data.
            switch (req[0].byte) {
                case 1:
                    if (!userSnapshot_.empty()) store_ = userSnapshot_;
                    break;
                case 2: userSnapshot_ = store_; break;
                case 3:
                    if (!defaultSnapshot_.empty()) store_ = defaultSnapshot_;
                    break;
                case 4: defaultSnapshot_ = store_; break;
                case 5: break;
                default: return rejection("DE", "no such transfer");
            }
            return reply('K', 14, {});
        }
        case 16: name = req[0].text; return reply('K', 16, {});
        case 17:
            if (req[0].byte < 1 || req[0].byte > 4) return rejection("DE", "no such parameter set");
            stored('k', 17, 0) = {Value::makeByte(req[0].byte)};
            return reply('K', 17, {});
        case 20: {
            download = Download::MainBoard;
            recordsReceived = 0;
            Response r;
            r.kind = Response::NoReply;
            r.note = "download started";
            return r;
        }
        case 21:
        case 25: {
            Response r;
            r.kind = Response::NoReply;
            bool wanted = (function == 21 && download == Download::MainBoard) ||
                          (function == 25 && download == Download::OptionBoard);
            if (!wanted) {
                r.note = "record outside a download, ignored";
                return r;
            }
            ++recordsReceived;
            const Bytes& rec = req[0].data;
            if (function == 21 && rec.size() >= 4 && rec[3] == 0x01)
                download = Download::MainLoaded;
            char note[48];
            std::snprintf(note, sizeof note, "record %d type %02X", recordsReceived,
                          rec.size() >= 4 ? rec[3] : 0);
            r.note = note;
            return r;
        }
        case 22: logbook.clear(); return reply('K', 22, {});
        case 24: {
            Response r;
            r.kind = Response::NoReply;
            if (req[0].byte == 2) {
                download = Download::OptionBoard;
                recordsReceived = 0;
                r.note = "option-board download started";
            } else {
                download = Download::Idle;
                r.note = "option-board download stopped";
            }
            return r;
        }
        case 26:
            switch (req[0].byte) {
                case 1:
                    paramSet = ParamSet::Reading;
                    readOffset = 0;
                    nextBlock = 1;
                    break;
                case 2:
                    paramSet = ParamSet::Writing;
                    incoming.clear();
                    nextBlock = 1;
                    paramStatus = 0;
                    break;
                case 3:
                    if (paramSet != ParamSet::AwaitingConfirm)
                        return rejection("BS", "nothing to confirm");
                    memory = incoming;
                    paramSet = ParamSet::Idle;
                    paramStatus = 0;
                    break;
                default: return rejection("DE", "no such parameter-set step");
            }
            return reply('K', 26, {});
        case 27: {
            if (paramSet != ParamSet::Writing)
                return rejection("BS", "no parameter-set write started");
            int number = req[0].byte;
            const Bytes& data = req[1].data;
            if (number != nextBlock && number != 255) {
                paramStatus = 4;  // wrong order
                paramSet = ParamSet::Idle;
                return reply('K', 27, {}, "block out of order");
            }
            if (incoming.size() + data.size() > kMemoryLimit) {
                paramStatus = 3;  // data error
                paramSet = ParamSet::Idle;
                return reply('K', 27, {}, "parameter set too large");
            }
            incoming.insert(incoming.end(), data.begin(), data.end());
            ++nextBlock;
            if (number == 255) {
                if (writeWarning >= 6 && writeWarning <= 8) {
                    paramStatus = writeWarning;
                    paramSet = ParamSet::AwaitingConfirm;
                } else {
                    memory = incoming;
                    paramStatus = 0;
                    paramSet = ParamSet::Idle;
                }
            }
            return reply('K', 27, {});
        }
        case 30: stored('k', 30, 0) = {Value::makeByte(req[0].byte)}; return reply('K', 30, {});
        default: return reply('K', function, {});
    }
}

std::string Device::status() const {
    static const char* dl[] = {"idle", "mainboard", "mainboard-loaded", "optionboard"};
    static const char* ps[] = {"idle", "reading", "writing", "awaiting-confirm"};
    std::ostringstream s;
    s << "address=" << address << " type=" << type << " components=" << components
      << " ranges=" << ranges << " remote=" << (switchOn(1) ? 1 : 0)
      << " broadcast=" << (switchOn(10) ? 1 : 0) << " state=" << static_cast<int>(state)
      << " download=" << dl[static_cast<int>(download)] << " records=" << recordsReceived
      << " paramset=" << ps[static_cast<int>(paramSet)] << " memory=" << memory.size()
      << " name=" << toHex(Bytes(name.begin(), name.end()));
    return s.str();
}

}  // namespace vasksim
