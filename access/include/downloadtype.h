// How a firmware download into a main board starts; the value travels in the start
// request "K" 20.
#pragma once

enum DownloadType : int {
    // The device need not be in the device list (it may not even run): no reset first, and
    // the start request is repeated for up to an hour until it gets through.
    DownloadWaitForDevice = 1,
    // The device is in the device list and running: it is reset first, and the start
    // request must get through within 30 seconds.
    DownloadResetFirst = 2
};
