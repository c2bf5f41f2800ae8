// One message of the analyzer bus as the PC sees it: the body inside a telegram, without
// addresses, framing or checksum.
//
//   request (built by the PC):     letter, function, parameters
//   reply (parsed from a device):  flags, state, letter, function, parameters
//
// Example: "K" 17 with one integer value 3 is the body 4B 11 03 00.
//
// Ownership: a message deletes its parameter objects when it is destroyed. A request is
// given the caller's array: the objects in it become the message's, the array stays the
// caller's (and is left empty). A reply creates its own array and deletes it.
#pragma once

#include "msginfo.h"
#include "utilvask_api.h"
#include "vaskfc.h"
#include "vaskparam.h"

class UTILVASK_API CPCvaskMessage {
public:
    // A request of the given kind (normally 1) with the caller's parameters; flags and
    // state 0. A null array is a message without parameters.
    CPCvaskMessage(char command, int function, DirectionType kind, CParamArray* parameters);
    // Parses a received body of `length` bytes at the cursor against the catalogue and
    // moves the cursor over what was read, never past the body. The result is always a
    // complete object; it is invalid (GetCommand() == 0) when the body is shorter than its
    // four header bytes, the (letter, function) pair is unknown, a reply parameter refuses
    // its bytes or bytes are left over. `sender` is the address text for the trace only.
    CPCvaskMessage(const CString& sender, unsigned char*& cursor, int length);
    // Two messages must never own the same parameters.
    CPCvaskMessage(const CPCvaskMessage&) = delete;
    CPCvaskMessage& operator=(const CPCvaskMessage&) = delete;
    // Deletes every parameter object; deletes the array when the message created it, and
    // otherwise empties the caller's array so that it keeps no deleted pointers.
    ~CPCvaskMessage();

    // Writes the body at the cursor and advances it; the caller's buffer must hold it.
    void Write(unsigned char*& cursor) const;
    // Writes the body into buffer[0..size) and returns its length; -1, with the buffer
    // untouched, when the body does not fit or cannot be written.
    int WriteBody(unsigned char* buffer, int size) const;

    char GetCommand() const { return m_command; }
    int GetFunction() const { return m_function; }
    unsigned char GetFlags() const { return m_flags; }
    unsigned char GetState() const { return m_state; }
    CParamArray* GetParameters() const { return m_parameters; }

    // Hands the array back without deleting the objects in it: for a request whose
    // parameters belong to someone else, such as the catalogue's own request prototypes.
    CParamArray* ReleaseParameters();

private:
    void ParseBody(unsigned char*& cursor, unsigned char* end, const CString& sender);

    DirectionType m_kind;
    unsigned char m_flags;
    unsigned char m_state;
    char m_command;
    int m_function;
    CParamArray* m_parameters;
    int m_owns;
};
