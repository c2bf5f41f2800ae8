// Byte strings in the tests of every library: their hex text and the request bodies the
// PC sends.
#pragma once

#include <string>
#include <vector>

// Two upper-case hex digits per byte, the bytes parted by `separator`: "4B 11 03".
inline std::string Hex(const std::vector<unsigned char>& bytes, const char* separator = " ") {
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    for (size_t k = 0; k < bytes.size(); ++k) {
        if (k != 0) text += separator;
        text += digits[bytes[k] >> 4];
        text += digits[bytes[k] & 15];
    }
    return text;
}

inline std::string Hex(const std::string& bytes, const char* separator = " ") {
    return Hex(std::vector<unsigned char>(bytes.begin(), bytes.end()), separator);
}

// Bytes from numbers 0 to 255: Octets({0x4B, 17, 3, 0}).
inline std::vector<unsigned char> Octets(std::initializer_list<int> values) {
    std::vector<unsigned char> bytes;
    for (int v : values) bytes.push_back((unsigned char)v);
    return bytes;
}

// A request body as the PC sends it: command letter, function number, then the values.
inline std::vector<unsigned char> RequestBody(char command, int function,
                                              const std::vector<unsigned char>& values = {}) {
    std::vector<unsigned char> body = {(unsigned char)command, (unsigned char)function};
    body.insert(body.end(), values.begin(), values.end());
    return body;
}
