// Small readers of the tests: texts as std::string, and the nodes of a list, of a node's
// children and of a gateway's lines as vectors.
#pragma once

#include "gateway.h"
#include "instrument.h"

#include <string>
#include <vector>

inline std::string Text(const CString& text) { return std::string((LPCSTR)text); }

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
