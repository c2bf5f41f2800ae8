// The document in the program's main frame, for the document's tests: a program folder of
// the test's own (the network list file and the trace go there), the progress of the scans
// and the communication dialog recorded by stand-ins, a view that records the update hints,
// and small readers of the tree and of files.
#pragma once

#include "mainframe_fixture.h"

#include "converter.h"
#include "pageprotocol.h"
#include "port.h"
#include "vaskinstrument.h"

#include <algorithm>

namespace frametest {

// The progress of the connection and the scans: what they showed. IsCancelled answers
// TRUE from its `cancelAtCall`-th call on (0: never).
class RecordingProgress : public CScanProgress {
public:
    void Start(UINT nTextId, int nBitmapId) override {
        ++starts;
        startText = nTextId;
        bitmap = nBitmapId;
    }
    void Stop() override { ++stops; }
    void SetText(LPCSTR lpszText) override { texts.push_back(lpszText); }
    void SetPos(int nPos) override { positions.push_back(nPos); }
    BOOL IsCancelled() override {
        ++cancelCalls;
        return cancelAtCall > 0 && cancelCalls >= cancelAtCall;
    }

    int starts = 0;
    int stops = 0;
    UINT startText = 0;
    int bitmap = 0;
    std::vector<std::string> texts;
    std::vector<int> positions;
    int cancelCalls = 0;
    int cancelAtCall = 0;
};

// A view of the document that keeps the hints it was sent, with their objects.
class CHintView : public CView {
public:
    void OnUpdate(CView*, LPARAM lHint, CObject* pHint) override {
        hints.push_back((int)lHint);
        objects.push_back(pHint);
    }
    void OnDraw(CDC*) override {}
    std::vector<int> hints;
    std::vector<CObject*> objects;
};

// The communication dialog as the tests answer it: each call takes the next answer (OK
// with a mode, or Cancel); with none left it answers Cancel.
struct CommDialogAnswer {
    BOOL ok;
    int mode;
};
class CommDialogStandIn {
public:
    CommDialogStandIn() {
        s_current = this;
        previous_ = CPCVaskDoc::SetCommConfigDialogRunner(&CommDialogStandIn::Run);
    }
    ~CommDialogStandIn() {
        CPCVaskDoc::SetCommConfigDialogRunner(previous_);
        s_current = nullptr;
    }
    CommDialogStandIn(const CommDialogStandIn&) = delete;
    CommDialogStandIn& operator=(const CommDialogStandIn&) = delete;

    std::vector<CommDialogAnswer> answers;
    std::vector<BOOL> cancelAllowed;  // one per call

private:
    static BOOL Run(CPCVaskDoc*, BOOL bCancelAllowed, int& nMode) {
        CommDialogStandIn* self = s_current;
        self->cancelAllowed.push_back(bCancelAllowed);
        const size_t call = self->cancelAllowed.size() - 1;
        if (call >= self->answers.size() || !self->answers[call].ok) return FALSE;
        nMode = self->answers[call].mode;
        return TRUE;
    }
    static inline CommDialogStandIn* s_current = nullptr;
    CommConfigDialogRunner previous_ = nullptr;
};

class DocumentHarness : public FrameHarness {
protected:
    void OpenDocument() {
        OpenFrame();
        if (::testing::Test::HasFatalFailure()) return;
        folder_.reset(new shelltest::ProgramFolder);
        SetScanProgress(doc_, &progress_);
        doc_->AddView(&hints_);
    }
    void CloseDocument() {
        if (doc_ != nullptr && IsWindow(hFrame_)) {
            doc_->RemoveView(&hints_);
            // Closing asks nothing about saving.
            doc_->SetModifiedFlag(FALSE);
            SetScanProgress(doc_, NULL);
        }
        folder_.reset();
        if (app_) CloseFrame();
    }

    // The nodes of the tree of a class, in tree order.
    template <class T>
    std::vector<T*> Nodes(CRuntimeClass* pClass) {
        std::vector<T*> nodes;
        CObList* pList = doc_->GetPortList();
        for (POSITION pos = pList->GetHeadPosition(); pos != NULL;) {
            CObject* pNode = pList->GetNext(pos);
            if (pNode->IsKindOf(pClass)) nodes.push_back((T*)pNode);
        }
        return nodes;
    }
    std::vector<CVaskInstrument*> Analyzers() {
        return Nodes<CVaskInstrument>(RUNTIME_CLASS(CVaskInstrument));
    }
    std::vector<CObject*> Tree() { return Nodes<CObject>(RUNTIME_CLASS(CObject)); }
    bool InTree(CObject* pNode) { return doc_->GetPortList()->Find(pNode) != NULL; }
    std::vector<CObject*> LoggingSelection() {
        std::vector<CObject*> selection;
        CObList* pList = doc_->GetProtocolPage()->GetSelection();
        for (POSITION pos = pList->GetHeadPosition(); pos != NULL;)
            selection.push_back(pList->GetNext(pos));
        return selection;
    }

    static std::string ReadFile(const std::string& path) { return shelltest::ReadFile(path); }
    static void WriteFile(const std::string& path, const std::string& bytes) {
        shelltest::WriteFile(path, bytes);
    }
    // The names of the files in a folder, sorted (the trace makes its folder in the program
    // folder).
    static std::vector<std::string> FilesIn(const std::string& folder) {
        std::vector<std::string> names;
        for (const std::string& name : shelltest::FolderContents(folder))
            if (!shelltest::FolderExists(folder + "\\" + name)) names.push_back(name);
        std::sort(names.begin(), names.end());
        return names;
    }

    std::unique_ptr<shelltest::ProgramFolder> folder_;
    RecordingProgress progress_;
    CommDialogStandIn commDialog_;
    CHintView hints_;
};

}  // namespace frametest
