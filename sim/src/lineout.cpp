#include "lineout.h"

#include <cerrno>
#include <unistd.h>

namespace vasksim {

void LineOutput::put(const Bytes& bytes) {
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    if (bytes_.size() > limit_) {
        const size_t excess = bytes_.size() - limit_;
        bytes_.erase(bytes_.begin(), bytes_.begin() + static_cast<long>(excess));
        dropped_ += excess;
    }
}

void LineOutput::flush(int fd) {
    uint8_t chunk[4096];
    while (!bytes_.empty()) {
        size_t n = 0;
        for (auto it = bytes_.begin(); it != bytes_.end() && n < sizeof chunk; ++it) chunk[n++] = *it;
        ssize_t k = ::write(fd, chunk, n);
        if (k > 0) {
            bytes_.erase(bytes_.begin(), bytes_.begin() + k);
            continue;
        }
        if (k < 0 && errno == EINTR) continue;
        return;  // full, or failed
    }
}

}  // namespace vasksim
