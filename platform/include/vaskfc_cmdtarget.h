// CCmdTarget: the base of the classes that receive commands and window messages
// (threads, the application, windows).
#pragma once

#include "vaskfc_object.h"

class VASKFC_API CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget();
    ~CCmdTarget() override;
};
