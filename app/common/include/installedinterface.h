// An interface through which a lower layer reaches a higher one: the higher layer installs
// its implementation; until it does, and after it takes it back, a built-in one answers.
#pragma once
#include <atomic>

template <class T>
class CInstalledInterface {
public:
    explicit CInstalledInterface(T& builtIn) : m_builtIn(builtIn), m_pInstalled(nullptr) {}

    // Installs `pInstalled` (null: the built-in one again); returns the one installed before.
    T* Set(T* pInstalled) { return m_pInstalled.exchange(pInstalled); }
    // Read from any thread.
    T& Get() const {
        T* pInstalled = m_pInstalled.load();
        return pInstalled != nullptr ? *pInstalled : m_builtIn;
    }

private:
    T& m_builtIn;
    std::atomic<T*> m_pInstalled;
};
