// The form reader: what a valid form gives, where an invalid one is refused, and the four
// default forms beside the program.
#include "form.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <set>

using namespace vaskreport;

namespace {

const char kEveryKind[] =
    "VASKFORM 1\n"
    "# a comment, then an empty line\n"
    "\n"
    "font \"Courier New\" 8\n"
    "text \"Title\" 10 5 100 8\r\n"
    "    font \"Arial\" 14 bold italic\n"
    "    align center\n"
    "    \"Report of {VCompany}, {{literally}}\"\n"
    "    \"second \"\"line\"\"\"\n"
    "end\n"
    "line \"\" 10 15 190 0\n"
    "    pen 0.3\n"
    "end\n"
    "frame \"Box\" 0 0 210 279\n"
    "end\n"
    "drawing \"Diagram\" 10 20 100 60\n"
    "    variable VDiagramme\n"
    "end\n"
    "callback \"Curve\" 110 20 90 60\n"
    "end\n"
    "table \":Rows\" 10 90 180 126\n"
    "    when VPage = 4\n"
    "    headerheight 6\n"
    "    lineheight 6\n"
    "    column 60 left \"Group {VPage}\" \"{FGroup}\"\n"
    "    column 120 right \"Value\" \"{FValue} {FUnit}\"\n"
    "end\n";

std::string Names(const Template& t) {
    std::string out;
    for (const auto& s : t.segments) out += s.isName ? "<" + s.text + ">" : s.text;
    return out;
}

TEST(FormReader, ReadsEveryKindOfObject) {
    Form f = ParseForm(kEveryKind);
    ASSERT_EQ(f.objects.size(), 6u);
    EXPECT_EQ(f.font.face, "Courier New");

    const FormObject& title = f.objects[0];
    EXPECT_EQ(title.kind, ObjectKind::Text);
    EXPECT_EQ(title.name, "Title");
    EXPECT_DOUBLE_EQ(title.x, 10);
    EXPECT_DOUBLE_EQ(title.h, 8);
    EXPECT_EQ(title.font.face, "Arial");
    EXPECT_DOUBLE_EQ(title.font.size, 14);
    EXPECT_TRUE(title.font.bold);
    EXPECT_TRUE(title.font.italic);
    EXPECT_EQ(title.align, Align::Center);
    ASSERT_EQ(title.lines.size(), 2u);
    EXPECT_EQ(Names(title.lines[0]), "Report of <VCompany>, {literally}");
    EXPECT_EQ(Names(title.lines[1]), "second \"line\"");

    EXPECT_EQ(f.objects[1].kind, ObjectKind::Line);
    EXPECT_DOUBLE_EQ(f.objects[1].pen, 0.3);
    EXPECT_EQ(f.objects[2].kind, ObjectKind::Frame);
    EXPECT_EQ(f.objects[2].font.face, "Courier New");  // the form's font
    EXPECT_EQ(f.objects[3].kind, ObjectKind::Drawing);
    EXPECT_EQ(f.objects[3].variable, "VDiagramme");
    EXPECT_EQ(f.objects[4].kind, ObjectKind::Callback);

    const FormObject& table = f.objects[5];
    EXPECT_EQ(table.kind, ObjectKind::Table);
    EXPECT_TRUE(table.Hidden());
    EXPECT_FALSE(title.Hidden());
    EXPECT_TRUE(table.when.present);
    EXPECT_EQ(table.when.name, "VPage");
    EXPECT_EQ(table.when.value, "4");
    EXPECT_EQ(table.capacity, 20);  // (126 - 6) / 6
    ASSERT_EQ(table.columns.size(), 2u);
    EXPECT_EQ(table.columns[1].align, Align::Right);
    EXPECT_EQ(Names(table.columns[0].title), "Group <VPage>");
    EXPECT_EQ(Names(table.columns[1].content), "<FValue> <FUnit>");
}

TEST(FormReader, RefersToTheNamesOfTextsTablesConditionsAndDrawingsIgnoringCase) {
    Form f = ParseForm(kEveryKind);
    for (const char* name :
         {"VCompany", "VDiagramme", "VPage", "FGroup", "FValue", "FUnit", "vcompany", "FVALUE"})
        EXPECT_TRUE(f.Refers(name)) << name;
    for (const char* name : {"VProject", "literally", "Title", "FParameter"})
        EXPECT_FALSE(f.Refers(name)) << name;
    EXPECT_EQ(f.Find(":rows").size(), 1u);
    EXPECT_TRUE(f.Find("Nothing").empty());
}

TEST(FormReader, TableCapacityComesFromTheFormsHeights) {
    Form f = ParseForm(
        "VASKFORM 1\n"
        "table \"T\" 0 0 100 50.5\n headerheight 0.5\n lineheight 2.5\n"
        " column 100 left \"\" \"{F}\"\nend\n"
        "table \"U\" 0 0 100 20\n lineheight 6\n column 50 left \"\" \"{F}\"\nend\n");
    EXPECT_EQ(f.objects[0].capacity, 20);
    EXPECT_EQ(f.objects[1].capacity, 3);  // no heading: 20 / 6
}

struct Fault {
    const char* text;
    int line;
    const char* says;  // part of the message
};

const Fault kFaults[] = {
    {"", 1, "VASKFORM 1"},
    {"# only a comment\n", 1, "VASKFORM 1"},
    {"text \"T\" 0 0 10 10\n", 1, "VASKFORM 1"},
    {"VASKFORM 2\n", 1, "version 2"},
    {"VASKFORM 1\ncircle \"C\" 0 0 10 10\nend\n", 2, "no kind of object"},
    {"VASKFORM 1\ntext \"T\" 0 0 10 10\n \"x\"\n", 2, "no end line"},
    {"VASKFORM 1\ntext \"T\" 0 0 10\n \"x\"\nend\n", 2, "X Y WIDTH HEIGHT"},
    {"VASKFORM 1\ntext T 0 0 10 10\n \"x\"\nend\n", 2, "X Y WIDTH HEIGHT"},
    {"VASKFORM 1\ntext \"T\" 0 0 10,5 10\n \"x\"\nend\n", 2, "must be a number"},
    {"VASKFORM 1\ntext \"T\" -1 0 10 10\n \"x\"\nend\n", 2, "must be a number"},
    {"VASKFORM 1\ntext \"T\" 200.5 0 10 10\n \"x\"\nend\n", 2, "210 x 279"},
    {"VASKFORM 1\nframe \"F\" 0 270 10 9.5\nend\n", 2, "210 x 279"},
    {"VASKFORM 1\ntext \"T\" 0 0 10 10\n \"open\nend\n", 3, "not closed with \""},
    {"VASKFORM 1\ntext \"T\" 0 0 10 10\n \"{VName\"\nend\n", 3, "not closed with }"},
    {"VASKFORM 1\ntext \"T\" 0 0 10 10\n \"a } b\"\nend\n", 3, "stands alone"},
    {"VASKFORM 1\ntext \"T\" 0 0 10 10\n \"{V Name}\"\nend\n", 3, "no variable or field name"},
    {"VASKFORM 1\ntext \"T\" 0 0 10 10\n \"{}\"\nend\n", 3, "no variable or field name"},
    {"VASKFORM 1\ntext \"T\" 0 0 10 10\nend\n", 3, "at least one"},
    {"VASKFORM 1\ntext \"T\" 0 0 10 10\n \"x\"\n pen 1\nend\n", 4, "no property"},
    {"VASKFORM 1\ntext \"T\" 0 0 10 10\n \"x\"\n colour red\nend\n", 4, "no property"},
    {"VASKFORM 1\ntext \"T\" 0 0 10 10\n \"x\"\n align middle\nend\n", 4, "left, center"},
    {"VASKFORM 1\ntext \"T\" 0 0 10 10\n font \"Arial\" 100\n \"x\"\nend\n", 3, "4 to 72"},
    {"VASKFORM 1\ntext \"T\" 0 0 10 10\n font \"Arial\" 9 heavy\n \"x\"\nend\n", 3, "heavy"},
    {"VASKFORM 1\ntext \"T\" 0 0 10 10\n when VPage 1\n \"x\"\nend\n", 3, "when NAME"},
    {"VASKFORM 1\ntext \"T\" 0 0 10 10\n when VPage = 1\n when VPage = 2\n \"x\"\nend\n", 4,
     "one when"},
    {"VASKFORM 1\nline \"L\" 0 0 10 0\n pen 9\nend\n", 3, "0.05 to 5"},
    {"VASKFORM 1\ndrawing \"D\" 0 0 10 10\nend\n", 3, "variable NAME"},
    {"VASKFORM 1\ntable \"T\" 0 0 100 50\n lineheight 5\nend\n", 4, "at least one column"},
    {"VASKFORM 1\ntable \"T\" 0 0 100 50\n column 60 left \"\" \"\"\nend\n", 4, "lineheight"},
    {"VASKFORM 1\ntable \"T\" 0 0 100 50\n lineheight 5\n column 60 left \"\" \"\"\n"
     " column 41 left \"\" \"\"\nend\n",
     6, "wider than the table"},
    {"VASKFORM 1\ntable \"T\" 0 0 100 10\n headerheight 6\n lineheight 5\n"
     " column 60 left \"\" \"\"\nend\n",
     2, "no room for one line"},
    {"VASKFORM 1\ntable \"T\" 0 0 100 50\n lineheight 0.5\nend\n", 3, "at least 1 mm"},
    {"VASKFORM 1\ntable \"T\" 0 0 100 50\n lineheight 5\n column 60 left \"x\"\nend\n", 4,
     "column WIDTH"},
    {"VASKFORM 1\ntext \"T\" 0 0 10 10\n \"x\" \"y\"\nend\n", 3, "one \"text\" per line"},
};

TEST(FormReader, RefusesFaultsNamingTheirLine) {
    for (const Fault& fault : kFaults) {
        try {
            ParseForm(fault.text);
            ADD_FAILURE() << "accepted: " << fault.text;
        } catch (const FormError& e) {
            EXPECT_EQ(e.Line(), fault.line) << fault.text << " -> " << e.what();
            EXPECT_NE(std::string(e.what()).find(fault.says), std::string::npos)
                << fault.text << " -> " << e.what();
        }
    }
}

TEST(FormReader, RefusesAZeroByte) {
    std::string text = "VASKFORM 1\ntext \"T\" 0 0 10 10\n \"a";
    text += '\0';
    text += "b\"\nend\n";
    EXPECT_THROW(ParseForm(text), FormError);
}

TEST(FormReader, ACornerOfTheCommonAreaFits) {
    Form f = ParseForm("VASKFORM 1\nframe \"F\" 0 0 210 279\nend\nline \"L\" 200 270 10 9\nend\n");
    EXPECT_EQ(f.objects.size(), 2u);
}

std::string ProgramFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string p = path;
    return p.substr(0, p.find_last_of('\\') + 1);
}

TEST(FormReader, FilesThatCannotBeReadGiveLineZero) {
    try {
        LoadForm(ProgramFolder() + "no such form.form");
        ADD_FAILURE();
    } catch (const FormError& e) {
        EXPECT_EQ(e.Line(), 0);
    }
    std::string big = ProgramFolder() + "vaskreport_form_test_big.form";
    {
        std::ofstream out(big, std::ios::binary);
        out << "VASKFORM 1\n" << std::string(kMaxFormBytes, '#');
    }
    try {
        LoadForm(big);
        ADD_FAILURE();
    } catch (const FormError& e) {
        EXPECT_EQ(e.Line(), 0);
        EXPECT_NE(std::string(e.what()).find("1 MB"), std::string::npos);
    }
    DeleteFileA(big.c_str());
}

// The names the program declares for each print type.
const std::set<std::string> kHeader = {"VCOMPANY", "VDEPARTMENT", "VPROJECT"};
const std::set<std::string> kAnalyzer = {
    "VINSTRUMENT",     "VSERIALNUMBER",      "VHARDWAREID",     "VORDERNUMBER",
    "VFIRMWARENUMBER", "VSOFTWAREVERSION",   "VFWMOTHERBOARD",  "VFWMOTHERBOARDBOOT",
    "VFWOPTIONBOARD",  "VFWOPTIONBOARDBOOT", "VFWADAPTERBOARD", "VFWADAPTERBOARDBOOT"};

std::set<std::string> Join(std::initializer_list<std::set<std::string>> sets) {
    std::set<std::string> all;
    for (const auto& s : sets) all.insert(s.begin(), s.end());
    return all;
}

struct DefaultForm {
    const char* file;
    std::set<std::string> declared;
    std::set<std::string> mustUse;
};

TEST(DefaultForms, UseOnlyTheDeclaredNamesAndPrintWhatTheCallersDefine) {
    const DefaultForm forms[] = {
        {"List of parameters.form",
         Join({kHeader, {"VINSTRUMENT", "FPARAMETERGROUP", "FPARAMETER", "FVALUE"}}),
         Join({kHeader, {"VINSTRUMENT", "FPARAMETERGROUP", "FPARAMETER", "FVALUE"}})},
        {"Diagram.form", Join({kHeader, {"VDIAGRAMME"}}), Join({kHeader, {"VDIAGRAMME"}})},
        {"Diagnostic values.form",
         Join(
             {kHeader,
              kAnalyzer,
              {"VPAGE", "FTIMESTAMP", "FMESSAGE", "FCLASS", "FACKNOWLEDGED", "FCOMPONENT",
               "FZEROPOINTDEV", "FZEROPOINTDEVMAX", "FSETPOINTDEV", "FSETPOINTDEVMAX",
               "FCALIBRESERVE", "FCURVALUE", "FCURRANGE", "FANALOGOUTPUT", "FMEASSIZE", "FVALUE"}}),
         Join({kHeader,
               {"VINSTRUMENT", "VPAGE", "FTIMESTAMP", "FMESSAGE", "FCLASS", "FACKNOWLEDGED",
                "FCOMPONENT", "FCURVALUE", "FCURRANGE", "FANALOGOUTPUT", "FMEASSIZE", "FVALUE"}})},
        {"Drift values.form",
         Join({kHeader,
               kAnalyzer,
               {"VHASCALIBRESERVE", "VPAGE", "FCOMPONENT", "FZEROPOINTDEV", "FZEROPOINTDEVMAX",
                "FSETPOINTDEV", "FSETPOINTDEVMAX", "FCALIBRESERVE", "FCOMPONENT2", "FTIMESTAMP",
                "FZEROPOINTDEV2", "FSPANMR1", "FSPANMR2", "FSPANMR3", "FSPANMR4"}}),
         Join(
             {kHeader,
              {"VINSTRUMENT", "VHASCALIBRESERVE", "FCOMPONENT", "FZEROPOINTDEV", "FZEROPOINTDEVMAX",
               "FSETPOINTDEV", "FSETPOINTDEVMAX", "FCALIBRESERVE", "FCOMPONENT2", "FTIMESTAMP",
               "FZEROPOINTDEV2", "FSPANMR1", "FSPANMR2", "FSPANMR3", "FSPANMR4"}})},
    };
    for (const DefaultForm& d : forms) {
        Form f;
        try {
            f = LoadForm(ProgramFolder() + d.file);
        } catch (const FormError& e) {
            ADD_FAILURE() << d.file << " line " << e.Line() << ": " << e.what();
            continue;
        }
        for (const std::string& name : f.references)
            EXPECT_TRUE(d.declared.count(name)) << d.file << " uses undeclared " << name;
        for (const std::string& name : d.mustUse)
            EXPECT_TRUE(f.references.count(name)) << d.file << " does not print " << name;
    }
}

TEST(DefaultForms, DiagnosticsPicksATablePerPageAndDriftHidesItsObjects) {
    Form diag = LoadForm(ProgramFolder() + "Diagnostic values.form");
    std::set<std::string> pages;
    for (const FormObject& o : diag.objects)
        if (o.kind == ObjectKind::Table) {
            EXPECT_TRUE(o.when.present && SameName(o.when.name, "VPage")) << o.name;
            pages.insert(o.when.value);
        }
    EXPECT_EQ(pages, (std::set<std::string>{"1", "3", "4"}));

    Form drift = LoadForm(ProgramFolder() + "Drift values.form");
    for (const char* name : {":Driftwerte", ":DriftwerteTitel", ":Kalibrierabweichungen",
                             ":KalibrierabweichungenTitel"}) {
        std::vector<size_t> found = drift.Find(name);
        ASSERT_FALSE(found.empty()) << name;
        for (size_t i : found) EXPECT_TRUE(drift.objects[i].Hidden());
    }
}

}  // namespace
