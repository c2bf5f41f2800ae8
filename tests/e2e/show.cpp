// Shows KorvanGA.exe working without a display of the user's: starts the program beside this
// driver, answers the login with Maintenance, waits until the tree pane shows the analyzers
// of the simulated bus and the value bars the selected analyzer's values (each with a
// deadline; exit code 1 when the values did not come, after the picture all the same).
// Then it creates the file <ready>, waits (up to a minute) until the file <done> exists, so
// that the caller can take a picture of the screen, and closes the program. Exit code 0 when
// all of that happened.
//
//     korvanga_show.exe <ready> <done> [program arguments...]
#include "program_driver.h"

#include <stdio.h>

#include <string>

int main(int argc, char** argv) {
    if (argc < 3) {
        fprintf(stderr, "usage: korvanga_show <ready> <done> [program arguments...]\n");
        return 2;
    }
    std::string args;
    for (int i = 3; i < argc; ++i) args += std::string(i > 3 ? " " : "") + argv[i];
    const std::string bin = e2e::OwnFolder();
    e2e::Program program;
    if (!program.Start(bin + "\\KorvanGA.exe", args, bin)) {
        fprintf(stderr, "KorvanGA.exe did not start\n");
        return 1;
    }
    HWND hLogin =
        program.WaitFor([&] { return program.FindCaption("Access Authorization"); }, 60000);
    if (hLogin == NULL) {
        fprintf(stderr, "no login window; the program shows:\n");
        for (HWND hWnd : program.Windows()) {
            fprintf(stderr, "  \"%s\"\n", e2e::Text(hWnd).c_str());
            for (const std::string& text : e2e::ChildTexts(hWnd))
                if (!text.empty()) fprintf(stderr, "    %s\n", text.c_str());
        }
        return 1;
    }
    e2e::Press(hLogin, IDOK);
    // Analyzers are the tree's items below a converter (third level); every item has its
    // name once the document is no longer busy with the scan.
    std::vector<std::string> items;
    HWND hMain = program.WaitFor(
        [&]() -> HWND {
            items = program.TreeItems();
            bool analyzer = false, named = !items.empty();
            for (const std::string& item : items) {
                analyzer |= item.rfind("    ", 0) == 0;
                named &= item.find_first_not_of(' ') != std::string::npos;
            }
            return analyzer && named && program.FindDialogWithText("Searching for device") == NULL
                       ? program.MainWindow()
                       : NULL;
        },
        180000);
    for (const std::string& item : items) printf("%s\n", item.c_str());
    if (hMain == NULL) {
        fprintf(stderr, "no analyzer appeared in the tree\n");
        return 1;
    }
    // The picture is for the selected analyzer's values: its first refresh fills them in.
    std::vector<std::string> values;
    auto valuesShown = [&]() -> HWND {
        values = program.ShownValues();
        bool all = !values.empty();
        for (const std::string& value : values) all &= !value.empty();
        return all ? hMain : NULL;
    };
    const bool valued = program.WaitFor(valuesShown, 60000) != NULL;
    for (const std::string& value : values) printf("  %s\n", value.c_str());
    if (!valued) fprintf(stderr, "the selected analyzer showed no values within a minute\n");
    fflush(stdout);
    const HANDLE hReady = CreateFileA(argv[1], GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (hReady != INVALID_HANDLE_VALUE) CloseHandle(hReady);
    const bool shown =
        program.WaitFor(
            [&]() -> HWND {
                return GetFileAttributesA(argv[2]) != INVALID_FILE_ATTRIBUTES ? hMain : NULL;
            },
            60000) != NULL;
    PostMessageA(hMain, WM_CLOSE, 0, 0);
    HWND hQuestion = program.WaitFor(
        [&] { return program.FindDialogWithText("Do you really want to exit"); }, 20000);
    if (hQuestion != NULL) e2e::Press(hQuestion, IDYES);
    const long code = program.WaitExit(30000);
    if (!shown) fprintf(stderr, "no picture was taken\n");
    if (code != 0) fprintf(stderr, "KorvanGA.exe ended with %ld\n", code);
    return valued && shown && code == 0 ? 0 : 1;
}
