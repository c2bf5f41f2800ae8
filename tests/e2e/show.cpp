// Shows KorvanGA.exe working without a display of the user's: starts the program beside this
// driver, answers the login with Maintenance, waits until the tree pane shows the analyzers
// of the simulated bus, saves the main window's picture as a bitmap file and closes the
// program. Exit code 0 when all of that happened.
//
//     korvanga_show.exe <picture.bmp> [program arguments...]
#include "program_driver.h"

#include <stdio.h>

#include <string>

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: korvanga_show <picture.bmp> [program arguments...]\n");
        return 2;
    }
    std::string args;
    for (int i = 2; i < argc; ++i) args += std::string(i > 2 ? " " : "") + argv[i];
    const std::string bin = e2e::OwnFolder();
    e2e::Program program;
    if (!program.Start(bin + "\\KorvanGA.exe", args, bin)) {
        fprintf(stderr, "KorvanGA.exe did not start\n");
        return 1;
    }
    HWND hLogin =
        program.WaitFor([&] { return program.FindCaption("Access Authorization"); }, 120000);
    if (hLogin == NULL) {
        fprintf(stderr, "no login window\n");
        return 1;
    }
    e2e::Press(hLogin, IDOK);
    // Analyzers are the tree's items below a converter (third level).
    std::vector<std::string> items;
    HWND hMain = program.WaitFor(
        [&]() -> HWND {
            items = program.TreeItems();
            bool analyzer = false;
            for (const std::string& item : items) analyzer |= item.rfind("    ", 0) == 0;
            return analyzer && program.FindDialogWithText("Searching for device") == NULL
                       ? program.MainWindow()
                       : NULL;
        },
        180000);
    for (const std::string& item : items) printf("%s\n", item.c_str());
    if (hMain == NULL) {
        fprintf(stderr, "no analyzer appeared in the tree\n");
        return 1;
    }
    Sleep(1500);  // the value panes take the first refresh
    const bool saved = e2e::SaveWindowBitmap(hMain, argv[1]);
    PostMessageA(hMain, WM_CLOSE, 0, 0);
    HWND hQuestion = program.WaitFor(
        [&] { return program.FindDialogWithText("Do you really want to exit"); }, 20000);
    if (hQuestion != NULL) e2e::Press(hQuestion, IDYES);
    const long code = program.WaitExit(30000);
    if (!saved) fprintf(stderr, "the picture could not be saved\n");
    if (code != 0) fprintf(stderr, "KorvanGA.exe ended with %ld\n", code);
    return saved && code == 0 ? 0 : 1;
}
