// The received-message queue and its elements.
#include "vaskqueue.h"

CAddressedMessage::CAddressedMessage(const CString& address, CPCvaskMessage* message)
    : address(address), message(message) {}

CAddressedMessage::~CAddressedMessage() {}

CObQueue::CObQueue() : CObList(10) {}

CObQueue::~CObQueue() {}

void CObQueue::Enqueue(CObject* object) { AddTail(object); }

CObject* CObQueue::Dequeue() { return IsEmpty() ? NULL : RemoveHead(); }

CObject* CObQueue::First() const { return IsEmpty() ? NULL : GetHead(); }
