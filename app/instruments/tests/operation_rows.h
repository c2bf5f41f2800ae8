// The analyzer's device operations as rows that a test calls one by one: each row of
// vaskoperations.def with its name, its parameter list as written, its failure text and a
// call of the operation with arguments made from the parameter types. Inputs get valid
// values; outputs (references) start as a sentinel, so that a test sees which of them the
// call reset to the no-value mark or to time 0, and which it left alone.
#pragma once

#include "resource.h"
#include "vaskinstrument.h"

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

namespace operation_rows {

// What became of one argument of a call.
enum class Outcome {
    Input,     // passed in
    Sentinel,  // an output left as it was
    Reset,     // an output made the no-value mark, or time 0
    Written    // an output given another value
};

const int kArrayLength = 30;
const double kSentinelValue = 7.25;
const int kSentinelInt = 77;

inline VaskFloat SentinelFloat() {
    VaskFloat v;
    v.value = kSentinelValue;
    v.text = "sentinel";
    v.unit = 9;
    v.quantity = 9;
    return v;
}
inline CTime SentinelTime() { return CTime(2021, 3, 4, 5, 6, 7); }

// Valid inputs by type.
template <class T>
struct Sample {
    static T Make() {
        if constexpr (std::is_enum<T>::value) {
            return T(1);
        } else if constexpr (std::is_same<T, int>::value) {
            return 1;
        } else if constexpr (std::is_same<T, VaskFloat>::value) {
            VaskFloat v;
            v.value = 1.5;
            v.text = "1.500";
            return v;
        } else if constexpr (std::is_same<T, CTime>::value) {
            return CTime(2020, 5, 6, 12, 0, 0);
        } else if constexpr (std::is_same<T, CString>::value) {
            return CString("Tag 7");
        } else if constexpr (std::is_same<T, CompStruct>::value) {
            return CompStruct{0, 1, 0, 2};
        } else {
            return T{};
        }
    }
};

// The storage of one argument of declared type P.
template <class P>
class Slot {
    using T = typename std::remove_cv<typename std::remove_reference<P>::type>::type;
    static constexpr bool kOutput = std::is_lvalue_reference<P>::value &&
                                    !std::is_const<typename std::remove_reference<P>::type>::value;

public:
    Slot() {
        if constexpr (kOutput) {
            if constexpr (std::is_same<T, VaskFloat>::value)
                value_ = SentinelFloat();
            else if constexpr (std::is_same<T, CTime>::value)
                value_ = SentinelTime();
            else if constexpr (std::is_same<T, int>::value || std::is_enum<T>::value)
                value_ = T(kSentinelInt);
            else if constexpr (std::is_same<T, CString>::value)
                value_ = "sentinel";
            else
                value_ = T{};
        } else {
            value_ = Sample<T>::Make();
        }
    }
    P Get() { return value_; }
    void Set(const T& value) { value_ = value; }
    Outcome Result() const {
        if constexpr (!kOutput) {
            return Outcome::Input;
        } else if constexpr (std::is_same<T, VaskFloat>::value) {
            const VaskFloat s = SentinelFloat();
            if (value_.value == s.value && value_.text == s.text && value_.unit == s.unit &&
                value_.quantity == s.quantity)
                return Outcome::Sentinel;
            if (value_.value == 0.0 && value_.text == "Unknown" && value_.unit == 1 &&
                value_.quantity == 1)
                return Outcome::Reset;
            return Outcome::Written;
        } else if constexpr (std::is_same<T, CTime>::value) {
            if (value_ == SentinelTime()) return Outcome::Sentinel;
            return value_.GetTime() == 0 ? Outcome::Reset : Outcome::Written;
        } else if constexpr (std::is_same<T, int>::value || std::is_enum<T>::value) {
            return (int)value_ == kSentinelInt ? Outcome::Sentinel : Outcome::Written;
        } else if constexpr (std::is_same<T, CString>::value) {
            return value_ == "sentinel" ? Outcome::Sentinel : Outcome::Written;
        } else {
            return Outcome::Sentinel;
        }
    }
    const T& Value() const { return value_; }

private:
    T value_;
};

// Arrays (int*, ControlType*, VaskFloat*): caller-owned, of the length the access layer
// fixes at most.
template <class E>
class Slot<E*> {
public:
    Slot() {
        for (E& e : values_) e = Sample<E>::Make();
    }
    E* Get() { return values_; }
    Outcome Result() const { return Outcome::Input; }

private:
    E values_[kArrayLength];
};

// One call of an operation: the arguments and what became of them.
class Call {
public:
    virtual ~Call() {}
    // Runs the operation on `analyzer`; a leading component index (the parameter named c)
    // gets `component`, a leading gas number (n) `gas`.
    virtual int Run(CVaskInstrument& analyzer) = 0;
    virtual std::vector<Outcome> Outcomes() const = 0;
};

template <class... Params>
class CallOf : public Call {
public:
    typedef int (CVaskInstrument::*Operation)(Params...);
    CallOf(Operation operation, int component, int gas, bool componentFirst, bool gasFirst)
        : operation_(operation) {
        if constexpr (sizeof...(Params) >= 1) {
            if constexpr (std::is_same<typename std::tuple_element<0, Tuple>::type,
                                       Slot<int>>::value) {
                if (gasFirst)
                    std::get<0>(slots_).Set(gas);
                else if (componentFirst)
                    std::get<0>(slots_).Set(component);
            }
        }
        if constexpr (sizeof...(Params) >= 2) {
            if constexpr (std::is_same<typename std::tuple_element<1, Tuple>::type,
                                       Slot<int>>::value) {
                if (gasFirst) std::get<1>(slots_).Set(component);
            }
        }
    }
    int Run(CVaskInstrument& analyzer) override {
        return Invoke(analyzer, std::index_sequence_for<Params...>());
    }
    std::vector<Outcome> Outcomes() const override {
        return Collect(std::index_sequence_for<Params...>());
    }

private:
    typedef std::tuple<Slot<Params>...> Tuple;
    template <size_t... I>
    int Invoke(CVaskInstrument& analyzer, std::index_sequence<I...>) {
        return (analyzer.*operation_)(std::get<I>(slots_).Get()...);
    }
    template <size_t... I>
    std::vector<Outcome> Collect(std::index_sequence<I...>) const {
        return {std::get<I>(slots_).Result()...};
    }
    Operation operation_;
    Tuple slots_;
};

// One row of the operation table.
struct Row {
    std::string name;        // "GetLimit1"
    std::string parameters;  // "(int c, VaskFloat& value1, VaskFloat& value2)"
    std::string body;        // "Common", "Waiting" or "Own"
    UINT messageId;          // 0: no report
    // A call with the component index `component` (and, for the dispatchers, gas 1).
    std::function<std::unique_ptr<Call>(int component)> make;

    bool TakesComponent() const {
        return parameters.compare(0, 6, "(int c") == 0 ||
               parameters.compare(0, 13, "(int n, int c") == 0;
    }
};

template <class... Params>
std::function<std::unique_ptr<Call>(int)> Maker(int (CVaskInstrument::*operation)(Params...),
                                                const char* parameters) {
    const std::string text = parameters;
    const bool gasFirst = text.compare(0, 6, "(int n") == 0;
    const bool componentFirst = text.compare(0, 6, "(int c") == 0;
    return [=](int component) -> std::unique_ptr<Call> {
        return std::unique_ptr<Call>(
            new CallOf<Params...>(operation, component, 1, componentFirst, gasFirst));
    };
}

// The outputs that a failed or offline read clears, by row (argument positions counted from
// 0 over the whole parameter list), typed in from the operation table's notes: the other
// outputs of a failed read keep what they held.
inline const std::map<std::string, std::set<int>>& Resets() {
    static const std::map<std::string, std::set<int>> resets = {
        {"GetAutorangeLimits", {1, 2}},
        {"GetPumpPower", {0}},
        {"GetDateOxy", {0}},
        {"GetDateNitroxy", {0}},
        {"GetDate", {0}},
        {"GetFlowSetting", {0}},
        {"GetAirPressure", {0}},
        {"GetAnalogOutput", {1}},
        {"GetFrequency", {0}},
        {"GetReducer", {1}},
        {"GetPhase", {1}},
        {"GetFaultSignalDuration", {1}},
        {"GetAdjustTolerance", {1, 2}},
        {"GetShockCompensation", {0}},
        {"GetExtPressureRange", {1, 2}},
        {"GetLateralGasParamsN", {2, 3, 4}},
        {"GetLateralGasParams", {1, 2, 3}},
        {"GetCharactEndValue", {1}},
        {"GetDeviations", {1, 2}},
        {"GetLateralGasParams2", {1, 2, 3}},
        {"GetLateralGasParams3", {1, 2, 3}},
        {"GetLateralGasParams4", {1, 2, 3}},
        {"GetLateralGasConcentration1", {1}},
        {"GetLateralGasConcentration2", {1}},
        {"GetLateralGasConcentration3", {1}},
        {"GetLateralGasConcentration4", {1}},
        {"GetDriftValues", {1, 2, 3, 4, 5}},
        {"GetDateH2S", {0}},
        {"DiagDisplayTemp", {0}},
        {"DiagControlReserve", {1}},
    };
    return resets;
}

// Every row, in slot order.
inline const std::vector<Row>& Rows() {
    static const std::vector<Row> rows = {
#define VASK_OPERATION(name, parameters, member, arguments, messageId, messageArgument, reset, \
                       body)                                                                   \
    {#name, #parameters, #body, (UINT)(messageId),                                             \
     Maker(static_cast<int(CVaskInstrument::*) parameters>(&CVaskInstrument::name), #parameters)},
#include "vaskoperations.def"
    };
    return rows;
}

}  // namespace operation_rows
