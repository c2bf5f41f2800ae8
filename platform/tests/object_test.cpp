// Runtime classes across modules, strings made and freed in different modules, and the
// resource chain of extension libraries.
#include "vaskfc.h"
#include "peer/peer.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace {

#define IDS_PROGRAM_ONLY 300

class CLocalBase : public CObject {
    DECLARE_DYNAMIC(CLocalBase)
};
IMPLEMENT_DYNAMIC(CLocalBase, CObject)

class CLocalMade : public CLocalBase {
    DECLARE_DYNCREATE(CLocalMade)
public:
    int m_marker = 42;
};
IMPLEMENT_DYNCREATE(CLocalMade, CLocalBase)

// A class of the program derived from a class of the peer library.
class CLocalFromPeer : public CPeerRecord {
    DECLARE_SERIAL(CLocalFromPeer)
};
IMPLEMENT_SERIAL(CLocalFromPeer, CPeerRecord, 1)

TEST(RuntimeClass, KindOfFollowsTheBaseChainAcrossModules) {
    CPeerDerived derived;
    CLocalFromPeer local;
    struct Case {
        const CObject* object;
        CRuntimeClass* cls;
        bool expected;
    };
    const Case cases[] = {
        {&derived, RUNTIME_CLASS(CPeerDerived), true},
        {&derived, RUNTIME_CLASS(CPeerRecord), true},
        {&derived, RUNTIME_CLASS(CObject), true},
        {&derived, RUNTIME_CLASS(CLocalFromPeer), false},
        {&derived, RUNTIME_CLASS(CObList), false},
        {&local, RUNTIME_CLASS(CPeerRecord), true},
        {&local, RUNTIME_CLASS(CPeerDerived), false},
        {&local, RUNTIME_CLASS(CObject), true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.object->IsKindOf(c.cls) != FALSE, c.expected)
            << c.object->GetRuntimeClass()->m_lpszClassName << " kind of "
            << c.cls->m_lpszClassName;
    EXPECT_EQ(derived.GetRuntimeClass(), RUNTIME_CLASS(CPeerDerived));
    EXPECT_EQ(CPeerDerived::GetThisClass(), RUNTIME_CLASS(CPeerDerived));
    EXPECT_STREQ(RUNTIME_CLASS(CPeerDerived)->m_lpszClassName, "CPeerDerived");
    EXPECT_FALSE(derived.IsKindOf(NULL));
}

TEST(RuntimeClass, SchemaAndVersionableMark) {
    EXPECT_EQ(RUNTIME_CLASS(CPeerRecord)->m_wSchema, 1u);
    EXPECT_EQ(RUNTIME_CLASS(CPeerDerived)->m_wSchema, VERSIONABLE_SCHEMA | 3u);
    EXPECT_EQ(RUNTIME_CLASS(CLocalBase)->m_wSchema, 0xFFFFu);
    CPeerRecord record;
    CLocalMade made;
    EXPECT_TRUE(record.IsSerializable());
    EXPECT_FALSE(made.IsSerializable());
}

TEST(RuntimeClass, DynamicCreationAndLookupByName) {
    CObject* made = RUNTIME_CLASS(CLocalMade)->CreateObject();
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CLocalBase)));
    EXPECT_EQ(static_cast<CLocalMade*>(made)->m_marker, 42);
    delete made;
    EXPECT_EQ(RUNTIME_CLASS(CLocalBase)->CreateObject(), nullptr);

    // Serialisable classes of every module are found by name; others are not registered.
    EXPECT_EQ(CRuntimeClass::FromName("CPeerDerived"), RUNTIME_CLASS(CPeerDerived));
    EXPECT_EQ(CRuntimeClass::FromName("CLocalFromPeer"), RUNTIME_CLASS(CLocalFromPeer));
    EXPECT_EQ(CRuntimeClass::FromName("CLocalMade"), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName("CNoSuchClass"), nullptr);
    CObject* peer = CRuntimeClass::FromName("CPeerDerived")->CreateObject();
    ASSERT_NE(peer, nullptr);
    EXPECT_TRUE(peer->IsKindOf(RUNTIME_CLASS(CPeerRecord)));
    delete peer;  // made by the peer's code, freed here
}

TEST(CrossModuleString, MadeInOneModuleChangedAndFreedInAnother) {
    CString s = PeerMakeString("ab", 300);
    EXPECT_EQ(s.GetLength(), 600);
    s += "!";  // grows a block that the peer allocated
    EXPECT_EQ(s.Right(3), "ab!");
    s.Empty();

    CString* p = PeerNewString("from the peer");
    *p += " and the program";
    EXPECT_EQ(*p, "from the peer and the program");
    delete p;

    CString* q = new CString("made here");
    PeerAppend(*q, std::string(1000, 'x').c_str());
    EXPECT_EQ(q->GetLength(), 1009);
    PeerDelete(q);

    CStringList list;
    list.AddTail(PeerMakeString("x", 3));
    EXPECT_EQ(list.RemoveHead(), "xxx");
}

TEST(ResourceChain, StringsAreFoundInTheModuleThatOwnsThem) {
    CString s;
    // Only the peer has string 100: found through the chain.
    ASSERT_TRUE(s.LoadString(IDS_PEER_GREETING));
    EXPECT_EQ(s,
              "Gr\xFC\xDF"
              "e aus der Nachbarbibliothek");
    // Both have 200: the current resource handle (the program) comes first...
    ASSERT_TRUE(s.LoadString(IDS_SHARED_ID));
    EXPECT_EQ(s, "program text 200");
    // ...unless the peer switches it to itself for the load.
    EXPECT_EQ(PeerLoadOwnString(IDS_SHARED_ID), "peer text 200");
    EXPECT_EQ(AfxGetResourceHandle(), AfxGetInstanceHandle());
    // With the handle on the peer, the program's own strings are still found.
    AfxSetResourceHandle(PeerModule());
    EXPECT_TRUE(s.LoadString(IDS_PROGRAM_ONLY));
    EXPECT_EQ(s, "program only");
    AfxSetResourceHandle(NULL);
    // A text longer than one load buffer arrives whole.
    ASSERT_TRUE(s.LoadString(IDS_PEER_LONG));
    EXPECT_EQ(s.GetLength(), 434);
    EXPECT_EQ(s.Right(10), "0123456789");
    EXPECT_FALSE(s.LoadString(12345));
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCE(IDS_PEER_GREETING / 16 + 1), RT_STRING),
              PeerModule());
}

TEST(ResourceChain, SwitchingTheHandleOnOneThreadLeavesOtherThreadsAlone) {
    AfxSetResourceHandle(PeerModule());
    CString seenByOtherThread;
    HINSTANCE handleOfOtherThread = NULL;
    std::thread other([&] {
        handleOfOtherThread = AfxGetResourceHandle();
        seenByOtherThread.LoadString(IDS_SHARED_ID);
    });
    other.join();
    AfxSetResourceHandle(NULL);
    EXPECT_EQ(handleOfOtherThread, AfxGetInstanceHandle());
    EXPECT_EQ(seenByOtherThread, "program text 200");
}

TEST(ResourceChain, FormatStringsFromTheTable) {
    CString s;
    AfxFormatString1(s, 301, "Data originate from a different device");
    EXPECT_EQ(
        s,
        "Data originate from a different device. Do you want to write the parameter set anyway?");
    AfxFormatString2(s, 302, "A", "B");
    EXPECT_EQ(s, "B then A, 100%");
}

TEST(ResourceChain, UnloadedExtensionLeavesTheChain) {
    // A second copy of the peer's resources joins the chain (at its head) and leaves it
    // again, like a library that is loaded and unloaded at run time.
    LPCSTR block = MAKEINTRESOURCE(IDS_PEER_GREETING / 16 + 1);
    char peer[MAX_PATH], dir[MAX_PATH], copy[MAX_PATH];
    GetModuleFileNameA(PeerModule(), peer, sizeof peer);
    GetTempPathA(sizeof dir, dir);
    GetTempFileNameA(dir, "vfp", 0, copy);
    ASSERT_TRUE(CopyFileA(peer, copy, FALSE));
    HMODULE h = LoadLibraryExA(copy, NULL, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(h, nullptr);
    ASSERT_NE(h, PeerModule());
    AFX_EXTENSION_MODULE state = {FALSE, NULL, NULL};
    ASSERT_TRUE(AfxInitExtensionModule(state, h));
    new CDynLinkLibrary(state);
    EXPECT_EQ(AfxFindResourceHandle(block, RT_STRING), (HINSTANCE)h);
    AfxTermExtensionModule(state);
    EXPECT_FALSE(state.bInitialized);
    EXPECT_EQ(AfxFindResourceHandle(block, RT_STRING), PeerModule());
    FreeLibrary(h);
    DeleteFileA(copy);
}

}  // namespace
