// The factory of the models' diagnostic-values displays, installed by the property sheets.
#include "diagvalues.h"

#include <atomic>

namespace {

// Read by the models on any thread that creates a display.
std::atomic<DiagValuesFactory> g_factory{nullptr};

}  // namespace

DiagValuesFactory SetDiagValuesFactory(DiagValuesFactory factory) {
    return g_factory.exchange(factory);
}

CDiagnosticValues* CreateDiagValuesOfKind(int kind) {
    DiagValuesFactory factory = g_factory.load();
    return factory != nullptr ? factory(kind) : NULL;
}
