// The first-in, first-out queue of received messages, each with its sender's address.
// Neither class owns what it holds: whoever takes an element deletes the message and then
// the element. The queue has no lock of its own.
#pragma once

#include "utilvask_api.h"
#include "vaskfc.h"

class CPCvaskMessage;

class UTILVASK_API CAddressedMessage : public CObject {
public:
    CAddressedMessage(const CString& address, CPCvaskMessage* message);
    // Releases the text only; the message stays alive.
    ~CAddressedMessage() override;

    CString address;          // the sender's bus address, "%d/%d"
    CPCvaskMessage* message;  // not owned
};

class UTILVASK_API CObQueue : public CObList {
public:
    CObQueue();
    // Releases the list nodes, not the objects.
    ~CObQueue() override;

    // Appends at the tail.
    void Enqueue(CObject* object);
    // Removes and returns the head; null when the queue is empty.
    CObject* Dequeue();
    // The head, left in the queue; null when the queue is empty.
    CObject* First() const;
};
