// The test frame's runtime class.
#include "mainframe_fixture.h"

namespace frametest {

IMPLEMENT_DYNCREATE(CTestFrame, CKemMainFrame)

}  // namespace frametest
