// Resource identifiers of VaskGate.
#pragma once

#define IDD_LINE_CONFIGURATION 101
#define IDC_LINE_TERMINATOR    1001
#define IDC_SLOW_WAVEFORM      1002
#define IDC_RS485_ADDRESS      1003
