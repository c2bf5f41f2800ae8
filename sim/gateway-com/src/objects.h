#pragma once

#include <windows.h>

namespace gwsim {

// The class factory of the stand-in's one class.
HRESULT GetFactory(REFIID iid, void** out);

}  // namespace gwsim
