// record_bench: what loading an analyzer's document costs per record, by record version and
// by the file's size. For each layout keyed by text (versions 1 to 3) and, for comparison,
// the current one keyed by number (version 6) it writes a full set (one record per entry
// that an analyzer of that version stores), and files with 10 and 100 times the records (the
// set again, every second record's key one of no entry), and loads each as the document
// does: the object read from a file through the class library's archive. It prints the time
// per record with the ratios that must hold, and the time until a file whose record count
// its bytes cannot hold is refused. Started by scripts/bench --record; never a CTest test.
//
//   record_bench [--repeat N]
//
// A file of the set times F is loaded N * 100 / F times (N defaults to 5), the header alone
// as often as the full set; the fastest load counts. The time per record is given whole and
// net, less the fastest load of the header alone (initialising the analyzer, which every
// load pays once): the net time is what each record costs.
#include "vaskinstrument.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

double Now() {
    static LARGE_INTEGER freq = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    ::QueryPerformanceCounter(&t);
    return (double)t.QuadPart / (double)freq.QuadPart;
}

int g_nRepeat = 5;
const char kMaker[] = "KorvanGA record bench";
// The model of the files: a Parvel 6 with four components, the extension card and, from
// version 3 on, heating: all the groups an analyzer of these versions stores.
const DWORD kTypeCode = 2;
const DWORD kComponents = 4;

// The document's bytes, written here from the record's layout.
struct Writer {
    std::string bytes;
    Writer& Word(WORD w) {
        bytes.append(reinterpret_cast<const char*>(&w), sizeof w);
        return *this;
    }
    Writer& Dword(DWORD d) {
        bytes.append(reinterpret_cast<const char*>(&d), sizeof d);
        return *this;
    }
    Writer& Double(double v) {
        bytes.append(reinterpret_cast<const char*>(&v), sizeof v);
        return *this;
    }
    Writer& String(const std::string& s) {  // shorter than 255
        bytes += (char)s.size();
        bytes += s;
        return *this;
    }
    // The object's class, the header of `version` and the record count.
    Writer& Header(DWORD version, DWORD count) {
        const std::string name = "CVaskInstrument";
        Word(0xFFFF).Word(2).Word((WORD)name.size());
        bytes += name;
        Dword(version).Dword(kTypeCode).Dword(kComponents).String("Bench").Dword(1);
        if (version >= 3) Dword(1);
        for (int i = 0; i < 4; ++i) String("Gas " + std::to_string(i + 1));
        return Dword(count);
    }
    // One record: the key, the number from version 4 on, the marker and a value.
    Writer& Record(DWORD version, const std::string& key, DWORD number, int n) {
        String(key);
        if (version >= 4) Dword(number);
        const std::string text = std::to_string(n) + ".5";
        return Dword(2).String(text).Double(n + 0.5).Dword(n % 50 + 1).Dword(n % 7 + 1);
    }
};

// A file of the temporary folder, removed with the object.
class BenchFile {
public:
    BenchFile() {
        char dir[MAX_PATH], name[MAX_PATH];
        ::GetTempPathA(sizeof dir, dir);
        ::GetTempFileNameA(dir, "rb", 0, name);
        path_ = name;
    }
    ~BenchFile() { ::DeleteFileA(path_.c_str()); }
    BenchFile(const BenchFile&) = delete;
    BenchFile& operator=(const BenchFile&) = delete;

    void Write(const std::string& bytes) {
        CFile file(path_.c_str(), CFile::modeCreate | CFile::modeWrite);
        file.Write(bytes.data(), (UINT)bytes.size());
    }
    // Reads the one object as the document does; null when the archive refused the file.
    std::unique_ptr<CVaskInstrument> Load(int* cause = nullptr) {
        CFile file(path_.c_str(), CFile::modeRead | CFile::shareDenyWrite);
        try {
            CArchive ar(&file, CArchive::load);
            CObject* object = ar.ReadObject(RUNTIME_CLASS(CVaskInstrument));
            ar.Close();
            return std::unique_ptr<CVaskInstrument>((CVaskInstrument*)object);
        } catch (CArchiveException* e) {
            if (cause != nullptr) *cause = e->m_cause;
            e->Delete();
            return nullptr;
        }
    }

private:
    std::string path_;
};

// The device's own entries, which keep their value in a load that is no comparison.
bool IsDeviceOwn(DWORD number) {
    return (number >= 1 && number <= 4) || number == 274 || number == 372 ||
           (number >= 576 && number <= 581);
}

struct Stored {
    std::string key;
    DWORD number;
};

// The records an analyzer made from the header of `version` stores: its offline entries.
std::vector<Stored> FullSet(BenchFile& file, DWORD version) {
    file.Write(Writer().Header(version, 0).bytes);
    std::unique_ptr<CVaskInstrument> analyzer = file.Load();
    std::vector<Stored> set;
    const CObList& groups = analyzer->GetGroupList();
    for (POSITION g = groups.GetHeadPosition(); g != NULL;) {
        const CObList& entries = ((CParameterGroup*)groups.GetNext(g))->GetParameterList();
        for (POSITION e = entries.GetHeadPosition(); e != NULL;) {
            CVaskParameter* entry = (CVaskParameter*)entries.GetNext(e);
            if (entry->IsOfflineParameter())
                set.push_back({(LPCSTR)entry->GetKey(), (DWORD)entry->GetNumber()});
        }
    }
    return set;
}

struct Result {
    size_t records;
    size_t bytes;
    double wall;  // seconds, the fastest load
};

// The fastest of `repeats` loads of `bytes`. Unless `number` is 0, entry `number`, whose last
// record is the file's last of a known key, must hold that record's value `last`, or the load
// measured nothing.
Result Measure(BenchFile& file, const std::string& bytes, size_t records, int repeats,
               DWORD number = 0, int last = 0) {
    file.Write(bytes);
    Result best = {records, bytes.size(), 1e9};
    for (int i = 0; i < repeats; ++i) {
        const double t0 = Now();
        std::unique_ptr<CVaskInstrument> analyzer = file.Load();
        const double wall = Now() - t0;
        CVaskParameter* entry =
            analyzer && number != 0 ? analyzer->FindParameterByNumber((int)number) : nullptr;
        if (analyzer == nullptr || (number != 0 && (entry == nullptr || !entry->IsLoaded() ||
                                                    entry->GetCachedValue().value != last + 0.5))) {
            printf("a load did not give entry %lu the value of its last record\n",
                   (unsigned long)number);
            exit(1);
        }
        if (wall < best.wall) best.wall = wall;
    }
    return best;
}

// Per record: the whole load, and the load less the header's.
void Print(const std::string& name, const std::string& what, const Result& r,
           const Result& header) {
    const double net = (r.wall - header.wall) / (double)r.records;
    printf("%-13s %-38s %7zu %9zu %9.2f %9.3f %9.3f\n", name.c_str(), what.c_str(), r.records,
           r.bytes, r.wall * 1e3, r.wall / (double)r.records * 1e6, net * 1e6);
}

void Ratio(const std::string& what, double ratio, double limit) {
    printf("  %-64s %6.2f  (to beat: <= %.1f) %s\n", what.c_str(), ratio, limit,
           ratio <= limit ? "ok" : "MISSED");
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (strcmp(argv[i], "--repeat") == 0 && i + 1 < argc) g_nRepeat = atoi(argv[++i]);
    if (g_nRepeat < 1) g_nRepeat = 1;
    const std::string key = std::string("Software\\") + kMaker;
    ::RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str());
    AfxGetApp()->SetRegistryKey(kMaker);

    printf("%-13s %-38s %7s %9s %9s %9s %9s\n", "case", "what", "records", "bytes", "load ms",
           "us/rec", "net");
    BenchFile file;
    std::vector<std::pair<std::string, double>> ratios;
    for (DWORD version : {1u, 2u, 3u, 6u}) {
        const std::vector<Stored> set = FullSet(file, version);
        const std::string v = "v" + std::to_string(version);
        // The header alone: initialising the analyzer, which every load pays once.
        const Result header = Measure(file, Writer().Header(version, 0).bytes, 0, g_nRepeat * 100);
        printf("%-13s %-38s %7d %9zu %9.2f\n", (v + "-header").c_str(),
               "the header alone, no record", 0, header.bytes, header.wall * 1e3);

        Result sizes[3];
        const int factors[3] = {1, 10, 100};
        for (int f = 0; f < 3; ++f) {
            // The set, then the set again with every second key one of no entry; the last
            // record is a known one.
            Writer body;
            int n = 0, last = 0;
            DWORD lastNumber = 0;
            for (int round = 0; round < factors[f]; ++round)
                for (size_t i = 0; i < set.size(); ++i) {
                    ++n;
                    if (round > 0 && (i + round) % 2 == 1) {
                        const std::string unknown = "Unknown group " + std::to_string(round) +
                                                    "\\Entry " + std::to_string(i);
                        body.Record(version, unknown, 9999, n);
                    } else {
                        body.Record(version, set[i].key, set[i].number, n);
                        if (!IsDeviceOwn(set[i].number)) {
                            last = n;
                            lastNumber = set[i].number;
                        }
                    }
                }
            const std::string bytes = Writer().Header(version, (DWORD)n).bytes + body.bytes;
            sizes[f] =
                Measure(file, bytes, (size_t)n, g_nRepeat * 100 / factors[f], lastNumber, last);
            const std::string what =
                f == 0 ? "a full set"
                       : "the set x" + std::to_string(factors[f]) + ", duplicates, unknown keys";
            Print(v + (f == 0 ? "-full" : "-x" + std::to_string(factors[f])), what, sizes[f],
                  header);
        }
        const double full = (sizes[0].wall - header.wall) / (double)sizes[0].records;
        for (int f = 1; f < 3; ++f)
            ratios.push_back({"version " + std::to_string(version) + ": net time per record, x" +
                                  std::to_string(factors[f]) + " / full set",
                              (sizes[f].wall - header.wall) / (double)sizes[f].records / full});

        // A count that the file's bytes cannot hold: refused, and how soon.
        Writer overcounted = Writer().Header(version, 0x7FFFFFFF);
        overcounted.Record(version, set[0].key, set[0].number, 1);
        for (int i = 0; i < 100000; ++i) overcounted.Record(version, "", 9999, i);
        file.Write(overcounted.bytes);
        double refusal = 1e9;
        for (int i = 0; i < g_nRepeat; ++i) {
            int cause = -1;
            const double t0 = Now();
            std::unique_ptr<CVaskInstrument> analyzer = file.Load(&cause);
            const double wall = Now() - t0;
            if (analyzer != nullptr || cause != CArchiveException::endOfFile) {
                printf("a file that counts more records than it holds was not refused\n");
                return 1;
            }
            if (wall < refusal) refusal = wall;
        }
        printf("%-13s %-38s %7s %9zu %9.2f  (refused: the file ends early)\n",
               (v + "-overcount").c_str(), "count 2^31-1, 100 001 records", "-",
               overcounted.bytes.size(), refusal * 1e3);
    }
    printf("\n");
    for (const auto& ratio : ratios) Ratio(ratio.first, ratio.second, 1.5);
    ::RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str());
    return 0;
}
