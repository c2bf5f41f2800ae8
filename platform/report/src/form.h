// Print forms: the parsed form file (docs/report-forms.md) and its reader.
#pragma once

#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace vaskreport {

// Forms lie within the part of the sheet that A4 and Letter have in common, so that page
// breaks depend on the form alone.
constexpr double kSheetWidthMm = 210.0;
constexpr double kSheetHeightMm = 279.0;
constexpr size_t kMaxFormBytes = 1024 * 1024;

// A form that cannot be read or is not valid: the line (from 1; 0 for the file as a whole)
// and what is wrong there.
class FormError : public std::runtime_error {
public:
    FormError(int line, const std::string& what) : std::runtime_error(what), m_line(line) {}
    int Line() const { return m_line; }

private:
    int m_line;
};

enum class ObjectKind { Text, Line, Frame, Drawing, Callback, Table };
enum class Align { Left, Center, Right };

struct FontSpec {
    std::string face = "Arial";
    double size = 10.0;  // points
    bool bold = false;
    bool italic = false;
};

// A text with references to variables and fields: "{Name}"; "{{" and "}}" stand for braces.
struct Template {
    struct Segment {
        bool isName;
        std::string text;  // literal text, or the name referred to
    };
    std::vector<Segment> segments;
};

// "when NAME = value": the object is drawn only while the variable has that value.
struct Condition {
    bool present = false;
    std::string name;
    std::string value;
};

struct Column {
    double width = 0;
    Align align = Align::Left;
    Template title;
    Template content;
};

struct FormObject {
    ObjectKind kind = ObjectKind::Text;
    std::string name;  // ":Name" stays hidden until the job enables it
    double x = 0, y = 0, w = 0, h = 0;
    int sourceLine = 0;
    Condition when;
    FontSpec font;
    Align align = Align::Left;
    std::vector<Template> lines;  // text
    double pen = 0.2;             // line, frame: mm
    std::string variable;         // drawing
    double headerHeight = 0;      // table: mm
    double lineHeight = 0;        // table: mm
    std::vector<Column> columns;  // table
    int capacity = 0;             // table: lines per page

    bool Hidden() const { return !name.empty() && name[0] == ':'; }
};

struct Form {
    FontSpec font;
    std::vector<FormObject> objects;
    std::set<std::string> references;  // names referred to, upper case

    bool Refers(const std::string& name) const;
    // The object index of every object with that name (case ignored).
    std::vector<size_t> Find(const std::string& name) const;
};

// Throw FormError.
Form ParseForm(const std::string& text);
Form LoadForm(const std::string& path);
// The file's bytes; throws FormError (line 0) when it cannot be read or is too large.
std::string ReadFormFile(const std::string& path);

std::string Upper(const std::string& s);
bool SameName(const std::string& a, const std::string& b);
bool ValidName(const std::string& name);

}  // namespace vaskreport
