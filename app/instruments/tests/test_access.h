// An access object whose parameter adapters the test scripts: entries bind them through the
// adapter pointer type as they bind the real Fetch and Transfer members, and every call is
// recorded. No bus is opened.
#pragma once

#include "vaskaccess.h"

#include <string>
#include <vector>

class TestAccess : public CvaskAccess {
public:
    struct Call {
        int address, channel, index;
        double value;
        std::string text;
        bool operator==(const Call& o) const {
            return address == o.address && channel == o.channel && index == o.index &&
                   value == o.value && text == o.text;
        }
    };

    // Answers with `answer` while `succeed` holds; else fails with `failure` as the error.
    int Fetch(int address, int channel, int index, VaskFloat& value) {
        fetches.push_back({address, channel, index, value.value, (LPCSTR)value.text});
        if (!succeed) return Fail();
        value = answer;
        return 1;
    }
    // Takes the value while `succeed` holds.
    int Transfer(int address, int channel, int index, VaskFloat& value) {
        transfers.push_back({address, channel, index, value.value, (LPCSTR)value.text});
        return succeed ? 1 : Fail();
    }

    static ParamAdapter FetchAdapter() { return static_cast<ParamAdapter>(&TestAccess::Fetch); }
    static ParamAdapter TransferAdapter() {
        return static_cast<ParamAdapter>(&TestAccess::Transfer);
    }

    bool succeed = true;
    VaskFloat answer;
    ErrorStruct_ failure;
    std::vector<Call> fetches;
    std::vector<Call> transfers;

private:
    int Fail() {
        GetLastError() = failure;
        return 0;
    }
};

inline VaskFloat MakeValue(double value, const char* text, int unit = 1, int quantity = 1) {
    VaskFloat v;
    v.value = value;
    v.text = text;
    v.unit = unit;
    v.quantity = quantity;
    return v;
}
