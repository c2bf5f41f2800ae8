// The message catalogue: one CMsgInfo per bus message (command letter, function number,
// display name and the parameter prototypes of its request and of its reply), built once
// when the library loads, and the library-wide prototype array the entries point into.
//
// FindMessageInfo looks a message up: the first entry from 0 that matches (letter,
// function), so ('K', 24) always finds the first of its four entries; the closing entry
// (0, 0) ends the walk, so (0, 0) itself is unknown.
#pragma once

#include "utilvask_api.h"
#include "vaskfc.h"
#include "vaskparam.h"

typedef CArray<CParam*, CParam*> CParamArray;

class UTILVASK_API CMsgInfo {
public:
    // Stores the three fields, builds the prototype array when it has never been built and
    // files the prototypes of (command, function) into the request and reply lists.
    CMsgInfo(char command, int function, int nameId);
    // Copies the fields and both lists (the same prototype pointers).
    CMsgInfo(const CMsgInfo& other);
    CMsgInfo& operator=(const CMsgInfo&) = delete;
    // Frees the two lists; the prototypes belong to the prototype array.
    ~CMsgInfo();

    // 1 when both equal the entry's.
    int Match(char command, int function) const;
    // Number of prototypes of the reply list (direction 2) or of the request list (any
    // other direction).
    int GetParamCount(DirectionType direction) const;
    // The reply list (direction 2) or the request list (any other direction).
    CParamArray* GetParamList(DirectionType direction);
    // Prototype i (from 0) of that list; null when i is outside it.
    CParam* GetParameter(int i, DirectionType direction) const;
    // String 10000 + name id of utilvask, or "ID %d not found" with the name id.
    CString GetName() const;

private:
    friend struct CMsgInfoAccess;  // the library's own release of the prototypes
    void File();

    char m_command;
    int m_function;
    int m_nameId;
    CParamArray m_request;
    CParamArray m_reply;
};

// Number of catalogue entries, the closing entry (0, 0) included.
constexpr int VASK_CATALOGUE_SIZE = 404;

// Entry i of the catalogue, counted from 0; null outside 0..403.
UTILVASK_API CMsgInfo* GetMessageInfo(int i);
// The first entry of (command, function); null when the catalogue does not know it.
UTILVASK_API CMsgInfo* FindMessageInfo(char command, int function);

// Creates the prototype array with every prototype of the catalogue, the terminator
// ('X', 0) last. Does nothing when the array exists.
UTILVASK_API void BuildParamPrototypes();
// Deletes every prototype and the array, and empties the catalogue's lists so that no
// entry keeps a pointer to a deleted prototype. Does nothing when the array does not
// exist. Runs by itself when the library unloads.
UTILVASK_API void FreeParamPrototypes();
