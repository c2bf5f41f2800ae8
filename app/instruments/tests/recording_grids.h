// A stand-in for the property sheets' grids: installed as the factory of the models'
// diagnostic-values displays while the object lives. Every display it makes is numbered
// and logs what happens to it: "new <kind> #<n>", "attach #<n> <control id>", "delete #<n>".
#pragma once

#include "diagvalues.h"

#include <string>
#include <vector>

class RecordingGrids {
public:
    RecordingGrids() {
        s_current = this;
        previous_ = SetDiagValuesFactory(&Make);
    }
    ~RecordingGrids() {
        SetDiagValuesFactory(previous_);
        s_current = nullptr;
    }
    RecordingGrids(const RecordingGrids&) = delete;
    RecordingGrids& operator=(const RecordingGrids&) = delete;

    // What AttachToDlgItem answers.
    BOOL attachResult = TRUE;
    std::vector<std::string> events;

    class Grid : public CDiagnosticValues {
    public:
        Grid(int number) : number_(number) {}
        ~Grid() override { Log("delete #" + std::to_string(number_)); }
        BOOL AttachToDlgItem(CWnd*, UINT controlId) override {
            Log("attach #" + std::to_string(number_) + " " + std::to_string(controlId));
            return s_current != nullptr ? s_current->attachResult : FALSE;
        }
        int Number() const { return number_; }

    private:
        int number_;
    };

private:
    static void Log(const std::string& event) {
        if (s_current != nullptr) s_current->events.push_back(event);
    }
    static CDiagnosticValues* Make(int kind) {
        const int number = s_current != nullptr ? ++s_current->made_ : 0;
        Log("new " + std::to_string(kind) + " #" + std::to_string(number));
        return new Grid(number);
    }

    static inline RecordingGrids* s_current = nullptr;
    DiagValuesFactory previous_;
    int made_ = 0;
};
