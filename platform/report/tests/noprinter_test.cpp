// Without a print server: Wine lists no printer, not even the one the print tests before used,
// and a print cannot start (-11); a form that cannot be read is still a form error.
#include "report_test.h"

#include <winspool.h>

using namespace rtest;

namespace {

TEST(NoPrinter, WineKeepsNoPrinterOfAnEarlierRun) {
    DWORD needed = 0, count = 0;
    EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &count);
    std::vector<BYTE> buffer(needed + 1);
    ASSERT_TRUE(
        EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, buffer.data(), needed, &needed, &count));
    EXPECT_EQ(count, 0u);
    char name[256] = {};
    DWORD size = sizeof name;
    EXPECT_FALSE(GetDefaultPrinterA(name, &size)) << name;
}

TEST(NoPrinter, APrintCannotStartWithoutAPrinter) {
    TempDir dir;
    WriteText(dir.File("t.form"), "VASKFORM 1\ntext \"T\" 10 10 100 10\n \"x\"\nend\n");
    OwnerWindow owner;
    int job = LlJobOpen(LL_LANGUAGE_PROGRAM);
    ASSERT_GE(job, 0);
    EXPECT_EQ(LlPrintWithBoxStartA(job, LL_PROJECT_LIST, dir.File("t.form").c_str(),
                                   LL_PRINT_PROGRAM, LL_BOX_CANCEL, owner.Handle(), ""),
              LL_ERR_NO_PRINTER);
    EXPECT_EQ(FindDialog("Printing"), nullptr);
    EXPECT_EQ(LlPrintWithBoxStartA(job, LL_PROJECT_LIST, dir.File("missing.form").c_str(),
                                   LL_PRINT_PROGRAM, LL_BOX_CANCEL, owner.Handle(), ""),
              LL_ERR_FORM);
    EXPECT_EQ(LlPrint(job), LL_ERR_STATE);
    EXPECT_EQ(LlPrintEnd(job, 0), LL_OK);
    LlJobClose(job);
}

}  // namespace
