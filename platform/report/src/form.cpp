// Reader of form files: one statement per line, objects from their kind line to "end".
#include "form.h"

#include <windows.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace vaskreport {

namespace {

constexpr double kEpsilon = 1e-6;

struct Token {
    bool quoted;
    std::string text;
};

[[noreturn]] void Fail(int line, const std::string& what) { throw FormError(line, what); }

std::vector<Token> Tokenize(const std::string& line, int number) {
    std::vector<Token> tokens;
    size_t i = 0;
    while (i < line.size()) {
        char c = line[i];
        if (c == ' ' || c == '\t') {
            ++i;
        } else if (c == '"') {
            std::string text;
            ++i;
            for (;;) {
                if (i >= line.size()) Fail(number, "a text is not closed with \"");
                if (line[i] == '"') {
                    if (i + 1 < line.size() && line[i + 1] == '"') {
                        text += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                text += line[i++];
            }
            tokens.push_back({true, text});
        } else if (c == '=') {
            tokens.push_back({false, "="});
            ++i;
        } else {
            size_t start = i;
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '"' &&
                   line[i] != '=')
                ++i;
            tokens.push_back({false, line.substr(start, i - start)});
        }
    }
    return tokens;
}

bool IsWord(const Token& t, const char* word) { return !t.quoted && t.text == word; }

double Number(const Token& t, int line, const char* what) {
    const std::string& s = t.text;
    bool digits = false, point = false;
    size_t decimals = 0;
    for (char c : s) {
        if (c >= '0' && c <= '9') {
            digits = true;
            if (point) ++decimals;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            digits = false;
            break;
        }
    }
    if (t.quoted || !digits || decimals > 3 || s.size() > 12)
        Fail(line,
             std::string(what) + " must be a number of millimetres or points, not \"" + s + "\"");
    return std::strtod(s.c_str(), nullptr);
}

Align ParseAlign(const Token& t, int line) {
    if (IsWord(t, "left")) return Align::Left;
    if (IsWord(t, "center")) return Align::Center;
    if (IsWord(t, "right")) return Align::Right;
    Fail(line, "the alignment must be left, center or right, not \"" + t.text + "\"");
}

Template ParseTemplate(const std::string& text, int line, std::set<std::string>& references) {
    Template out;
    std::string literal;
    size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        if (c == '{' && i + 1 < text.size() && text[i + 1] == '{') {
            literal += '{';
            i += 2;
        } else if (c == '}' && i + 1 < text.size() && text[i + 1] == '}') {
            literal += '}';
            i += 2;
        } else if (c == '{') {
            size_t close = text.find('}', i + 1);
            if (close == std::string::npos) Fail(line, "a { is not closed with }");
            std::string name = text.substr(i + 1, close - i - 1);
            if (!ValidName(name)) Fail(line, "\"{" + name + "}\" is no variable or field name");
            if (!literal.empty()) out.segments.push_back({false, literal});
            literal.clear();
            out.segments.push_back({true, name});
            references.insert(Upper(name));
            i = close + 1;
        } else if (c == '}') {
            Fail(line, "a } stands alone (write }} for a brace)");
        } else {
            literal += c;
            ++i;
        }
    }
    if (!literal.empty()) out.segments.push_back({false, literal});
    return out;
}

void ParseFont(const std::vector<Token>& t, int line, FontSpec& font) {
    if (t.size() < 3 || !t[1].quoted) Fail(line, "font needs \"face\" and a size in points");
    if (t[1].text.empty() || t[1].text.size() >= LF_FACESIZE)
        Fail(line, "the font's face name must have 1 to 31 characters");
    font.face = t[1].text;
    font.size = Number(t[2], line, "the font size");
    if (font.size < 4 || font.size > 72) Fail(line, "the font size must lie from 4 to 72 points");
    font.bold = font.italic = false;
    for (size_t i = 3; i < t.size(); ++i) {
        if (IsWord(t[i], "bold"))
            font.bold = true;
        else if (IsWord(t[i], "italic"))
            font.italic = true;
        else
            Fail(line, "unknown font style \"" + t[i].text + "\" (bold, italic)");
    }
}

void ExpectCount(const std::vector<Token>& t, size_t n, int line, const char* usage) {
    if (t.size() != n) Fail(line, std::string("expected: ") + usage);
}

ObjectKind ParseKind(const std::string& word, bool* known) {
    static const struct {
        const char* word;
        ObjectKind kind;
    } kinds[] = {{"text", ObjectKind::Text},         {"line", ObjectKind::Line},
                 {"frame", ObjectKind::Frame},       {"drawing", ObjectKind::Drawing},
                 {"callback", ObjectKind::Callback}, {"table", ObjectKind::Table}};
    for (const auto& k : kinds)
        if (word == k.word) {
            *known = true;
            return k.kind;
        }
    *known = false;
    return ObjectKind::Text;
}

// One property line inside an object.
void ParseProperty(const std::vector<Token>& t, int line, FormObject& o,
                   std::set<std::string>& references) {
    const Token& key = t[0];
    if (key.quoted) {
        if (o.kind != ObjectKind::Text) Fail(line, "only a text object has text lines");
        ExpectCount(t, 1, line, "one \"text\" per line");
        o.lines.push_back(ParseTemplate(key.text, line, references));
        return;
    }
    const std::string& k = key.text;
    if (k == "when") {
        if (o.when.present) Fail(line, "an object has one when line");
        if (t.size() != 4 || t[1].quoted || !IsWord(t[2], "="))
            Fail(line, "expected: when NAME = value");
        if (!ValidName(t[1].text)) Fail(line, "\"" + t[1].text + "\" is no variable name");
        o.when.present = true;
        o.when.name = t[1].text;
        o.when.value = t[3].text;
        references.insert(Upper(t[1].text));
    } else if (k == "font" && (o.kind == ObjectKind::Text || o.kind == ObjectKind::Table)) {
        ParseFont(t, line, o.font);
    } else if (k == "align" && o.kind == ObjectKind::Text) {
        ExpectCount(t, 2, line, "align left|center|right");
        o.align = ParseAlign(t[1], line);
    } else if (k == "pen" && (o.kind == ObjectKind::Line || o.kind == ObjectKind::Frame)) {
        ExpectCount(t, 2, line, "pen WIDTH");
        o.pen = Number(t[1], line, "the pen width");
        if (o.pen < 0.05 || o.pen > 5) Fail(line, "the pen width must lie from 0.05 to 5 mm");
    } else if (k == "variable" && o.kind == ObjectKind::Drawing) {
        ExpectCount(t, 2, line, "variable NAME");
        if (t[1].quoted || !ValidName(t[1].text))
            Fail(line, "\"" + t[1].text + "\" is no variable name");
        o.variable = t[1].text;
        references.insert(Upper(o.variable));
    } else if ((k == "headerheight" || k == "lineheight") && o.kind == ObjectKind::Table) {
        ExpectCount(t, 2, line, "headerheight MM / lineheight MM");
        double v = Number(t[1], line, "the height");
        if (k == "headerheight") {
            o.headerHeight = v;
        } else {
            if (v < 1) Fail(line, "a table line must be at least 1 mm high");
            o.lineHeight = v;
        }
    } else if (k == "column" && o.kind == ObjectKind::Table) {
        if (t.size() != 5 || !t[3].quoted || !t[4].quoted)
            Fail(line, "expected: column WIDTH left|center|right \"title\" \"contents\"");
        Column c;
        c.width = Number(t[1], line, "the column width");
        if (c.width <= 0) Fail(line, "a column must be wider than 0 mm");
        c.align = ParseAlign(t[2], line);
        c.title = ParseTemplate(t[3].text, line, references);
        c.content = ParseTemplate(t[4].text, line, references);
        o.columns.push_back(c);
    } else {
        Fail(line, "\"" + k + "\" is no property of this object");
    }
}

// Checks that hold once the object's "end" is read.
void Finish(FormObject& o, int line) {
    if (o.x + o.w > kSheetWidthMm + kEpsilon || o.y + o.h > kSheetHeightMm + kEpsilon)
        Fail(o.sourceLine, "the object reaches beyond 210 x 279 mm, the area of A4 and Letter");
    switch (o.kind) {
        case ObjectKind::Text:
            if (o.lines.empty()) Fail(line, "a text object needs at least one \"text\" line");
            break;
        case ObjectKind::Drawing:
            if (o.variable.empty()) Fail(line, "a drawing needs its variable NAME");
            break;
        case ObjectKind::Table: {
            if (o.columns.empty()) Fail(line, "a table needs at least one column");
            if (o.lineHeight <= 0) Fail(line, "a table needs its lineheight");
            double total = 0;
            for (const Column& c : o.columns) total += c.width;
            if (total > o.w + kEpsilon) Fail(line, "the columns are wider than the table");
            double room = o.h - o.headerHeight;
            o.capacity =
                room < 0 ? 0 : static_cast<int>(std::floor(room / o.lineHeight + kEpsilon));
            if (o.capacity < 1) Fail(o.sourceLine, "the table has no room for one line");
            break;
        }
        default: break;
    }
}

}  // namespace

std::string Upper(const std::string& s) {
    std::string out = s;
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

bool SameName(const std::string& a, const std::string& b) { return Upper(a) == Upper(b); }

bool ValidName(const std::string& name) {
    if (name.empty() || name.size() > 64) return false;
    for (char c : name)
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
              c == '_' || c == '.'))
            return false;
    return true;
}

bool Form::Refers(const std::string& name) const { return references.count(Upper(name)) != 0; }

std::vector<size_t> Form::Find(const std::string& name) const {
    std::vector<size_t> found;
    for (size_t i = 0; i < objects.size(); ++i)
        if (SameName(objects[i].name, name)) found.push_back(i);
    return found;
}

Form ParseForm(const std::string& text) {
    Form form;
    bool header = false;
    bool inObject = false;
    FormObject current;
    int number = 0;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t eol = text.find('\n', pos);
        std::string line =
            text.substr(pos, eol == std::string::npos ? std::string::npos : eol - pos);
        pos = eol == std::string::npos ? text.size() : eol + 1;
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.find('\0') != std::string::npos) Fail(number, "the line holds a zero byte");
        size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') continue;
        std::vector<Token> t = Tokenize(line, number);
        if (!header) {
            if (t.size() != 2 || !IsWord(t[0], "VASKFORM"))
                Fail(number, "a form begins with the line VASKFORM 1");
            if (!IsWord(t[1], "1")) Fail(number, "form version " + t[1].text + " is not known");
            header = true;
            continue;
        }
        if (inObject) {
            if (IsWord(t[0], "end")) {
                ExpectCount(t, 1, number, "end");
                Finish(current, number);
                form.objects.push_back(current);
                inObject = false;
            } else {
                ParseProperty(t, number, current, form.references);
            }
            continue;
        }
        if (IsWord(t[0], "font")) {
            ParseFont(t, number, form.font);
            continue;
        }
        bool known = false;
        ObjectKind kind = t[0].quoted ? ObjectKind::Text : ParseKind(t[0].text, &known);
        if (!known) Fail(number, "\"" + t[0].text + "\" is no kind of object");
        if (t.size() != 6 || !t[1].quoted)
            Fail(number, "expected: " + t[0].text + " \"name\" X Y WIDTH HEIGHT");
        current = FormObject();
        current.kind = kind;
        current.name = t[1].text;
        if (current.name.size() > 64) Fail(number, "an object name has at most 64 characters");
        current.x = Number(t[2], number, "X");
        current.y = Number(t[3], number, "Y");
        current.w = Number(t[4], number, "the width");
        current.h = Number(t[5], number, "the height");
        current.sourceLine = number;
        current.font = form.font;
        inObject = true;
    }
    if (!header) Fail(number > 0 ? number : 1, "a form begins with the line VASKFORM 1");
    if (inObject) Fail(current.sourceLine, "the object has no end line");
    return form;
}

std::string ReadFormFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) Fail(0, "the form file cannot be opened: " + path);
    LARGE_INTEGER size = {};
    std::string bytes;
    bool ok = GetFileSizeEx(file, &size) != 0;
    if (ok && size.QuadPart > static_cast<LONGLONG>(kMaxFormBytes)) {
        CloseHandle(file);
        Fail(0, "the form file is larger than 1 MB: " + path);
    }
    if (ok) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        ok = bytes.empty() ||
             (ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr) &&
              read == bytes.size());
    }
    CloseHandle(file);
    if (!ok) Fail(0, "the form file cannot be read: " + path);
    return bytes;
}

Form LoadForm(const std::string& path) { return ParseForm(ReadFormFile(path)); }

}  // namespace vaskreport
