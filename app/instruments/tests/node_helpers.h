// Small helpers of the tests: texts as std::string, the nodes of a list, of a node's
// children and of a gateway's lines as vectors, and a profile of the test's own.
#pragma once

#include "gateway.h"
#include "instrument.h"

#include <string>
#include <vector>

inline std::string Text(const CString& text) { return std::string((LPCSTR)text); }

// The application profile under the maker key `maker`, emptied while the object is made and
// when it goes.
class TestProfile {
public:
    explicit TestProfile(const char* maker) : key_(std::string("Software\\") + maker) {
        AfxGetApp()->SetRegistryKey(maker);
        RegDeleteTreeA(HKEY_CURRENT_USER, key_.c_str());
    }
    ~TestProfile() { RegDeleteTreeA(HKEY_CURRENT_USER, key_.c_str()); }
    TestProfile(const TestProfile&) = delete;
    TestProfile& operator=(const TestProfile&) = delete;

private:
    std::string key_;
};

template <class Node = CInstrument>
std::vector<Node*> Nodes(const CObList* list) {
    std::vector<Node*> nodes;
    for (POSITION pos = list->GetHeadPosition(); pos != NULL;)
        nodes.push_back((Node*)list->GetNext(pos));
    return nodes;
}

inline std::vector<CInstrument*> Children(const CInstrument& node) {
    std::vector<CInstrument*> children;
    for (POSITION pos = node.GetFirstChildPosition(); pos != NULL;)
        children.push_back(node.GetNextChild(pos));
    return children;
}

inline std::vector<CGatewayPort*> Lines(CGateway& gateway) {
    return Nodes<CGatewayPort>(gateway.GetPorts());
}
