// The tree node, the built-in instrument host and the device type translation.
#include "instrument.h"
#include "instrumenthost.h"
#include "modeltype.h"
#include "node_helpers.h"
#include "recording_host.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

TEST(Instrument, ANodeWithoutANameIsCalledUnknown) {
    EXPECT_EQ("Unknown", Text(CInstrument().GetName()));
    EXPECT_EQ("Unknown", Text(CInstrument("").GetName()));
    EXPECT_EQ("Line A", Text(CInstrument("Line A").GetName()));

    // Dynamic creation makes the same nameless node; the class is versionable schema 2.
    CRuntimeClass* runtime = RUNTIME_CLASS(CInstrument);
    EXPECT_STREQ("CInstrument", runtime->m_lpszClassName);
    EXPECT_EQ(VERSIONABLE_SCHEMA | 2u, runtime->m_wSchema);
    std::unique_ptr<CObject> created(runtime->CreateObject());
    ASSERT_TRUE(created->IsKindOf(RUNTIME_CLASS(CInstrument)));
    CInstrument* node = static_cast<CInstrument*>(created.get());
    EXPECT_EQ("Unknown", Text(node->GetName()));
    EXPECT_EQ(nullptr, node->GetParent());
    EXPECT_EQ(nullptr, node->GetTreeItem());
    EXPECT_EQ(0, node->GetState());
    EXPECT_EQ(0, node->GetImageIndex());
    EXPECT_EQ(0, node->GetChanged());
    EXPECT_EQ(1, node->IsActive());
    EXPECT_EQ(0, node->GetChildCount());
}

TEST(Instrument, TheDisplayNameLosesTrailingWhiteSpaceOnly) {
    struct Case {
        const char* name;
        const char* shown;
    } cases[] = {
        {"Line A   ", "Line A"},
        {"Line A \t\r\n", "Line A"},
        {"  Line A", "  Line A"},
        {"Line  A", "Line  A"},
    };
    for (const Case& c : cases) {
        CInstrument node(c.name);
        EXPECT_EQ(c.shown, Text(node.GetDisplayName())) << c.name;
        EXPECT_EQ(c.name, Text(node.GetName())) << "the name itself keeps them";
    }
}

TEST(Instrument, OnlyANewStateMarksTheNodeChanged) {
    CInstrument node("n");
    node.SetState(0);
    EXPECT_EQ(0, node.GetChanged()) << "0 is the state at construction";
    node.SetState(4);
    EXPECT_EQ(4, node.GetState());
    EXPECT_EQ(1, node.GetChanged());
    node.SetChanged(0);
    node.SetState(4);
    EXPECT_EQ(0, node.GetChanged());
    node.SetState(2);
    EXPECT_EQ(1, node.GetChanged());
    // The flag is only ever set by a change, never cleared by one.
    node.SetState(2);
    EXPECT_EQ(1, node.GetChanged());
}

TEST(Instrument, ParentsAndChildren) {
    CInstrument parent("p"), a("a"), b("b");
    a.SetParent(&parent);
    b.SetParent(&parent);
    EXPECT_EQ(&parent, a.GetParent());
    EXPECT_EQ((std::vector<CInstrument*>{&a, &b}), Children(parent));

    // A null parent changes nothing.
    a.SetParent(nullptr);
    EXPECT_EQ(&parent, a.GetParent());

    // A child added twice is listed twice; removing it drops the first occurrence only.
    parent.AddChild(&a);
    EXPECT_EQ((std::vector<CInstrument*>{&a, &b, &a}), Children(parent));
    parent.RemoveChild(&a);
    EXPECT_EQ((std::vector<CInstrument*>{&b, &a}), Children(parent));
    parent.RemoveChild(&parent);
    EXPECT_EQ((std::vector<CInstrument*>{&b, &a}), Children(parent)) << "not a child";

    parent.RemoveAllChildren();
    EXPECT_TRUE(Children(parent).empty());
    parent.RemoveChild(&a);  // an empty list
    EXPECT_EQ(&parent, b.GetParent()) << "the children are not touched";
}

TEST(Instrument, TreeItemImageAndActiveFlag) {
    CInstrument node("n");
    node.SetTreeItem((HTREEITEM)0x1234);
    node.SetImageIndex(4);
    node.SetActive(0);
    EXPECT_EQ((HTREEITEM)0x1234, node.GetTreeItem());
    EXPECT_EQ(4, node.GetImageIndex());
    EXPECT_EQ(0, node.IsActive());
}

TEST(InstrumentHost, WithoutAHostTheModelIsOfflineMakesNoAnalyzersAndTracesNothing) {
    CInstrumentHost* installed = SetInstrumentHost(nullptr);
    CInstrumentHost& host = GetInstrumentHost();
    EXPECT_EQ(0, host.GetOperationMode());
    EXPECT_EQ(nullptr, host.AddVaskInstrument(1, "Sindor", 1, 1, nullptr));
    EXPECT_EQ(nullptr, host.OpenTraceScope(0, "CConverter::CConverter"));
    SetInstrumentHost(installed);
}

TEST(InstrumentHost, AnInstalledHostAnswersUntilItIsReplaced) {
    {
        RecordingHost host(1);
        EXPECT_EQ(&host, &GetInstrumentHost());
        EXPECT_EQ(1, GetInstrumentHost().GetOperationMode());
        {
            RecordingHost inner(0);
            EXPECT_EQ(0, GetInstrumentHost().GetOperationMode());
        }
        EXPECT_EQ(&host, &GetInstrumentHost());
    }
    EXPECT_EQ(0, GetInstrumentHost().GetOperationMode());
}

TEST(ModelType, ChannelTypesBecomeTheModelsOfTheSameName) {
    struct Case {
        int channelType;
        int modelType;
        const char* model;
    } cases[] = {
        {1, 1, "Sindor 6"},  {2, 2, "Parvel 6"}, {3, 5, "Quenta 6"}, {4, 4, "Sindor 23"},
        {5, 9, "Folvar 3"},  {6, 6, "Denrik"},   {7, 3, "Lorvix 6"}, {8, 7, "Parvel 64"},
        {9, 8, "Lorvix 62"}, {0, 0, "unknown"},  {10, 0, "beyond"},  {-1, 0, "negative"},
        {255, 0, "beyond"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.modelType, ModelTypeFromChannelType(c.channelType)) << c.channelType;
        if (c.modelType == 0) continue;
        CString name;
        ASSERT_TRUE(name.LoadString(15100 + c.modelType));
        EXPECT_EQ(c.model, Text(name)) << "the program names model " << c.modelType;
    }
}

}  // namespace
