// The program's resources as the built KorvanGA.exe holds them. The data files are the one
// source of the texts; these checks hold the string table to them byte for byte (code page
// 1252), check some ids and texts typed in by hand against the header and the data, and walk
// the menus, keys, tool bar and pictures.
#include <windows.h>

#include <gtest/gtest.h>

#include "resource.h"

#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace {

struct Text {
    int id;
    const char* text;  // code page 1252, as the compiler stores it
};

struct Command {
    int id;
    const char* menuText;
    const char* prompt;
};

// Every string file once; each leaves its macro undefined, so it is given again before each.
const Text kStrings[] = {
#define APP_STRING(id, text) {id, text},
#include "tables/shell.def"
#define APP_STRING(id, text) {id, text},
#include "tables/instruments.def"
#define APP_STRING(id, text) {id, text},
#include "tables/operations.def"
#define APP_STRING(id, text) {id, text},
#include "tables/choices.def"
#define APP_STRING(id, text) {id, text},
#include "tables/functions.def"
#define APP_STRING(id, text) {id, text},
#include "tables/states.def"
#define APP_STRING(id, text) {id, text},
#include "tables/gases.def"
#define APP_STRING(id, text) {id, text},
#include "tables/units.def"
#define APP_STRING(id, text) {id, text},
#include "tables/parameters.def"
#define APP_STRING(id, text) {id, text},
#include "tables/mainframe.def"
#define APP_STRING(id, text) {id, text},
#include "tables/netdialogs.def"
#define APP_STRING(id, text) {id, text},
#include "tables/analyzermodels.def"
#define APP_STRING(id, text) {id, text},
#include "tables/printing.def"
#define APP_STRING(id, text) {id, text},
#include "tables/paramgrids.def"
#define APP_STRING(id, text) {id, text},
#include "tables/document.def"
#define APP_STRING(id, text) {id, text},
#include "tables/instrumentview.def"
#define APP_STRING(id, text) {id, text},
#include "tables/panes.def"
#define APP_STRING(id, text) {id, text},
#include "tables/paramsheet.def"
#define APP_STRING(id, text) {id, text},
#include "tables/configsheet.def"
#define APP_STRING(id, text) {id, text},
#include "tables/adjustsheet.def"
#define APP_STRING(id, text) {id, text},
#include "tables/diagnostics.def"
#define APP_STRING(id, text) {id, text},
#include "tables/curvesheet.def"
#define APP_STRING(id, text) {id, text},
#include "tables/protocol.def"
#define APP_STRING(id, text) {id, text},
#include "tables/application.def"
};
#define APP_COMMAND(id, menuText, prompt) {id, menuText, prompt},
const Command kCommands[] = {
#include "tables/commands.def"
};

#if defined(APP_STRING) || defined(APP_COMMAND)
#error "a data file left its macro defined"
#endif

// Every string of the data files, by id; a second text for an id fails the test.
std::map<int, std::string> AllTexts(std::vector<std::string>* clashes) {
    std::map<int, std::string> all;
    auto add = [&](int id, const char* text) {
        if (!all.emplace(id, text).second) clashes->push_back(std::to_string(id));
    };
    for (const Text& t : kStrings) add(t.id, t.text);
    for (const Command& c : kCommands) add(c.id, c.prompt);
    return all;
}

class ProgramResources : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        program_ = LoadLibraryExA("KorvanGA.exe", NULL, LOAD_LIBRARY_AS_DATAFILE);
    }
    static void TearDownTestSuite() {
        if (program_) FreeLibrary(program_);
    }
    void SetUp() override {
        ASSERT_NE(program_, nullptr) << "KorvanGA.exe not loadable, error " << GetLastError();
        ASSERT_EQ(GetACP(), 1252u);
    }

    // The string as the program loads it (ANSI, the process's code page 1252); absent: false.
    static bool Load(int id, std::string& text) {
        char buffer[1024];
        const int n = LoadStringA(program_, static_cast<UINT>(id), buffer, sizeof buffer);
        text.assign(buffer, n > 0 ? n : 0);
        return n > 0;
    }

    // Every string the program holds, read from its string blocks themselves.
    static std::map<int, std::wstring> StringsInProgram() {
        std::map<int, std::wstring> found;
        EnumResourceNamesA(
            program_, MAKEINTRESOURCEA(6),
            [](HMODULE module, LPCSTR, LPSTR name, LONG_PTR param) -> BOOL {
                auto* out = reinterpret_cast<std::map<int, std::wstring>*>(param);
                const int block = static_cast<int>(reinterpret_cast<ULONG_PTR>(name));
                HRSRC res = FindResourceA(module, name, MAKEINTRESOURCEA(6));
                const WORD* p = static_cast<const WORD*>(LockResource(LoadResource(module, res)));
                for (int i = 0; i < 16; ++i) {
                    const WORD length = *p++;
                    if (length) (*out)[(block - 1) * 16 + i].assign((const wchar_t*)p, length);
                    p += length;
                }
                return TRUE;
            },
            reinterpret_cast<LONG_PTR>(&found));
        return found;
    }

    static const BYTE* Resource(int id, LPCSTR type, DWORD* size) {
        HRSRC res = FindResourceA(program_, MAKEINTRESOURCEA(id), type);
        if (res == NULL) return nullptr;
        *size = SizeofResource(program_, res);
        return static_cast<const BYTE*>(LockResource(LoadResource(program_, res)));
    }

    static HMODULE program_;
};

HMODULE ProgramResources::program_ = NULL;

// ---- The string table ---------------------------------------------------------------

TEST_F(ProgramResources, HoldsExactlyTheStringsOfTheDataFiles) {
    std::vector<std::string> clashes;
    const auto wanted = AllTexts(&clashes);
    EXPECT_TRUE(clashes.empty()) << "ids with two texts: " << ::testing::PrintToString(clashes);
    const auto present = StringsInProgram();
    for (const auto& [id, text] : present)
        EXPECT_TRUE(wanted.count(id)) << "string " << id << " is in no data file";
    for (const auto& [id, text] : wanted) {
        std::string loaded;
        EXPECT_TRUE(Load(id, loaded)) << "string " << id << " missing";
        EXPECT_EQ(loaded, text) << "string " << id;
    }
    EXPECT_EQ(present.size(), wanted.size());
}

TEST_F(ProgramResources, IdsAndTextsCheckedByHand) {
    // Typed in by hand, not taken from the data files.
    const std::vector<std::pair<int, std::string>> cases = {
        {10001, "Not yet authorized"},
        {10002, "Maintenance        "},
        {10003, "Specialist           "},
        {10004, "Factory settings   "},
        {5001, "Not logged in"},
        {5004, "Factory settings"},
        {12323, "An error occured while reading this file."},
        {19604, "mg / m\xB3"},
        {19722, "Download"},
        {30005, "Talvern B7Q31907616 (TCP/IP)"},
        {30000, "VASK"},
        {13300, "Not yet defined"},
        {13009, "C1, limit alarm 1 was hit "},
        {13051, "Heating"},
        {13231, "Maintenance request sample line"},
        {10110, "Vask command: \"%c, %d\""},
        {11000, "Without pressure compensation\nInt. pressure\nAnalog current 2\nVASK\n"},
        {11003, "Without pressure compensation\nAnalog current 2\nVASK\n"},
        {30170,
         "Without interference\nConstant interference correction\nInterference corr. with "
         "input 1\nInterference corr. with VASK\nInterference corr. with int. component\n"
         "Interference corr. with input 2"},
        {30174, "Without interference\nInterference corr. with VASK\n"},
        {10070, "Store function off,Store last value,Lowest value (0/2/4 mA),Highest value 20 mA"},
        {2, "Korvan GA %s"},
        {119, "Korvan GA %s - Instrument data "},
        {191, "KEM Status: Normal"},
        {15100, "No instrument"},
        {15108, "Lorvix 62"},
        {19001, " "},
        {19050, "H2S"},
        {19500, "  "},
        {19501, "ppm"},
        {19556, "ppm Cx"},
        {19700, " "},
        {19880, " "},
        {20001, "Unknown"},
        {18500, "Error."},
        {18016, "Error while reading the limit alarm 1 values.\nComponent: %d"},
        {18021, "Error while writing the integration times.\nComponent : %d"},
        {18092, "Error while reading the autocal check tolerances."},
        {18093, "Error while writing the autocal check tolerances."},
        {18201, "Error while writing the limit alarm 1.\nComponent: %d"},
        {18264, "Error while writing the external channel for pressure correction."},
        {18266, "Error while writing the external pressure settings."},
        {18602, "Error while setting channel mode \"Standby\""},
        {18614, "Error while executing the phase adjustment"},
        {18800, "Successful"},
        {10142, "Vask Gateway reports error %d on initialization"},
        {10087, "C%d: %s"},
        {10037, "%d.%m.%Y"},
    };
    for (const auto& [id, text] : cases) {
        std::string loaded;
        EXPECT_TRUE(Load(id, loaded)) << "string " << id << " missing";
        EXPECT_EQ(loaded, text) << "string " << id;
    }
    // Codes without a text have no string.
    for (int id : {19550 + 1, 19555, 19557, 19723, 19724, 19850, 30159, 30160, 13064, 13251}) {
        std::string loaded;
        EXPECT_FALSE(Load(id, loaded)) << "string " << id << " should not exist: " << loaded;
    }
}

TEST_F(ProgramResources, TheHeaderHoldsTheProgramsNumbers) {
    static_assert(IDR_MAINFRAME == 2 && IDR_INSTRUMENT_DATA == 119, "menus");
    static_assert(IDB_NETWORK_SEARCH == 144 && IDB_OPERATION == 148, "pictures");
    static_assert(IDI_STATUS_NORMAL == 191 && IDI_STATUS_WARNING == 193, "tray icons");
    static_assert(IDS_ACCESS_LEVEL_BASE == 5001 && IDS_ACCESS_ENTRY_BASE == 10001, "access");
    static_assert(IDS_UNIT_BASE == 19499 && IDS_GAS_BASE == 19000, "units and gases");
    static_assert(IDS_MODEL_NAME_BASE == 15100 && IDS_CONVERTER_TYPE_BASE == 30000, "names");
    static_assert(IDS_RELAY_FUNCTION_BASE == 13000 && IDS_INPUT_FUNCTION_BASE == 13200, "io");
    static_assert(IDS_DEVICE_STATE_BASE == 19700 && IDS_WARMUP_STATUS_BASE == 19850, "states");
    static_assert(IDS_START_STATUS_BASE == 19880 && IDS_AUTOCAL_STEPS_BASE == 30150, "steps");
    static_assert(IDS_UNIT_S23_BASE == 19600 && IDS_UNIT_P64_BASE == 19650, "unit settings");
    static_assert(ID_EDIT_INSTRUMENT_DATA == 32776 && ID_RETURN_TO_MAIN_MENU == 40014, "cmds");
    static_assert(ID_EXTERNAL_HELP_FIRST == 32815 && ID_DOWNLOAD_PROFIBUS == 32833, "cmds");
    static_assert(ID_INDICATOR_ONLINE == 10006 && ID_INDICATOR_REMOTE == 10149, "panes");
    static_assert(IDS_GATEWAY_INIT_ERROR == 10142 && IDS_FILE_READ_ERROR == 12323, "messages");
    static_assert(ID_APP_ABOUT == 57664 && ID_CONTEXT_HELP == 57669, "framework");
    SUCCEED();
}

TEST_F(ProgramResources, UnitTextsAreTheBusLibrarysForUnits2To51) {
    HMODULE bus = LoadLibraryExA("utilvask.dll", NULL, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(bus, nullptr);
    for (int code = 2; code <= 51; ++code) {
        char buffer[256];
        const int n = LoadStringA(bus, 12000 + code, buffer, sizeof buffer);
        std::string ours;
        EXPECT_TRUE(Load(19499 + code, ours)) << "unit " << code;
        EXPECT_EQ(ours, std::string(buffer, n > 0 ? n : 0)) << "unit " << code;
    }
    FreeLibrary(bus);
}

// ---- Menus ----------------------------------------------------------------------------

struct MenuItem {
    int id;
    std::string text;
    std::string popup;
};

void CollectItems(HMENU menu, const std::string& popup, std::vector<MenuItem>& out) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[256] = {};
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof text;
        ASSERT_TRUE(GetMenuItemInfoA(menu, i, TRUE, &info));
        if (info.hSubMenu)
            CollectItems(info.hSubMenu, text, out);
        else if (!(info.fType & MFT_SEPARATOR))
            out.push_back({static_cast<int>(info.wID), text, popup});
    }
}

std::vector<MenuItem> MenuItems(HMODULE module, int id) {
    std::vector<MenuItem> items;
    HRSRC res = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(4));
    if (res == NULL) return items;
    HMENU menu = LoadMenuIndirectA(LockResource(LoadResource(module, res)));
    if (menu == NULL) return items;
    CollectItems(menu, "", items);
    DestroyMenu(menu);
    return items;
}

TEST_F(ProgramResources, MenusHoldTheirCommandsWithTheirTexts) {
    std::map<int, std::string> texts;
    for (const Command& c : kCommands) texts[c.id] = c.menuText;
    const std::set<int> mainMenu = {32771, 32772, 32773, 32776, 32777, 32778, 32779,
                                    32780, 32781, 32782, 32790, 32799, 32807, 32824,
                                    32828, 40008, 57666, 32815, 57664};
    const std::set<int> instrumentMenu = {
        40001, 40002, 32825, 40004, 32786, 32826, 32827, 32794, 32795, 32796, 40009, 32789, 32797,
        32819, 32792, 32833, 32783, 32784, 32785, 40014, 32780, 32781, 57666, 32815, 57664};
    for (const auto& [menuId, ids] :
         std::vector<std::pair<int, std::set<int>>>{{2, mainMenu}, {119, instrumentMenu}}) {
        const auto items = MenuItems(program_, menuId);
        std::set<int> seen;
        for (const MenuItem& item : items) {
            EXPECT_TRUE(seen.insert(item.id).second) << "menu " << menuId << ": " << item.id;
            ASSERT_TRUE(texts.count(item.id)) << "menu " << menuId << ": " << item.id;
            EXPECT_EQ(item.text, texts[item.id]) << "menu " << menuId << ": " << item.id;
        }
        EXPECT_EQ(seen, ids) << "menu " << menuId;
        // The help list's place and the program information are in the help menu.
        for (int helpItem : {32815, 57664})
            for (const MenuItem& item : items)
                if (item.id == helpItem) {
                    EXPECT_EQ(item.popup, "&Help") << menuId;
                }
    }
    EXPECT_EQ(texts[32771], "&Link Instrument");
    EXPECT_EQ(texts[32826], "Load data from P&C into device memory");
    EXPECT_EQ(texts[57664], "&Program Information");
}

TEST_F(ProgramResources, EveryCommandHasAPromptAndATip) {
    for (const Command& c : kCommands) {
        std::string prompt;
        ASSERT_TRUE(Load(c.id, prompt)) << c.id;
        const size_t lf = prompt.find('\n');
        ASSERT_NE(lf, std::string::npos) << c.id << ": " << prompt;
        EXPECT_GT(lf, 0u) << c.id;
        EXPECT_LT(lf + 1, prompt.size()) << c.id;
        EXPECT_EQ(prompt.find('\n', lf + 1), std::string::npos) << c.id;
    }
}

// ---- Keys, tool bar, pictures -----------------------------------------------------

TEST_F(ProgramResources, AcceleratorsAreTheStandardKeys) {
    DWORD size = 0;
    const BYTE* data = Resource(2, MAKEINTRESOURCEA(9), &size);
    ASSERT_NE(data, nullptr);
    struct Key {
        WORD flags, key, id;
    };
    std::vector<Key> keys;
    for (DWORD at = 0; at + 8 <= size; at += 8) {
        const WORD* e = reinterpret_cast<const WORD*>(data + at);
        keys.push_back({static_cast<WORD>(e[0] & ~0x80), e[1], e[2]});
        if (e[0] & 0x80) break;  // the last entry
    }
    const WORD V = FVIRTKEY, C = FCONTROL, S = FSHIFT, A = FALT;
    const std::vector<std::tuple<WORD, WORD, WORD>> wanted = {
        {V | C, 'N', 0xE100},       {V | C, 'O', 0xE101},       {V | C, 'S', 0xE103},
        {V | C, 'P', 0xE107},       {V | C, 'Z', 0xE12B},       {V | C, 'X', 0xE123},
        {V | C, 'C', 0xE122},       {V | C, 'V', 0xE125},       {V | A, VK_BACK, 0xE12B},
        {V | S, VK_DELETE, 0xE123}, {V | C, VK_INSERT, 0xE122}, {V | S, VK_INSERT, 0xE125},
        {V, VK_F6, 0xE150},         {V | S, VK_F6, 0xE151},     {V, VK_F1, 57670},
        {V | S, VK_F1, 57669},
    };
    ASSERT_EQ(keys.size(), wanted.size());
    for (size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(keys[i].flags, std::get<0>(wanted[i])) << i;
        EXPECT_EQ(keys[i].key, std::get<1>(wanted[i])) << i;
        EXPECT_EQ(keys[i].id, std::get<2>(wanted[i])) << i;
    }
}

TEST_F(ProgramResources, ToolBarHoldsItsButtonsInOrderWithABitmapOfTheirSize) {
    DWORD size = 0;
    const BYTE* data = Resource(2, MAKEINTRESOURCEA(241), &size);
    ASSERT_NE(data, nullptr);
    const WORD* w = reinterpret_cast<const WORD*>(data);
    ASSERT_GE(size, 8u);
    EXPECT_EQ(w[0], 1);   // version
    EXPECT_EQ(w[1], 16);  // button width
    EXPECT_EQ(w[2], 15);  // button height
    const std::vector<WORD> wanted = {40004, 40001, 40002, 0,     32776, 32773, 32828,
                                      0,     32783, 32784, 32785, 0,     32807, 32790,
                                      0,     40014, 0,     40009, 0,     57664, 57669};
    ASSERT_EQ(w[3], wanted.size());
    ASSERT_GE(size, 8u + 2 * wanted.size());
    int buttons = 0;
    for (size_t i = 0; i < wanted.size(); ++i) {
        EXPECT_EQ(w[4 + i], wanted[i]) << "entry " << i;
        if (w[4 + i] != 0) ++buttons;
    }
    EXPECT_EQ(buttons, 15);
    const BYTE* bitmap = Resource(2, MAKEINTRESOURCEA(2), &size);  // RT_BITMAP
    ASSERT_NE(bitmap, nullptr);
    const auto* info = reinterpret_cast<const BITMAPINFOHEADER*>(bitmap);
    EXPECT_EQ(info->biWidth, 16 * buttons);
    EXPECT_EQ(info->biHeight, 15);
}

TEST_F(ProgramResources, IconsAndPicturesArePresent) {
    DWORD size = 0;
    for (int icon : {2, 191, 192, 193})
        EXPECT_NE(Resource(icon, MAKEINTRESOURCEA(14), &size), nullptr) << "icon " << icon;
    for (int picture : {144, 148}) {
        const BYTE* bitmap = Resource(picture, MAKEINTRESOURCEA(2), &size);
        ASSERT_NE(bitmap, nullptr) << "bitmap " << picture;
        const auto* info = reinterpret_cast<const BITMAPINFOHEADER*>(bitmap);
        EXPECT_GT(info->biWidth, 0);
        EXPECT_GT(info->biHeight, 0);
    }
}

// ---- The panes of the main window ------------------------------------------------------

TEST_F(ProgramResources, ThePanesHaveTheirFormsContextMenuAndTrafficLight) {
    DWORD size = 0;
    for (int picture : {136, 137, 139}) {  // yellow, red, green
        const BYTE* bitmap = Resource(picture, MAKEINTRESOURCEA(2), &size);
        ASSERT_NE(bitmap, nullptr) << "bitmap " << picture;
        EXPECT_GT(reinterpret_cast<const BITMAPINFOHEADER*>(bitmap)->biWidth, 0);
    }
    for (int form : {101, 147})
        EXPECT_NE(Resource(form, MAKEINTRESOURCEA(5), &size), nullptr) << "dialog " << form;
    EXPECT_NE(Resource(134, MAKEINTRESOURCEA(4), &size), nullptr) << "menu 134";
}

}  // namespace
