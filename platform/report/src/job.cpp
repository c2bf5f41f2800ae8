// Jobs and their names: the job table, variables and fields, what a form object shows.
#include "engine.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace vaskreport {

namespace {

HINSTANCE g_module = nullptr;

std::mutex g_jobsLock;
std::map<int, std::shared_ptr<Job>> g_jobs;
int g_nextHandle = 1;

}  // namespace

HINSTANCE Module() { return g_module; }

std::string LoadText(UINT id) {
    char text[512] = {};
    LoadStringA(g_module, id, text, sizeof text);
    return text;
}

std::string FormatText(UINT id, ...) {
    std::string format = LoadText(id);
    char text[1024] = {};
    va_list args;
    va_start(args, id);
    vsnprintf(text, sizeof text, format.c_str(), args);
    va_end(args);
    return text;
}

void NameSet::Clear() {
    m_order.clear();
    m_values.clear();
}

void NameSet::Set(const std::string& name, const Value& value) {
    std::string key = Upper(name);
    if (m_values.find(key) == m_values.end()) m_order.push_back(name);
    m_values[key] = value;
}

const Value* NameSet::Find(const std::string& name) const {
    auto it = m_values.find(Upper(name));
    return it == m_values.end() ? nullptr : &it->second;
}

int PageGeometry::X(double mm) const { return static_cast<int>(mm * dpiX / 25.4 + 0.5) - offsetX; }

int PageGeometry::Y(double mm) const { return static_cast<int>(mm * dpiY / 25.4 + 0.5) - offsetY; }

RECT PageGeometry::Box(double x, double y, double w, double h) const {
    RECT r = {X(x), Y(y), X(x + w), Y(y + h)};
    return r;
}

Job::Job(int h) : handle(h) {}

Job::~Job() {
    DiscardPages(*this);
    DeletePageFiles(pages);
    if (printerDC) DeleteDC(printerDC);
}

bool Job::IsEnabled(const std::string& name) const {
    std::string key = Upper(name);
    for (const std::string& e : enabled)
        if (e == key) return true;
    return false;
}

namespace {

bool SameValue(const Value* v, const std::string& wanted) {
    std::string text = v ? v->text : std::string();
    if (v && v->type == LL_TYPE_NUMBER) {
        // Numbers compare by value: "4" is "4.0".
        char* end1 = nullptr;
        char* end2 = nullptr;
        double a = std::strtod(text.c_str(), &end1);
        double b = std::strtod(wanted.c_str(), &end2);
        if (!text.empty() && !wanted.empty() && *end1 == '\0' && *end2 == '\0') return a == b;
    }
    return text == wanted;
}

}  // namespace

bool Job::Visible(const FormObject& o) const {
    if (o.Hidden() && !IsEnabled(o.name)) return false;
    if (o.when.present) {
        const Value* v = variables.Find(o.when.name);
        if (!SameValue(v, o.when.value)) return false;
    }
    return true;
}

std::string Job::Resolve(const Template& t) const {
    std::string out;
    for (const Template::Segment& s : t.segments) {
        if (!s.isName) {
            out += s.text;
            continue;
        }
        // A field is the record's, a variable the page's; a field wins when both exist.
        const Value* v = fields.Find(s.text);
        if (!v) v = variables.Find(s.text);
        if (v && v->type != LL_TYPE_DRAWING_EMF) out += v->text;
    }
    return out;
}

std::shared_ptr<Job> FindJob(int handle) {
    std::lock_guard<std::mutex> lock(g_jobsLock);
    auto it = g_jobs.find(handle);
    if (it == g_jobs.end() || it->second->closed) return nullptr;
    return it->second;
}

int AddJob(int language) {
    std::lock_guard<std::mutex> lock(g_jobsLock);
    if (g_nextHandle == 0x7FFFFFFF) return LL_ERR_FAILED;
    int handle = g_nextHandle++;
    auto job = std::make_shared<Job>(handle);
    job->language = language;
    g_jobs[handle] = job;
    return handle;
}

void RemoveJob(int handle) {
    std::shared_ptr<Job> job;
    {
        std::lock_guard<std::mutex> lock(g_jobsLock);
        auto it = g_jobs.find(handle);
        if (it == g_jobs.end()) return;
        job = it->second;
        g_jobs.erase(it);
    }
    job->closed = true;
}

}  // namespace vaskreport

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        vaskreport::g_module = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}
