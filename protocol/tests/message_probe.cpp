// A child process for the message tests, exit code 0 when all went as expected.
//   message_probe          parses received bodies (an unknown pair, a valid reply and a
//                          short body) with every trace channel switched on
//   message_probe release  releases the prototypes early and goes on using the catalogue
#include "utilvask.h"
#include "vaskmessage.h"

#include <string.h>

namespace {

int Parses(const unsigned char* bytes, int length) {
    unsigned char body[64];
    memcpy(body, bytes, (size_t)length);
    unsigned char* cursor = body;
    CPCvaskMessage message(CString("1/1"), cursor, length);
    return message.GetCommand() != 0;
}

int Release() {
    const unsigned char w1[] = {0, 0, 'w', 1, '1', 0, 2, 0};
    const unsigned char j1[] = {0, 0, 'J', 1};
    if (!Parses(w1, sizeof w1)) return 2;
    FreeParamPrototypes();
    // No entry keeps a pointer to a deleted prototype.
    for (int i = 0; i < VASK_CATALOGUE_SIZE; ++i)
        if (GetMessageInfo(i)->GetParamCount(DT_REQUEST) != 0 ||
            GetMessageInfo(i)->GetParamCount(DT_REPLY) != 0 ||
            GetMessageInfo(i)->GetParameter(0, DT_REPLY) != NULL)
            return 3;
    FreeParamPrototypes();  // nothing left to release
    // Without its prototypes a reply with values no longer parses; one without does.
    if (Parses(w1, sizeof w1)) return 4;
    if (!Parses(j1, sizeof j1)) return 5;
    // A later entry does not build a second set that nobody would release.
    CMsgInfo later('w', 1, 40);
    if (later.GetParamCount(DT_REPLY) != 0) return 6;
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && strcmp(argv[1], "release") == 0) return Release();
    SetDebugSettings(9, 0xFFFFFFFFul);
    unsigned char unknown[] = {0x00, 0x00, 'x', 200, 0x01, 0x00};
    unsigned char valid[] = {0x00, 0x00, 'k', 17, 0x02, 0x00};
    unsigned char shortBody[] = {0x00, 0x00, 'k'};
    int invalid = 0;
    unsigned char* cursor = unknown;
    CPCvaskMessage* a = new CPCvaskMessage(CString("3/1"), cursor, sizeof unknown);
    invalid += a->GetCommand() == 0;
    delete a;
    cursor = valid;
    CPCvaskMessage* b = new CPCvaskMessage(CString("4/2"), cursor, sizeof valid);
    invalid += b->GetCommand() == 0;
    delete b;
    cursor = shortBody;
    CPCvaskMessage* c = new CPCvaskMessage(CString("5/1"), cursor, sizeof shortBody);
    invalid += c->GetCommand() == 0;
    delete c;
    return invalid == 2 ? 0 : 1;
}
