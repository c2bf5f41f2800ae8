// The bulk transfers through the device access layer: a firmware download and the
// parameter set read and written.
#include <cstdio>

#include "cases_access.h"
#include "downloadtype.h"

namespace bench {

namespace {

// A firmware image of `bytes` bytes as an Intel-HEX file of 16-byte data lines and the
// end-of-file line; false when the file cannot be written.
bool WriteHexFile(const std::string& path, int bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f == NULL) return false;
    unsigned state = 4711;
    for (int address = 0; address < bytes; address += 16) {
        unsigned sum = 16 + (address >> 8) + (address & 0xFF);
        std::fprintf(f, ":10%04X00", address);
        for (int k = 0; k < 16; ++k) {
            state = state * 1103515245u + 12345u;
            unsigned byte = (state >> 16) & 0xFF;
            sum += byte;
            std::fprintf(f, "%02X", byte);
        }
        std::fprintf(f, "%02X\r\n", (0x100 - (sum & 0xFF)) & 0xFF);
    }
    std::fprintf(f, ":00000001FF\r\n");
    return std::fclose(f) == 0;
}

// The main-board download of a 64 KiB image into a listed, running device.
class FirmwareDownload : public ListedCase {
public:
    const char* Name() const override { return "firmware"; }
    std::string Title() const override {
        return "firmware download of a 64 KiB HEX file in 16-byte lines into a running device";
    }
    bool Setup(const BenchOptions& options, std::string* error) override {
        m_file = options.workDir + "vask_bench_firmware.hex";
        if (!WriteHexFile(m_file, kImageBytes)) {
            *error = "cannot write " + m_file;
            return false;
        }
        return ListedCase::Setup(options, error);
    }
    bool Run(std::string* error) override {
        if (!m_access.Download(kDevices[0].address, DownloadResetFirst, m_file.c_str(), NULL, 0)) {
            *error = "download: " + Error();
            return false;
        }
        return true;
    }
    void Teardown() override {
        ListedCase::Teardown();
        std::remove(m_file.c_str());
    }
    // The pauses of the download itself: after the reset, after the start request, before
    // the fault read, and the 30 s for the restart.
    double FixedMs() const override { return 200 + 10000 + 15000 + 30 * 1000; }
    std::string Note() const override {
        return std::to_string(kImageBytes / 16) + " data lines and the end-of-file line";
    }

private:
    static const int kImageBytes = 64 * 1024;
    std::string m_file;
};

// The parameter set of the oxygen analyzer read into a file (10000 bytes, the most a
// device holds) and a file of 4000 bytes (the most that is written) written back; the
// write also while the devices broadcast: its blocks are the longest telegrams the PC
// sends in numbers (63 bytes on the wire, 66 ms), between short status reads.
class ParamSetTransfer : public ListedCase {
public:
    explicit ParamSetTransfer(bool write, bool broadcasts = false)
        : m_write(write), m_broadcasts(broadcasts) {}
    const char* Name() const override {
        return !m_write ? "paramset-read" : m_broadcasts ? "paramset-broadcast" : "paramset-write";
    }
    std::string Title() const override {
        if (!m_write) return "parameter-set read of 10000 bytes";
        return m_broadcasts ? "parameter-set write of 4000 bytes, the devices broadcasting their "
                              "measured values every 500 ms"
                            : "parameter-set write of 4000 bytes";
    }
    bool Broadcasts() const override { return m_broadcasts; }
    size_t MemoryBytes() const override { return kReadBytes; }
    bool Setup(const BenchOptions& options, std::string* error) override {
        m_file = options.workDir + (m_write ? "vask_bench_write.par" : "vask_bench_read.par");
        if (m_write) {
            FILE* f = std::fopen(m_file.c_str(), "wb");
            if (f == NULL) {
                *error = "cannot write " + m_file;
                return false;
            }
            unsigned state = 815;
            for (int k = 0; k < kWriteBytes; ++k) {
                state = state * 1103515245u + 12345u;
                std::fputc((int)((state >> 16) & 0xFF), f);
            }
            std::fclose(f);
        }
        return ListedCase::Setup(options, error);
    }
    bool Run(std::string* error) override {
        const int address = kDevices[1].address;
        int ok = m_write ? m_access.WriteParamSet(address, m_file.c_str(), NULL, 0)
                         : m_access.ReadParamSet(address, m_file.c_str(), NULL, 0);
        if (!ok) {
            *error = Error();
            return false;
        }
        if (!m_write) {
            FILE* f = std::fopen(m_file.c_str(), "rb");
            long size = -1;
            if (f != NULL) {
                std::fseek(f, 0, SEEK_END);
                size = std::ftell(f);
                std::fclose(f);
            }
            if (size != kReadBytes) {
                *error = "the file holds " + std::to_string(size) + " bytes, not " +
                         std::to_string(kReadBytes);
                return false;
            }
        }
        return true;
    }
    void Teardown() override {
        ListedCase::Teardown();
        std::remove(m_file.c_str());
    }
    std::string Note() const override {
        return m_write ? "80 blocks of 50 bytes and the empty last block"
                       : "200 blocks of 50 bytes";
    }

private:
    static const int kReadBytes = 10000;
    static const int kWriteBytes = 4000;
    bool m_write;
    bool m_broadcasts;
    std::string m_file;
};

}  // namespace

void AddTransferCases(CaseList& cases) {
    cases.emplace_back(new FirmwareDownload);
    cases.emplace_back(new ParamSetTransfer(false));
    cases.emplace_back(new ParamSetTransfer(true));
    cases.emplace_back(new ParamSetTransfer(true, true));
}

}  // namespace bench
